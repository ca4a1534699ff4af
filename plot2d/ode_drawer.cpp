#include "plot2d/ode_drawer.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>

#include "plot2d/example_kinds.h"
#include "plot2d/example_limits.h"

namespace curvelo {
namespace {

constexpr int kPollEverySteps = 64;

}  // namespace

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

int OdeDrawer::Draw(const TExample& example, std::vector<TInitialCondition>& conditions, const CurveTrees& trees) {
    if (!example.visible || !IsOdeKind(example.kind)) return 0;
    for (int i = 0; i < TExample::kTexts; ++i) programs_[i].Reset(trees.tree[i]);
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

int OdeDrawer::DrawPass(const TExample& example, std::vector<TInitialCondition>& conditions) {
    if (example.kind == kKindSystem) return DrawField(example);
    for (std::size_t i = 0; i < conditions.size(); ++i)
        if (DrawSlopeSolution(example, conditions[i], static_cast<int>(i) == observedCondition) == kKeyStopDrawing)
            return kKeyStopDrawing;
    return DrawField(example);
}

int OdeDrawer::DrawSolution(const TExample& example, TInitialCondition& condition, const CurveTrees& trees) {
    for (int i = 0; i < TExample::kTexts; ++i) programs_[i].Reset(trees.tree[i]);
    return DrawSlopeSolution(example, condition, false);
}

int OdeDrawer::DrawSlopeSolution(const TExample& example, TInitialCondition& c, bool observe) {
    const PlotView& view = surface_.View();
    SlopeRunSettings run;
    run.x0 = c.x0;
    run.y0 = c.y0;
    run.h = c.step;
    run.steps = c.StepLimit();
    run.method = c.Method();
    run.stopAtBorder = example.flags52[0] != 0;
    run.suddenAngle = suddenAngle;
    run.xmin = view.xmin;
    run.xmax = view.xmax;
    run.ymin = view.ymin;
    run.ymax = view.ymax;
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
    const SlopeRunResult result = RunSlopeSolution(f, run, [&](long double px, long double py, long double x, long double y, bool drawn) {
        if (drawn) {
            WorldPoint a{px, py}, b{x, y};
            if (view.ClipSegment(a, b)) surface_.Segment(a, b);
        }
        if (observe && hooks.showAndWait) {
            key = hooks.showAndWait(observeDelayMs);
        } else if (++count % kPollEverySteps == 0) {
            key = Poll();
        }
        return key != kKeyStopDrawing;
    });
    surface_.Restore();
    c.stepsMade = result.stepsMade;
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
