// The running point: a parameter value that moves along a curve in steps (arrow keys) or to
// the place nearest the pointer, and the local picture of the curve there, from the
// symbolic derivatives: the slope, the tangent, the normal and the osculating circle. The
// stepping knows nothing of the plane, so a space curve can run the same point.
#pragma once

#include <functional>

#include "plot2d/curve_form.h"

namespace curvelo {

class RunningPoint {
public:
    static constexpr int kDefaultSteps = 500;
    static constexpr int kMaxSteps = 100000;

    // The parameter range and the number of steps across it (clamped to 1 ... kMaxSteps);
    // the point starts in the middle.
    void Reset(long double lo, long double hi, int steps = kDefaultSteps);
    long double T() const { return t_; }
    long double Low() const { return lo_; }
    long double High() const { return hi_; }
    void SetT(long double t);
    // n steps forward (negative: back), stopping at the ends.
    void Step(int n);
    // Moves to the sample (of `samples` across the range) where distance2 is least;
    // distance2 returns false where the curve is undefined. False when none was defined.
    bool MoveNearest(const std::function<bool(long double t, long double& distance2)>& distance2, int samples);

private:
    long double lo_ = 0, hi_ = 1, t_ = 0.5L;
    int steps_ = kDefaultSteps;
};

// The curve at one parameter value.
struct LocalPicture {
    long double t = 0, x = 0, y = 0;
    long double dx = 0, dy = 0;   // the tangent vector P'(t)
    bool hasSlope = false;        // dy/dx exists (the tangent is not vertical)
    long double slope = 0;
    bool hasCircle = false;       // the curvature is not zero
    long double cx = 0, cy = 0, radius = 0;
};

// False where the point or its first derivatives are undefined or the tangent vanishes.
bool LocalPictureAt(LetterStore& letters, const CurveForm& form, long double t, LocalPicture& out);

}  // namespace curvelo
