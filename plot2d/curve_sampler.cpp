#include "plot2d/curve_sampler.h"

#include <algorithm>
#include <cmath>

#include "expr/eval.h"
#include "expr/eval_cancel.h"
#include "plot2d/example_kinds.h"
#include "plot2d/ordered_midpoint.h"
#include "plotwin/colour_table.h"
#include "plotwin/draw_dot.h"
#include "plotwin/to_int.h"

namespace curvelo {

namespace {

constexpr long double kStartOffset = 1e-18L;
// Beyond this a world coordinate cannot be mapped to pixels meaningfully.
constexpr long double kMappable = 1e300L;
// Segments shorter than this (in pixels) are joined without looking for a pole between
// their ends; longer visible ones are halved until they shrink below the example's
// discontinuity threshold or are found to stay long, as across 1/x at 0 or tan at pi/2.
constexpr long double kPoleCheckPixels = 16;
constexpr int kMaxHalvings = 64;
// Representable values between two samples are at most 2^80 apart in order, so bisection
// by representation reaches the edge of a domain within this many evaluations.
constexpr int kMaxEdgeSteps = 80;
// A tool-derived parametric example marks itself with this value at offset 32.
constexpr std::uint16_t kDerivedCurveMark = 27;

bool IsCurveKind(std::uint16_t kind) {
    return kind == kKindExplicit || kind == kKindPolar || kind == kKindParametric;
}

bool Mappable(const WorldPoint& p) {
    return std::isfinite(p.x) && std::isfinite(p.y) && std::fabs(p.x) < kMappable &&
           std::fabs(p.y) < kMappable;
}

}  // namespace

LineStyle LineStyleOf(std::uint16_t style) {
    switch (style) {
    case 1: return LineStyle::kDotted;
    case 2: return LineStyle::kDashed;
    case 3: return LineStyle::kDashDot;
    case 4: return LineStyle::kDashDotDot;
    default: return LineStyle::kSolid;
    }
}

int ForEachFamilyMember(const TExample& example, LetterStore& letters, const SamplerHooks& hooks,
                        const std::function<int()>& pass) {
    int passes = 1;
    long double increment = 0;
    const int param = example.familyParam;
    const bool family = example.familyActive && param >= 1 && param < kLetterCount;
    // The family's letter is the user's value again once the family is drawn.
    const ExtComplex letterBefore = family ? letters.LetterValues[param] : ExtComplex{};
    if (family) {
        const int s = std::abs(static_cast<int>(example.familySteps));
        passes = s + 1;
        if (s > 0) increment = (example.familyHigh - example.familyLow) / s;
        letters.LetterValues[param] = {example.familyLow, 0.0L};
    }
    int key = 0;
    for (int k = 0; k < passes; ++k) {
        key = pass();
        if (key == kKeyStopDrawing) break;
        if (family) {
            letters.LetterValues[param].re += increment;
            if (example.familySteps < 0 && hooks.showPassAndWait && k + 1 < passes) {
                key = hooks.showPassAndWait(example.familyDelay);
                if (key == kKeyStopDrawing) break;
            }
        }
    }
    if (family) letters.LetterValues[param] = letterBefore;
    return key;
}

SamplingRange ComputeSamplingRange(const TExample& example, const PlotView& view,
                                   bool transformActive) {
    SamplingRange r;
    const std::int64_t full = static_cast<std::int64_t>(example.density) * (view.W + 1);
    r.steps = full;
    if (example.kind == kKindExplicit && !example.intervalFixed) {
        r.lo = view.xmin;
        r.hi = view.xmax;
    } else {
        r.lo = example.low;
        r.hi = example.high;
        if (example.kind == kKindExplicit) {
            if (!transformActive) {
                if (view.xmax < r.lo + kStartOffset || r.hi < view.xmin + kStartOffset) {
                    r.empty = true;
                    return r;
                }
                r.lo = std::max(r.lo, view.xmin);
                r.hi = std::min(r.hi, view.xmax);
            }
            // The same density per pixel as a curve across the whole view.
            r.steps = ToInt(static_cast<long double>(full) * (r.hi - r.lo) * 0.5L / view.hw);
        }
    }
    if (!(r.hi > r.lo) || !std::isfinite(r.lo) || !std::isfinite(r.hi) || r.steps < 1)
        r.empty = true;
    return r;
}

void FollowViewRange(TExample& example, const PlotView& view) {
    if ((example.kind == kKindExplicit || example.kind == kKindIndefiniteIntegral) &&
        !example.intervalFixed) {
        example.low = view.xmin;
        example.high = view.xmax;
    }
}

bool CurveSampler::Evaluate(int text, long double& value) {
    ++evaluations_;
    EvalProgram& program = programs_[text];
    if (!program.Tree() || !program.Run(letters_)) return false;
    value = program.Tree()->value.re;
    return std::isfinite(value);
}

template <typename Evaluator>
CurveSampler::SampleState CurveSampler::SampleWith(const TExample& example, long double t, WorldPoint& p,
                                                   Evaluator&& evaluate) {
    letters_.LetterValues[sampledLetter_] = {t, 0.0L};
    letters_.JumpFlag = 0;
    long double f = 0;
    if (!evaluate(1, f)) return SampleState::kUndefined;
    if (example.kind == kKindExplicit) {
        p = {t, f};
    } else {
        long double x = 0;
        if (!evaluate(0, x)) return SampleState::kUndefined;
        if (example.kind == kKindPolar && example.positiveROnly) {
            long double r = 0;
            if (!evaluate(2, r) || !(r > 0)) return SampleState::kUndefined;
        }
        p = {x, f};
    }
    if (letters_.JumpFlag) return SampleState::kBroken;
    if (hooks.transform && !hooks.transform(p)) return SampleState::kUndefined;
    return Mappable(p) ? SampleState::kValid : SampleState::kUndefined;
}

CurveSampler::SampleState CurveSampler::Sample(const TExample& example, long double t, WorldPoint& p) {
    return SampleWith(example, t, p, [this](int text, long double& v) { return Evaluate(text, v); });
}

bool CurveSampler::FillGrid(const TExample& example, const SamplingRange& range, std::int64_t i, long double t) {
    // Sample's order of the texts.
    static constexpr int kTexts[3] = {1, 0, 2};
    if (!batched) return false;
    const int trees = example.kind == kKindExplicit ? 1 : (example.kind == kKindPolar && example.positiveROnly) ? 3 : 2;
    for (int k = 0; k < trees; ++k)
        if (!programs_[kTexts[k]].IsFlat()) return false;  // side effects or loops: one sample at a time
    // The parameter steps as DrawPass steps it; GridSample checks that they meet.
    const long double dt = (range.hi - range.lo) / static_cast<long double>(range.steps);
    const std::int64_t left = range.steps - i + 1;
    const int n = static_cast<int>(std::min<std::int64_t>(kGridChunk, left));
    if (n <= 0) return false;
    for (int k = 0; k < n; ++k) {
        grid_.t[k] = t;
        t = (i + k == range.steps - 1) ? range.hi : t + dt;
    }
    for (int k = 0; k < trees; ++k) {
        const int text = kTexts[k];
        programs_[text].RunBatch(letters_, sampledLetter_, grid_.t, n, grid_.value[text], grid_.defined[text],
                                 grid_.jump[text]);
    }
    grid_.first = i;
    grid_.count = n;
    return true;
}

CurveSampler::SampleState CurveSampler::GridSample(const TExample& example, const SamplingRange& range,
                                                   std::int64_t i, long double t, WorldPoint& p) {
    if ((i == 0 || i < grid_.first || i >= grid_.first + grid_.count) && !FillGrid(example, range, i, t))
        grid_.count = 0;
    const std::int64_t k = i - grid_.first;
    if (grid_.count == 0 || k < 0 || k >= grid_.count || grid_.t[k] != t) return Sample(example, t, p);
    return SampleWith(example, t, p, [this, k](int text, long double& v) {
        ++evaluations_;
        v = grid_.value[text][k];
        letters_.JumpFlag |= grid_.jump[text][k];
        return grid_.defined[text][k] && std::isfinite(v);
    });
}

bool CurveSampler::FindEdge(const TExample& example, long double inside, long double outside,
                            long double& tEdge, WorldPoint& edge) {
    bool found = false;
    for (int k = 0; k < kMaxEdgeSteps; ++k) {
        const long double tm = OrderedMidpoint(inside, outside);
        if (tm == inside || tm == outside) break;
        WorldPoint m;
        const SampleState state = Sample(example, tm, m);
        if (state == SampleState::kBroken) break;
        if (state == SampleState::kValid) {
            inside = tm;
            tEdge = tm;
            edge = m;
            found = true;
        } else {
            outside = tm;
        }
    }
    return found;
}

bool CurveSampler::MayBreak(const WorldPoint& a, const WorldPoint& b) const {
    const PlotView& view = surface_.View();
    return breakGap_ > 0 &&
           std::max(std::fabs(a.x - b.x) * view.ppx, std::fabs(a.y - b.y) * view.ppy) > breakGap_;
}

bool CurveSampler::BreaksBetween(const TExample& example, long double ta, const WorldPoint& a0,
                                 long double tb, const WorldPoint& b0) {
    const long double limit = example.discontinuity;
    const PlotView& view = surface_.View();
    const auto gap = [&view](const WorldPoint& p, const WorldPoint& q) {
        return std::max(std::fabs(p.x - q.x) * view.ppx, std::fabs(p.y - q.y) * view.ppy);
    };
    WorldPoint a = a0, b = b0, ca = a0, cb = b0;
    if (!view.ClipSegment(ca, cb)) return false;  // nothing of it would be seen
    // A continuous curve's piece halves with its parameter interval; one across a pole or
    // a jump keeps a half about as long as the gap.
    long double g = 0;
    for (int k = 0; k < kMaxHalvings; ++k) {
        const long double tm = ta + (tb - ta) / 2;
        if (!(tm > std::min(ta, tb) && tm < std::max(ta, tb))) return true;
        WorldPoint m;
        if (Sample(example, tm, m) != SampleState::kValid) return true;  // undefined in between
        const long double g1 = gap(a, m), g2 = gap(m, b);
        if (g1 >= g2) {
            b = m;
            tb = tm;
            g = g1;
        } else {
            a = m;
            ta = tm;
            g = g2;
        }
        if (g <= limit) return false;
    }
    return true;
}

void CurveSampler::LiftPen() {
    if (inPolyline_) surface_.EndPolyline();
    inPolyline_ = false;
}

void CurveSampler::Join(const WorldPoint& from, bool fromInView, const WorldPoint& to, bool toInView) {
    const PlotView& view = surface_.View();
    // Inside the view and going on from the last point: nothing to clip.
    if (inPolyline_ && fromInView && toInView && from.x == polylineEnd_.x && from.y == polylineEnd_.y) {
        surface_.PolylineTo(to);
        polylineEnd_ = to;
        return;
    }
    // Both ends beyond the same edge: nothing of it is seen (a curve that leaves the view
    // goes on there for many samples).
    if ((from.x < view.xmin && to.x < view.xmin) || (from.x > view.xmax && to.x > view.xmax) ||
        (from.y < view.ymin && to.y < view.ymin) || (from.y > view.ymax && to.y > view.ymax)) {
        LiftPen();
        return;
    }
    WorldPoint a = from, b = to;
    if (!view.ClipSegment(a, b)) {
        LiftPen();
        return;
    }
    const bool continues = inPolyline_ && a.x == polylineEnd_.x && a.y == polylineEnd_.y;
    if (!continues) {
        LiftPen();
        surface_.BeginPolyline();
        surface_.PolylineTo(a);
        inPolyline_ = true;
    }
    surface_.PolylineTo(b);
    polylineEnd_ = b;
    // A clipped end leaves the view: the next piece starts afresh.
    if (b.x != to.x || b.y != to.y) LiftPen();
}

void CurveSampler::AddPoint(const TExample& example, long double t, const WorldPoint& p, bool checkBreak) {
    const bool breaks = penDown_ && checkBreak && MayBreak(previous_, p) &&
                        BreaksBetween(example, previousT_, previous_, t, p);
    // Worked out once per point: the next point's join asks it again.
    const bool inView = surface_.View().InView(p.x, p.y);
    if (exporting_) {
        if (breaks) LiftPen();
        if (!penDown_ || breaks) {
            surface_.BeginPolyline();
            inPolyline_ = true;
        }
        surface_.PolylineTo(p);
    } else if (dotsMode) {
        DrawDotOfRadius(surface_, p, dotRadius);
    } else if (breaks) {
        LiftPen();
    } else if (penDown_) {
        Join(previous_, previousInView_, p, inView);
    }
    previous_ = p;
    previousInView_ = inView;
    previousT_ = t;
    penDown_ = true;
}

int CurveSampler::DrawPass(const TExample& example,
                           const SamplingRange& range) {
    const long double dt = (range.hi - range.lo) / static_cast<long double>(range.steps);
    long double t = range.lo + kStartOffset;
    penDown_ = false;
    // Where the curve enters or leaves its domain between two samples, it is drawn up to
    // the edge; no pole check there, the bisection has looked between them already.
    SampleState lastState = SampleState::kBroken;
    long double lastT = t;
    long double tEdge = 0;
    WorldPoint edge;
    int key = 0;
    for (std::int64_t i = 0; i <= range.steps; ++i) {
        WorldPoint p;
        const SampleState state = GridSample(example, range, i, t, p);
        if (state == SampleState::kValid) {
            const bool entering = lastState == SampleState::kUndefined && FindEdge(example, t, lastT, tEdge, edge);
            if (entering) AddPoint(example, tEdge, edge, false);
            AddPoint(example, t, p, !entering);
        } else {
            if (state == SampleState::kUndefined && lastState == SampleState::kValid &&
                FindEdge(example, lastT, t, tEdge, edge))
                AddPoint(example, tEdge, edge, false);
            penDown_ = false;
            LiftPen();
        }
        lastState = state;
        lastT = t;
        // A cancelled evaluation (Q or a batch time limit) stops the drawing as Q does.
        if (!CountEvalStep(letters_) || EvalCancelled(letters_)) {
            key = kKeyStopDrawing;
            break;
        }
        if (!silent && hooks.pollKey) {
            key = hooks.pollKey();
            if (key == kKeyStopDrawing) break;
        }
        t = (i == range.steps - 1) ? range.hi : t + dt;
    }
    LiftPen();
    return key;
}

void CurveSampler::DrawArrow(TExample& example) {
    const PlotView& view = surface_.View();
    const long double length = view.upx * (example.arrowSize + 10);
    example.extra311[TExample::kArrowLength] = length;
    letters_.LetterValues[sampledLetter_] = {example.extra311[TExample::kArrowT], 0.0L};
    long double x = 0, y = 0, vx = 0, vy = 0;
    if (!Evaluate(0, x) || !Evaluate(1, y) ||
        !Evaluate(4, vx) || !Evaluate(5, vy))
        return;
    const long double norm = std::hypot(vx, vy);
    if (!(norm >= 0.01L * view.upx) || !std::isfinite(norm)) return;
    vx /= norm;
    vy /= norm;
    // Half-angle of the head about 20 degrees.
    const long double back = length * 0.94L, side = length * 0.34L;
    const WorldPoint head[3] = {
        {x, y},
        {x - vx * back - vy * side, y - vy * back + vx * side},
        {x - vx * back + vy * side, y - vy * back - vx * side},
    };
    surface_.FilledPolygon(head, 3);
}

int CurveSampler::Draw(TExample& example, const CurveTrees& trees) {
    if (!example.visible || !IsCurveKind(example.kind)) return 0;
    const SamplingRange range = ComputeSamplingRange(example, surface_.View(),
                                                     static_cast<bool>(hooks.transform));
    if (range.empty) return 0;

    sampledLetter_ = example.kind == kKindExplicit ? kLetterX : kLetterT;
    if (example.kind == kKindParametric && example.reserved32 > 0 &&
        example.reserved32 < kLetterCount)
        sampledLetter_ = example.reserved32;
    if (example.kind == kKindParametric && example.reserved32 == kDerivedCurveMark)
        sampledLetter_ = kLetterT;

    for (int i = 0; i < TExample::kTexts; ++i) programs_[i].Reset(trees.tree[i]);
    exporting_ = surface_.IsExport();
    const long double savedTolerance = letters_.JumpTolerance;
    letters_.JumpTolerance = example.discontinuity * surface_.View().upx;
    // A threshold of 0 asks for every jump to be joined by a stroke.
    breakGap_ = example.discontinuity > 0 ? std::max(kPoleCheckPixels, example.discontinuity) : 0;

    const Rgb colour = ColourOf(example.penColour);
    const int width = (example.kind == kKindParametric && example.reserved32 == kDerivedCurveMark)
                          ? curveWidth
                          : example.penWidth;
    surface_.Save();
    surface_.SetPen(colour, width, LineStyleOf(example.penStyle));
    surface_.SetBrush(colour);

    const int key = ForEachFamilyMember(example, letters_, hooks, [&] {
        const int k = DrawPass(example, range);
        if (k != kKeyStopDrawing && example.kind == kKindParametric && example.arrow && !surface_.IsExport())
            DrawArrow(example);
        return k;
    });
    surface_.Restore();
    letters_.JumpTolerance = savedTolerance;
    return key;
}

}  // namespace curvelo
