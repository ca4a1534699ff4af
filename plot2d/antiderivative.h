// The antiderivative through the origin of an explicit function (example kind 206): sampled
// across an interval by adding the parabolic sum of each step to the value at its left end.
#pragma once

#include <vector>

#include "plot2d/six_sum_integrator.h"
#include "plotwin/draw_surface.h"

namespace curvelo {

// Most steps taken to reach the first sample from 0 (a far view needs no finer start).
inline constexpr std::int32_t kMaxLeadSteps = 20000;
inline constexpr int kMaxAntiderivativeSamples = 20000;

// (x_k, F(x_k)) for x_k = lo + k (hi - lo) / samples, k = 0 ... samples, with F(0) = 0.
// An undefined point of f adds 0, as in the sums.
std::vector<WorldPoint> AntiderivativePoints(const Integrand& f, long double lo, long double hi, int samples);

void DrawAntiderivative(DrawSurface& surface, const std::vector<WorldPoint>& points, Rgb colour, int penWidth);

}  // namespace curvelo
