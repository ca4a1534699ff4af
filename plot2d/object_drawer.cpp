#include "plot2d/object_drawer.h"

#include <algorithm>
#include <cmath>

#include "expr/eval_cancel.h"
#include "plot2d/example_kinds.h"
#include "plot2d/interpolation.h"
#include "plot2d/object_geometry.h"
#include "plot2d/start_points.h"
#include "plotwin/colour_table.h"
#include "plotwin/draw_dot.h"

namespace curvelo {

namespace {

// Samples of a rolling circle's path per pixel column are bounded like a curve's.
constexpr std::int64_t kMaxPathSteps = 1000000;

long double PointSizeOf(const TExample& e) { return e.flag56 ? e.value291 : kDefaultPointSize; }

}  // namespace

bool ObjectDrawer::Draws(const TExample& e) {
    switch (e.kind) {
    case kKindSegment: case kKindLine: case kKindPoint: case kKindSequence: case kKindRollingCircle:
    case kKindPointOnCurve: case kKindPointSequence: return true;
    case kKindExplicit: return e.interpolation != 0;
    default: return false;
    }
}

int ObjectDrawer::Poll() {
    if (!CountEvalStep(letters_) || EvalCancelled(letters_)) return kKeyStopDrawing;
    return !silent && hooks.pollKey ? hooks.pollKey() : 0;
}

void ObjectDrawer::ClippedSegment(WorldPoint a, WorldPoint b) {
    if (surface_.View().ClipSegment(a, b)) surface_.Segment(a, b);
}

int ObjectDrawer::Draw(TExample& e, const CurveTrees& trees, std::vector<Cv2InitialCondition>* startPoints) {
    if (!e.visible || !Draws(e)) return 0;
    const Rgb colour = ColourOf(e.penColour);
    surface_.Save();
    surface_.SetPen(colour, e.penWidth, LineStyleOf(e.penStyle));
    surface_.SetBrush(colour);
    runs_.clear();
    const int key = ForEachFamilyMember(e, letters_, hooks, [&] { return DrawOnce(e, trees, startPoints); });
    surface_.Restore();
    return key;
}

int ObjectDrawer::DrawOnce(TExample& e, const CurveTrees& trees, std::vector<Cv2InitialCondition>* startPoints) {
    switch (e.kind) {
    case kKindSegment: DrawSegment(e, trees); break;
    case kKindLine: DrawLine(e, trees); break;
    case kKindPoint: {
        WorldPoint p;
        if (PointOf(e, trees, letters_, p)) DrawDot(surface_, p, PointSizeOf(e));
        break;
    }
    case kKindSequence:
        if (!startPoints) break;
        return DrawSequence(trees, *startPoints, e.flag60 != 0, e.flags52[0] != 0);
    case kKindRollingCircle: return DrawRollingCircle(e, trees);
    case kKindPointOnCurve: DrawPointsOnCurve(e, trees); break;
    case kKindPointSequence: DrawNumberPairs(e.texts[3], e.confirmMark); break;
    case kKindExplicit:
        for (const WorldPoint& node : StoredNodes(e)) DrawDot(surface_, node, e.fieldRows);
        break;
    default: break;
    }
    return Poll();
}

void ObjectDrawer::DrawSegment(TExample& e, const CurveTrees& trees) {
    WorldPoint a, b;
    if (!SegmentEndsOf(e, trees, letters_, a, b)) return;
    ClippedSegment(a, b);
    StoreSegmentRange(e, a, b);
}

void ObjectDrawer::DrawLine(TExample& e, const CurveTrees& trees) {
    LineCoefficients line;
    WorldPoint p, q;
    const bool drawn = LineCoefficientsOf(trees, letters_, line) && LinePieceInView(line, surface_.View(), p, q);
    if (drawn) surface_.Segment(p, q);
    StoreLineRange(e, drawn, p, q, line);
}

int ObjectDrawer::DrawSequence(const CurveTrees& trees, std::vector<Cv2InitialCondition>& startPoints, bool connect,
                               bool stopAtBorder) {
    const PlotView& view = surface_.View();
    const ExtComplex keepX = letters_.LetterValues[kLetterX], keepY = letters_.LetterValues[kLetterY];
    int key = 0;
    for (Cv2InitialCondition& record : startPoints) {
        StartPoint sp = ReadStartPoint(record);
        surface_.SetPen(ColourOf(sp.colour), sp.width, LineStyle::kSolid);
        SequenceRun run;
        const WorldPoint start{sp.x, sp.y};
        WorldPoint p = start, previous{};
        bool previousDrawn = false;
        for (int n = 0; n < sp.terms; ++n) {
            const bool drawn = DrawDot(surface_, p, sp.size);
            if (connect && previousDrawn) ClippedSegment(previous, p);
            ++run.drawn;
            previous = p;
            previousDrawn = drawn;
            letters_.LetterValues[kLetterX] = {p.x, 0.0L};
            letters_.LetterValues[kLetterY] = {p.y, 0.0L};
            WorldPoint next;
            if (!EvalReal(letters_, trees.tree[0], next.x) || !EvalReal(letters_, trees.tree[1], next.y)) break;
            key = Poll();
            if (key == kKeyStopDrawing) break;
            if (std::hypot(next.x - start.x, next.y - start.y) < periodTolerance) {
                if (connect) ClippedSegment(p, start);
                run.period = n + 1;
                break;
            }
            if (stopAtBorder && !view.InView(next.x, next.y)) break;
            p = next;
        }
        if (sp.keepDrawnCount) {
            sp.terms = std::max(run.drawn - 1, 0);
            WriteStartPoint(sp, record);
        }
        runs_.push_back(run);
        if (key == kKeyStopDrawing) break;
    }
    letters_.LetterValues[kLetterX] = keepX;
    letters_.LetterValues[kLetterY] = keepY;
    return key;
}

int ObjectDrawer::DrawRollingCircle(const TExample& e, const CurveTrees& trees) {
    // The circle rolls without slipping on the upper side of y = f(x) (tree 1, its slope in
    // tree 4), its point of contact running from x = low to x = high. The point fixed to
    // it turns back by the rolled arc length over the radius.
    const long double r = e.value281, d = e.value291;
    const PlotView& view = surface_.View();
    if (!(r > 0) || !std::isfinite(r) || !std::isfinite(d) || !(e.high > e.low) || !trees.tree[1] ||
        !trees.tree[4])
        return 0;
    const std::int64_t steps =
        std::clamp<std::int64_t>(static_cast<std::int64_t>(e.density) * (view.W + 1), 1, kMaxPathSteps);
    const long double dt = (e.high - e.low) / static_cast<long double>(steps);
    const ExtComplex keepX = letters_.LetterValues[kLetterX];
    long double rolled = 0;
    WorldPoint contact{}, point{};
    bool haveContact = false, penDown = false;
    int key = 0;
    for (std::int64_t i = 0; i <= steps; ++i) {
        const long double x = i == steps ? e.high : e.low + dt * static_cast<long double>(i);
        letters_.LetterValues[kLetterX] = {x, 0.0L};
        long double f = 0, slope = 0;
        if (EvalReal(letters_, trees.tree[1], f) && EvalReal(letters_, trees.tree[4], slope)) {
            const WorldPoint q{x, f};
            if (haveContact) rolled += std::hypot(q.x - contact.x, q.y - contact.y);
            const long double norm = std::hypot(slope, 1.0L);
            const long double nx = -slope / norm, ny = 1 / norm;
            const long double angle = std::atan2(-ny, -nx) - rolled / r;
            const WorldPoint p{q.x + r * nx + d * std::cos(angle), q.y + r * ny + d * std::sin(angle)};
            if (penDown) ClippedSegment(point, p);
            point = p;
            contact = q;
            haveContact = penDown = true;
        } else {
            penDown = haveContact = false;  // the track breaks: the circle starts afresh beyond it
        }
        key = Poll();
        if (key == kKeyStopDrawing) break;
    }
    letters_.LetterValues[kLetterX] = keepX;
    return key;
}

void ObjectDrawer::DrawPointsOnCurve(const TExample& e, const CurveTrees& trees) {
    long double values[kMaxPointOnCurveNumbers];
    const int count = ParsePointOnCurveNumbers(e.texts[3], values);
    const bool explicitCurve = PointOnCurveShape(e) == kKindExplicit;
    const int letter = explicitCurve ? kLetterX : kLetterT;
    const ExtComplex keep = letters_.LetterValues[letter];
    for (int i = 0; i < count; ++i) {
        letters_.LetterValues[letter] = {values[i], 0.0L};
        WorldPoint p{values[i], 0};
        if (!EvalReal(letters_, trees.tree[1], p.y)) continue;
        if (!explicitCurve && !EvalReal(letters_, trees.tree[0], p.x)) continue;
        DrawDot(surface_, p, PointSizeOf(e));
    }
    letters_.LetterValues[letter] = keep;
}

void ObjectDrawer::DrawNumberPairs(const std::string& text, long double size) {
    long double numbers[kMaxPointOnCurveNumbers];
    const int count = ParsePointOnCurveNumbers(text, numbers);
    for (int i = 0; i + 1 < count; i += 2) DrawDot(surface_, {numbers[i], numbers[i + 1]}, size);
}

}  // namespace curvelo
