#include "plot2d/ode_drawer.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>

#include "plot2d/example_kinds.h"
#include "plot2d/example_limits.h"

namespace curvelo {
namespace {

constexpr int kPollEverySteps = 64;

// Draws the traced pieces, clipped to the view; observing shows each piece as it grows.
class SurfaceSink : public TraceSink {
public:
    SurfaceSink(DrawSurface& surface, const std::function<bool()>* observe) : surface_(surface), observe_(observe) {}
    void MoveTo(WorldPoint p) override { last_ = p; }
    void LineTo(WorldPoint p) override {
        WorldPoint a = last_, b = p;
        if (surface_.View().ClipSegment(a, b)) surface_.Segment(a, b);
        last_ = p;
        if (observe_ && *observe_ && (*observe_)()) stopped_ = true;
    }
    bool Stopped() const { return stopped_; }

private:
    DrawSurface& surface_;
    const std::function<bool()>* observe_;
    WorldPoint last_;
    bool stopped_ = false;
};

}  // namespace

SystemField::SystemField(LetterStore& letters, const TExample& example, const CurveTrees& trees)
    : letters_(letters), timeDependent_(example.flag51 != 0), restricted_(example.positiveROnly != 0 && trees.tree[3]),
      f_(trees.tree[0]), g_(trees.tree[1]), r_(trees.tree[3]), savedX_(letters.LetterValues[kLetterX]),
      savedY_(letters.LetterValues[kLetterY]), savedT_(letters.LetterValues[kLetterT]) {}

SystemField::~SystemField() {
    letters_.LetterValues[kLetterX] = savedX_;
    letters_.LetterValues[kLetterY] = savedY_;
    letters_.LetterValues[kLetterT] = savedT_;
}

void SystemField::Set(WorldPoint p, long double t) {
    letters_.LetterValues[kLetterX] = {p.x, 0.0L};
    letters_.LetterValues[kLetterY] = {p.y, 0.0L};
    if (timeDependent_) letters_.LetterValues[kLetterT] = {t, 0.0L};
}

bool SystemField::Run(EvalProgram& program, long double& value) {
    ++evaluations_;
    if (!program.Tree() || !program.Run(letters_)) return false;
    value = program.Tree()->value.re;
    return std::isfinite(value);
}

bool SystemField::Velocity(WorldPoint p, long double t, WorldPoint& v) {
    Set(p, t);
    return Run(f_, v.x) && Run(g_, v.y);
}

bool SystemField::Visible(WorldPoint p, long double t) {
    if (!restricted_) return true;
    Set(p, t);
    long double r = 0;
    return Run(r_, r) && r > 0;
}

TraceSettings TrajectorySettings(TraceSettings tolerances, const TExample& example) {
    tolerances.stopAtBorder = example.flags52[0] != 0;
    tolerances.density = std::clamp<int>(example.density, kMinDensity, kMaxDensity);
    return tolerances;
}

SlopeRunSettings SlopeRunFor(const TExample& example, const TInitialCondition& c, const PlotView& view,
                             bool suddenAngle) {
    SlopeRunSettings run = SlopeRunOf(c);
    run.stopAtBorder = example.flags52[0] != 0;
    run.suddenAngle = suddenAngle;
    run.xmin = view.xmin;
    run.xmax = view.xmax;
    run.ymin = view.ymin;
    run.ymax = view.ymax;
    return run;
}

TraceResult TraceSystem(TrajectoryTracer& tracer, SystemField& field, const TInitialCondition& c, TraceSink& sink) {
    const WorldPoint start{c.x0, c.y0};
    switch (c.Direction()) {
    case TraceDirection::kForward: return tracer.Trace(field, start, c.t0, TrajectoryTracer::kForward, sink);
    case TraceDirection::kBackward: return tracer.Trace(field, start, c.t0, TrajectoryTracer::kBackward, sink);
    case TraceDirection::kBoth: break;
    }
    return tracer.TraceBoth(field, start, c.t0, sink);
}

bool IsOdeKind(std::uint16_t kind) { return kind == kKindSystem || kind == kKindSlope; }

bool OdeDrawer::Evaluate(int text, long double& value) {
    ++evaluations_;
    EvalProgram& program = programs_[text];
    if (!program.Tree() || !program.Run(letters_)) return false;
    value = program.Tree()->value.re;
    return std::isfinite(value);
}

int OdeDrawer::Poll() { return silent || !hooks.pollKey ? 0 : hooks.pollKey(); }

SlopeEvaluator::SlopeEvaluator(LetterStore& letters, ExprNode* tree)
    : letters_(letters), program_(tree), savedX_(letters.LetterValues[kLetterX]),
      savedY_(letters.LetterValues[kLetterY]) {}

SlopeEvaluator::~SlopeEvaluator() {
    letters_.LetterValues[kLetterX] = savedX_;
    letters_.LetterValues[kLetterY] = savedY_;
}

bool SlopeEvaluator::operator()(long double x, long double y, long double& slope) {
    ++evaluations_;
    letters_.LetterValues[kLetterX] = {x, 0.0L};
    letters_.LetterValues[kLetterY] = {y, 0.0L};
    if (!program_.Tree() || !program_.Run(letters_)) return false;
    slope = program_.Tree()->value.re;
    return std::isfinite(slope);
}

int OdeDrawer::Draw(const TExample& example, const std::vector<TInitialCondition>& conditions, const CurveTrees& trees) {
    if (!example.visible || !IsOdeKind(example.kind)) return 0;
    for (int i = 0; i < TExample::kTexts; ++i) programs_[i].Reset(trees.tree[i]);
    trees_ = trees;
    const int param = example.familyParam;
    const bool family = example.familyActive && param >= 1 && param < kLetterCount;
    const ExtComplex letterBefore = family ? letters_.LetterValues[param] : ExtComplex{};
    int passes = 1;
    long double increment = 0;
    if (family) {
        const int s = std::clamp(std::abs(static_cast<int>(example.familySteps)), 0, kMaxFamilySteps);
        passes = s + 1;
        if (s > 0) increment = (example.familyHigh - example.familyLow) / s;
        letters_.LetterValues[param] = {example.familyLow, 0.0L};
    }
    const ExtComplex savedX = letters_.LetterValues[kLetterX], savedY = letters_.LetterValues[kLetterY];
    int key = 0;
    for (int k = 0; k < passes && key != kKeyStopDrawing; ++k) {
        key = DrawPass(example, conditions);
        if (key == kKeyStopDrawing || !family) break;
        letters_.LetterValues[param].re += increment;
        if (example.familySteps < 0 && hooks.showAndWait && k + 1 < passes)
            key = hooks.showAndWait(example.familyDelay);
    }
    letters_.LetterValues[kLetterX] = savedX;
    letters_.LetterValues[kLetterY] = savedY;
    if (family) letters_.LetterValues[param] = letterBefore;
    return key;
}

int OdeDrawer::DrawPass(const TExample& example, const std::vector<TInitialCondition>& conditions) {
    if (example.kind == kKindSystem) {
        const int key = DrawField(example);
        return key == kKeyStopDrawing ? key : DrawTrajectories(example, conditions);
    }
    for (std::size_t i = 0; i < conditions.size(); ++i)
        if (DrawSlopeSolution(example, conditions[i], static_cast<int>(i) == observedCondition) == kKeyStopDrawing)
            return kKeyStopDrawing;
    return DrawField(example);
}

int OdeDrawer::DrawSlopeSolution(const TExample& example, const TInitialCondition& c, bool observe) {
    const PlotView& view = surface_.View();
    const SlopeRunSettings run = SlopeRunFor(example, c, view, suddenAngle);
    surface_.Save();
    surface_.SetPen(ColourOf(std::min<int>(c.colour, kColourCount - 1)), std::clamp<int>(c.width, kMinPenWidth, kMaxPenWidth),
                    LineStyle::kSolid);
    int key = 0;
    long long count = 0;
    const SlopeFunction f = [this](long double x, long double y, long double& s) {
        letters_.LetterValues[kLetterX] = {x, 0.0L};
        letters_.LetterValues[kLetterY] = {y, 0.0L};
        return Evaluate(2, s);
    };
    // Pieces inside the view join into one polyline; pieces across the edge are clipped.
    // Observing draws piece by piece so each step shows at once.
    bool open = false;
    auto close = [&] {
        if (open) surface_.EndPolyline();
        open = false;
    };
    RunSlopeSolution(f, run, [&](long double px, long double py, long double x, long double y, bool drawn) {
        if (drawn && !observe && view.InView(px, py) && view.InView(x, y)) {
            if (!open) {
                surface_.BeginPolyline();
                surface_.PolylineTo({px, py});
                open = true;
            }
            surface_.PolylineTo({x, y});
        } else {
            close();
            WorldPoint a{px, py}, b{x, y};
            if (drawn && view.ClipSegment(a, b)) surface_.Segment(a, b);
        }
        if (observe && hooks.showAndWait) {
            key = hooks.showAndWait(observeDelayMs);
        } else if (++count % kPollEverySteps == 0) {
            key = Poll();
        }
        return key != kKeyStopDrawing;
    });
    close();
    surface_.Restore();
    return key;
}

int OdeDrawer::DrawTrajectories(const TExample& example, const std::vector<TInitialCondition>& conditions) {
    if (conditions.empty()) return 0;
    TraceSettings settings = TrajectorySettings(tracing_, example);
    int key = 0;
    // An observed step may have read Q already.
    settings.stopRequested = [&] {
        if (key == kKeyStopDrawing) return true;
        if (!silent && hooks.pollKey) key = hooks.pollKey();
        return key == kKeyStopDrawing;
    };
    TrajectoryTracer tracer(surface_.View(), settings);
    SystemField field(letters_, example, trees_);
    for (std::size_t i = 0; i < conditions.size() && key != kKeyStopDrawing; ++i) {
        const TInitialCondition& c = conditions[i];
        std::function<bool()> observe;
        if (static_cast<int>(i) == observedCondition && hooks.showAndWait)
            observe = [&] { return (key = hooks.showAndWait(observeDelayMs)) == kKeyStopDrawing; };
        surface_.Save();
        surface_.SetPen(ColourOf(std::min<int>(c.colour, kColourCount - 1)),
                        std::clamp<int>(c.width, kMinPenWidth, kMaxPenWidth), LineStyle::kSolid);
        SurfaceSink sink(surface_, observe ? &observe : nullptr);
        const TraceResult r = TraceSystem(tracer, field, c, sink);
        surface_.Restore();
        if (r.end == TraceEnd::kStopped || sink.Stopped()) key = kKeyStopDrawing;
    }
    evaluations_ += field.Evaluations();
    return key;
}

int OdeDrawer::DrawField(const TExample& example) {
    FieldSettings settings;
    settings.style = static_cast<FieldStyle>(std::min<int>(example.reserved16, 2));
    // A dy/dx field has only directions.
    if (example.kind == kKindSlope && settings.style == FieldStyle::kVectors) settings.style = FieldStyle::kDirections;
    if (settings.style == FieldStyle::kNone) return 0;
    settings.rows = example.fieldRows;
    settings.segmentTenthsPercent = example.fieldSegment;
    surface_.Save();
    surface_.SetPen(ColourOf(std::min<int>(example.penColour, kColourCount - 1)),
                    std::clamp<int>(example.penWidth, kMinPenWidth, kMaxPenWidth), LineStyle::kSolid);
    FieldVector vector;
    if (example.kind == kKindSlope) {
        vector = [this](long double x, long double y, long double& dx, long double& dy) {
            letters_.LetterValues[kLetterX] = {x, 0.0L};
            letters_.LetterValues[kLetterY] = {y, 0.0L};
            dx = 1;
            return Evaluate(2, dy);
        };
    } else {
        // A time-dependent system shows its field at t = 0.
        vector = [this](long double x, long double y, long double& dx, long double& dy) {
            letters_.LetterValues[kLetterX] = {x, 0.0L};
            letters_.LetterValues[kLetterY] = {y, 0.0L};
            letters_.LetterValues[kLetterT] = {0.0L, 0.0L};
            return Evaluate(0, dx) && Evaluate(1, dy);
        };
    }
    int key = 0;
    const bool complete = curvelo::DrawField(surface_, settings, vector, [&] {
        key = Poll();
        return key == kKeyStopDrawing;
    });
    surface_.Restore();
    return complete ? key : kKeyStopDrawing;
}

}  // namespace curvelo
