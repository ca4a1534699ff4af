#include "plot3d/space_drawing.h"

#include <algorithm>
#include <cmath>

#include "expr/eval.h"
#include "expr/letters.h"
#include "plot2d/example_kinds.h"
#include "plot2d/example_limits.h"
#include "plot2d/object_geometry.h"
#include "plot3d/space_kinds.h"
#include "plot3d/space_solutions.h"
#include "plot3d/surface_kinds.h"
#include "plot3d/surface_lines.h"
#include "plotwin/draw_dot.h"

namespace curvelo {
namespace {

constexpr long double kPi = 3.14159265358979323846L;
constexpr int kGuideSamples = 48;      // projecting segments and arcs
constexpr int kHollowCorners = 24;     // a hollow dot's circle
constexpr int kPollEvery = 256;

struct Shown {
    double u = 0, v = 0;
    bool ok = false;
};

Shown Show(SpaceDrawContext& c, long double x, long double y, long double z) {
    const double q[3] = {static_cast<double>(x), static_cast<double>(y), static_cast<double>(z)};
    Shown s;
    if (!std::isfinite(q[0]) || !std::isfinite(q[1]) || !std::isfinite(q[2])) return s;
    c.projection.Project(q[0], q[1], q[2], s.u, s.v);
    s.ok = c.out.View().InView(s.u, s.v) && !(c.hideInvisible && c.hiding.IsPointHidden(q));
    return s;
}

// Joins shown points into polylines; a dashed line is broken after every second point.
class Run {
public:
    Run(DrawSurface& out, bool dashed) : out_(out), dashed_(dashed) {}
    ~Run() { Break(); }
    void Add(const Shown& s) {
        if (!s.ok) {
            Break();
            return;
        }
        if (!open_) {
            out_.BeginPolyline();
            open_ = true;
        }
        out_.PolylineTo({s.u, s.v});
        if (dashed_ && ++inRun_ == 2) Break();
    }
    void Break() {
        if (open_) out_.EndPolyline();
        open_ = false;
        inRun_ = 0;
    }

private:
    DrawSurface& out_;
    bool dashed_;
    bool open_ = false;
    int inRun_ = 0;
};

int Poll(SpaceDrawContext& c) { return c.pollKey ? c.pollKey() : 0; }

void SetPen(SpaceDrawContext& c, int colour, int width, LineStyle style = LineStyle::kSolid) {
    const Rgb rgb = ColourForOutput(std::clamp(colour, 0, kColourCount - 1), c.colourOutput);
    c.out.SetPen(rgb, std::clamp(width, kMinPenWidth, kMaxPenWidth), style);
    c.out.SetBrush(rgb);
}

// The arrowhead at t: P and its tangent projected, the screen direction scaled to the
// arrow's length in world units of the picture.
void DrawArrow(SpaceDrawContext& c, InventorySlot& slot) {
    TExample& e = slot.example;
    const PlotView& view = c.out.View();
    const long double length = view.upx * (e.arrowSize + 10);
    e.extra311[TExample::kArrowLength] = length;
    long double p[3], d[3];
    if (!EvalCurvePoint(slot, c.engine.letters, e.extra311[TExample::kArrowT], p)) return;
    for (int i = 0; i < 3; ++i)
        if (!EvalReal(c.engine.letters, slot.trees[static_cast<std::size_t>(4 + i)], d[i])) return;
    const Shown a = Show(c, p[0], p[1], p[2]);
    if (!a.ok) return;
    double bu = 0, bv = 0;
    c.projection.Project(static_cast<double>(p[0] + d[0]), static_cast<double>(p[1] + d[1]),
                         static_cast<double>(p[2] + d[2]), bu, bv);
    long double du = (bu - a.u) / view.upx, dv = (bv - a.v) / view.upy;  // in pixels
    const long double n = std::hypot(du, dv);
    if (!(n > 1e-9L) || !std::isfinite(n)) return;
    du /= n;
    dv /= n;
    const long double back = (e.arrowSize + 10) * 0.94L, side = (e.arrowSize + 10) * 0.34L;
    auto at = [&](long double along, long double across) {
        return WorldPoint{a.u + (du * along - dv * across) * view.upx, a.v + (dv * along + du * across) * view.upy};
    };
    const WorldPoint head[3] = {{a.u, a.v}, at(-back, side), at(-back, -side)};
    c.out.FilledPolygon(head, 3);
}

int DrawCurve(SpaceDrawContext& c, InventorySlot& slot, int samples) {
    TExample& e = slot.example;
    LetterStore& letters = c.engine.letters;
    const long double keptT = GetLetter(letters, kLetterT);
    SetPen(c, e.penColour, e.penWidth);
    int key = 0;
    {
        Run run(c.out, space::Dashed(e));
        const int n = std::clamp(samples, kMinCurveSamples, kMaxCurveSamples);
        for (int k = 0; k <= n && key != kDrawStopped; ++k) {
            const long double t = k == n ? e.high : e.low + k * ((e.high - e.low) / n);
            long double p[3];
            run.Add(EvalCurvePoint(slot, letters, t, p) ? Show(c, p[0], p[1], p[2]) : Shown{});
            if (k % kPollEvery == kPollEvery - 1) key = Poll(c);
        }
    }
    if (e.kind == kKindSpaceCurve && space::HasArrow(e) && key != kDrawStopped) DrawArrow(c, slot);
    SetLetter(letters, kLetterT, keptT);
    return key == kDrawStopped ? kDrawStopped : 0;
}

// A line through space sampled so that hiding and the window cut it where they must.
void DrawGuide(SpaceDrawContext& c, const std::function<void(long double s, long double p[3])>& at) {
    Run run(c.out, false);
    for (int k = 0; k <= kGuideSamples; ++k) {
        long double p[3];
        at(static_cast<long double>(k) / kGuideSamples, p);
        run.Add(Show(c, p[0], p[1], p[2]));
    }
}

void DrawDotAt(SpaceDrawContext& c, const Shown& s, long double size, bool hollow) {
    if (!s.ok) return;
    if (!hollow) {
        DrawDot(c.out, {s.u, s.v}, size);
        return;
    }
    const PlotView& view = c.out.View();
    const int r = std::max(DotRadius(view, size), 2);
    c.out.BeginPolyline();
    for (int k = 0; k <= kHollowCorners; ++k) {
        const long double a = 2 * kPi * k / kHollowCorners;
        c.out.PolylineTo({s.u + r * view.upx * std::cos(a), s.v + r * view.upy * std::sin(a)});
    }
    c.out.EndPolyline();
}

void DrawPoint(SpaceDrawContext& c, InventorySlot& slot) {
    TExample& e = slot.example;
    long double p[3];
    if (!EvalSpacePoint(slot, c.engine.letters, p)) return;
    SetPen(c, e.penColour, 1);
    const long double x = p[0], y = p[1], z = p[2];
    if (space::Projections(e)) {
        SetPen(c, e.penColour, 1, space::ProjectionsDashed(e) ? LineStyle::kDashed : LineStyle::kSolid);
        // To the three coordinate planes.
        DrawGuide(c, [&](long double s, long double q[3]) { q[0] = x; q[1] = y; q[2] = z * (1 - s); });
        DrawGuide(c, [&](long double s, long double q[3]) { q[0] = x; q[1] = y * (1 - s); q[2] = z; });
        DrawGuide(c, [&](long double s, long double q[3]) { q[0] = x * (1 - s); q[1] = y; q[2] = z; });
    }
    if (space::Arcs(e)) {
        SetPen(c, e.penColour, 1, space::ArcsDashed(e) ? LineStyle::kDashed : LineStyle::kSolid);
        const long double r = std::hypot(x, y), rho = std::sqrt(x * x + y * y + z * z);
        const long double theta = std::atan2(y, x), phi = rho > 0 ? std::acos(std::clamp(z / rho, -1.0L, 1.0L)) : 0;
        // The angle about the z axis in the x-y plane, and the angle from the z axis.
        DrawGuide(c, [&](long double s, long double q[3]) {
            q[0] = r * std::cos(theta * s); q[1] = r * std::sin(theta * s); q[2] = 0;
        });
        DrawGuide(c, [&](long double s, long double q[3]) {
            q[0] = rho * std::sin(phi * s) * std::cos(theta);
            q[1] = rho * std::sin(phi * s) * std::sin(theta);
            q[2] = rho * std::cos(phi * s);
        });
    }
    SetPen(c, e.penColour, 1);
    DrawDotAt(c, Show(c, x, y, z), space::PointSize(e), space::Hollow(e) != 0);
}

void DrawPointSequence(SpaceDrawContext& c, InventorySlot& slot) {
    TExample& e = slot.example;
    long double numbers[kMaxPointOnCurveNumbers];
    const int n = ParsePointOnCurveNumbers(e.texts[3], numbers);
    SetPen(c, e.penColour, 1);
    for (int i = 0; i + 2 < n; i += 3) DrawDotAt(c, Show(c, numbers[i], numbers[i + 1], numbers[i + 2]), space::PointSize(e), false);
}

// Draws points with the observed one step by step; `joined` links consecutive points.
int DrawSamples(SpaceDrawContext& c, const std::vector<SpaceSample>& samples, bool observed, bool joined,
                long double dotSize) {
    Run run(c.out, false);
    int key = 0;
    for (std::size_t k = 0; k < samples.size() && key != kDrawStopped; ++k) {
        const SpaceSample& s = samples[k];
        const Shown shown = s.shown ? Show(c, s.x, s.y, s.z) : Shown{};
        if (joined) run.Add(shown);
        if (dotSize >= 0) DrawDotAt(c, shown, dotSize, false);
        if (observed && c.showAndWait) {
            run.Break();
            if (joined && shown.ok) run.Add(shown);
            key = c.showAndWait(c.observeDelayMs);
        } else if (k % kPollEvery == kPollEvery - 1) {
            key = Poll(c);
        }
    }
    return key == kDrawStopped ? kDrawStopped : 0;
}

int DrawSystem(SpaceDrawContext& c, InventorySlot& slot, bool observedExample) {
    int key = 0;
    const auto stop = [&] { return (key = Poll(c)) == kDrawStopped; };
    for (std::size_t i = 0; i < slot.initialConditions.size() && key != kDrawStopped; ++i) {
        const TInitialCondition cond = TInitialCondition::Load(slot.initialConditions[i]);
        const std::vector<SpaceSample> path = SystemTrajectory(c.engine, slot, cond, stop);
        if (key == kDrawStopped) break;
        SetPen(c, cond.colour, cond.width);
        key = DrawSamples(c, path, observedExample && static_cast<int>(i) == c.observedCondition, true, -1);
    }
    return key == kDrawStopped ? kDrawStopped : 0;
}

int DrawSequence(SpaceDrawContext& c, InventorySlot& slot, bool observedExample) {
    const double* lo = c.projection.cellMin;
    const double* hi = c.projection.cellMax;
    // A 3D sequence ends where it leaves the cell.
    const auto inside = [&](const SpaceSample& s) {
        const long double p[3] = {s.x, s.y, s.z};
        for (int i = 0; i < 3; ++i) {
            const long double slack = 1e-9L * (1 + std::fabs(hi[i] - lo[i]));
            if (!(p[i] >= lo[i] - slack && p[i] <= hi[i] + slack)) return false;
        }
        return true;
    };
    int key = 0;
    for (std::size_t i = 0; i < slot.initialConditions.size() && key != kDrawStopped; ++i) {
        SpaceStartPoint s = ReadSpaceStartPoint(slot.initialConditions[i]);
        UpdateSpaceStartPoint(c.engine, slot.initialConditions[i], s);
        const std::vector<SpaceSample> terms = SequenceTerms(c.engine, slot, s, c.periodTolerance, inside);
        SetPen(c, s.p.colour, s.p.width);
        key = DrawSamples(c, terms, observedExample && static_cast<int>(i) == c.observedCondition,
                          space::Connect(slot.example) != 0, s.p.size);
    }
    return key == kDrawStopped ? kDrawStopped : 0;
}

}  // namespace

bool SegmentIsOnePiece(const ExampleInventory& inventory) {
    for (int i = 0; i < inventory.Count(); ++i) {
        const std::uint16_t kind = inventory.Slot(i).example.kind;
        if (kind == kKindSurfaceExplicit || kind == kKindCylindrical) return false;
    }
    return true;
}

int DrawSpaceExample(SpaceDrawContext& c, ExampleInventory& inventory, int index) {
    InventorySlot& slot = inventory.Slot(index);
    const TExample& e = slot.example;
    if (!e.visible || !IsSpaceKind(e.kind)) return 0;
    const bool observed = index == c.observedExample;
    c.out.Save();
    int status = 0;
    switch (e.kind) {
    case kKindSpaceCurve: status = DrawCurve(c, slot, space::Samples(e)); break;
    case kKindSpaceSegment: status = DrawCurve(c, slot, SegmentIsOnePiece(inventory) ? 1 : space::Samples(e)); break;
    case kKindSpacePoint: DrawPoint(c, slot); break;
    case kKindSpacePointSequence: DrawPointSequence(c, slot); break;
    case kKindSpaceSystem: status = DrawSystem(c, slot, observed); break;
    case kKindSpaceSequence: status = DrawSequence(c, slot, observed); break;
    default: break;
    }
    c.out.Restore();
    return status;
}

}  // namespace curvelo
