// An implicit curve F(x, y) = 0 as the tracer follows it: the tangent is perpendicular to
// the gradient, and the corrector pulls a point back onto F = 0 by Newton's method along a
// given line. The gradient comes from central differences a thousandth of a pixel wide,
// which works for every formula the evaluator takes.
#pragma once

#include <cstdint>
#include <functional>

#include "expr/eval_program.h"
#include "expr/letters.h"
#include "expr/tree.h"
#include "plot2d/trajectory_tracer.h"

namespace curvelo {

class ImplicitField : public TraceField {
public:
    // f is F(x, y), not owned; upx, upy (world units per pixel) size the difference steps.
    ImplicitField(LetterStore& letters, ExprNode* f, long double upx, long double upy);

    // F at p; false where undefined.
    bool Value(WorldPoint p, long double& value);
    bool Gradient(WorldPoint p, long double& gx, long double& gy);

    bool Velocity(WorldPoint p, long double t, WorldPoint& v) override;
    bool HasCorrector() const override { return true; }
    bool Correct(WorldPoint& p, WorldPoint normal, long double maxShift) override;
    bool CoastsThroughSingularPoints() const override { return true; }

    std::uint64_t Evaluations() const { return evaluations_; }

private:
    bool Run(EvalProgram& program, WorldPoint p, long double& value);

    LetterStore& letters_;
    EvalProgram f_;
    long double hx_, hy_;
    std::uint64_t evaluations_ = 0;
};


// Looks for a point of F = 0 in the box [x0, x0 + w] x [y0, y0 + h]: up to 15 random pairs
// of points until F has different signs at the two, then bisection down to eps. False when
// no pair changes sign or an evaluation fails during the bisection.
bool FindStartPoint(ImplicitField& field, const std::function<WorldPoint()>& randomPoint, long double eps,
                    WorldPoint& found);

}  // namespace curvelo
