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

class OdeDrawer {
public:
    OdeDrawer(LetterStore& letters, DrawSurface& surface) : letters_(letters), surface_(surface) {}

    bool silent = false;       // no keyboard polling (printing, animation frames)
    bool suddenAngle = false;  // "Hirtelen változó szögek"
    // Observe mode for one condition: each of its steps is shown and followed by a pause.
    int observedCondition = -1;
    int observeDelayMs = 0;
    OdeHooks hooks;

    // Draws a kind 210 or 211 example with its conditions (each condition's step count
    // becomes the number of steps made). The last polled key; kKeyStopDrawing when stopped.
    int Draw(const TExample& example, std::vector<TInitialCondition>& conditions, const CurveTrees& trees);
    // One dy/dx solution alone, in its own pen, for the current letters.
    int DrawSolution(const TExample& example, TInitialCondition& condition, const CurveTrees& trees);

    std::uint64_t Evaluations() const { return evaluations_; }

private:
    int DrawPass(const TExample& example, std::vector<TInitialCondition>& conditions);
    int DrawSlopeSolution(const TExample& example, TInitialCondition& condition, bool observe);
    int DrawField(const TExample& example);
    bool Evaluate(int text, long double& value);
    int Poll();

    LetterStore& letters_;
    DrawSurface& surface_;
    EvalProgram programs_[TExample::kTexts];
    std::uint64_t evaluations_ = 0;
};

}  // namespace curvelo
