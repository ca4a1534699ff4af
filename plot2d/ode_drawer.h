// Drawing of the differential-equation kinds: the slope or vector field and the solution
// curves from the example's initial conditions, for each pass of a family. dy/dx solutions
// are drawn first and the field over them; a system draws its field first and its
// trajectories over it.
#pragma once

#include <cstdint>
#include <functional>
#include <vector>

#include "expr/eval_program.h"
#include "expr/letters.h"
#include "plot2d/curve_sampler.h"
#include "plot2d/direction_field.h"
#include "plot2d/initial_condition.h"
#include "plot2d/slope_solver.h"
#include "plot2d/trajectory_tracer.h"

namespace curvelo {

bool IsOdeKind(std::uint16_t kind);

// F(x, y) of a dy/dx tree for the solvers: sets the letters X and Y and runs the tree. The
// letters get back their values when it goes.
class SlopeEvaluator {
public:
    SlopeEvaluator(LetterStore& letters, ExprNode* tree);
    ~SlopeEvaluator();
    SlopeEvaluator(const SlopeEvaluator&) = delete;
    SlopeEvaluator& operator=(const SlopeEvaluator&) = delete;
    bool operator()(long double x, long double y, long double& slope);
    SlopeFunction Function() { return [this](long double x, long double y, long double& s) { return (*this)(x, y, s); }; }
    std::uint64_t Evaluations() const { return evaluations_; }

private:
    LetterStore& letters_;
    EvalProgram program_;
    ExtComplex savedX_, savedY_;
    std::uint64_t evaluations_ = 0;
};

struct OdeHooks {
    // Polls the keyboard; the last key code (0: none).
    std::function<int()> pollKey;
    // Observe mode: shows what is drawn so far, then waits delayMs polling the keys; the
    // last key (kKeyStopDrawing stops).
    std::function<int(int delayMs)> showAndWait;
};

// The field of a dx/dt, dy/dt system for the trajectory tracer: (f, g) at (x, y, t), with t
// set only for a time-dependent system, and the restriction r > 0 where one is asked for.
class SystemField : public TraceField {
public:
    SystemField(LetterStore& letters, const TExample& example, const CurveTrees& trees);
    ~SystemField() override;
    SystemField(const SystemField&) = delete;
    SystemField& operator=(const SystemField&) = delete;
    bool Velocity(WorldPoint p, long double t, WorldPoint& v) override;
    bool Visible(WorldPoint p, long double t) override;
    std::uint64_t Evaluations() const { return evaluations_; }

private:
    void Set(WorldPoint p, long double t);
    bool Run(EvalProgram& program, long double& value);

    LetterStore& letters_;
    bool timeDependent_, restricted_;
    EvalProgram f_, g_, r_;
    ExtComplex savedX_, savedY_, savedT_;
    std::uint64_t evaluations_ = 0;
};

// The tracer's settings for a system's trajectories: the window's tolerances with the
// example's borders switch and density.
TraceSettings TrajectorySettings(TraceSettings tolerances, const TExample& example);

// The run of a dy/dx solution from a condition in a view, as the example's switches say.
SlopeRunSettings SlopeRunFor(const TExample& example, const TInitialCondition& c, const PlotView& view,
                             bool suddenAngle);

// Follows one trajectory of a system from a condition in its direction; the sink gets
// the pieces. How the (last) run ended.
TraceResult TraceSystem(TrajectoryTracer& tracer, SystemField& field, const TInitialCondition& c, TraceSink& sink);

class OdeDrawer {
public:
    // tracing: the window's tracer settings, for the trajectories of systems.
    OdeDrawer(LetterStore& letters, DrawSurface& surface, const TraceSettings& tracing = {})
        : letters_(letters), surface_(surface), tracing_(tracing) {}

    bool silent = false;       // no keyboard polling (printing, animation frames)
    bool suddenAngle = false;  // "Hirtelen változó szögek"
    // Observe mode for one condition: each of its steps is shown and followed by a pause.
    int observedCondition = -1;
    int observeDelayMs = 0;
    OdeHooks hooks;

    // Draws a kind 210 or 211 example with its conditions. The last polled key;
    // kKeyStopDrawing when stopped.
    int Draw(const TExample& example, const std::vector<TInitialCondition>& conditions, const CurveTrees& trees);

    std::uint64_t Evaluations() const { return evaluations_; }

private:
    int DrawPass(const TExample& example, const std::vector<TInitialCondition>& conditions);
    int DrawSlopeSolution(const TExample& example, const TInitialCondition& condition, bool observe);
    int DrawField(const TExample& example);
    int DrawTrajectories(const TExample& example, const std::vector<TInitialCondition>& conditions);
    bool Evaluate(int text, long double& value);
    int Poll();

    LetterStore& letters_;
    DrawSurface& surface_;
    TraceSettings tracing_;
    CurveTrees trees_;
    EvalProgram programs_[TExample::kTexts];
    std::uint64_t evaluations_ = 0;
};

}  // namespace curvelo
