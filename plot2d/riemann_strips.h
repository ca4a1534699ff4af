// The strips a sum adds up, as polygons to draw: rectangles for the left, middle, right and
// random sums, trapezoids, and strips under the parabola through the ends and the midpoint
// for the parabolic sum.
#pragma once

#include <cstdint>
#include <vector>

#include "plot2d/six_sum_integrator.h"
#include "plotwin/draw_surface.h"

namespace curvelo {

// More strips than this are not drawn (they would be narrower than a pixel anyway).
inline constexpr std::int32_t kMaxDrawnStrips = 5000;
// Line pieces of one parabolic strip's top.
inline constexpr int kParabolaPieces = 12;

using StripPolygon = std::vector<WorldPoint>;

// The first method whose bit is set in mask, or -1.
int FirstCheckedMethod(std::uint16_t mask);

// The strips of `method` over [a, b] in n steps; randomPoints are the U of each step, as
// the sum drew them (missing ones count as 0.5). An undefined sample gives height 0, as it
// adds 0 to the sum. Empty when n is outside 1 ... kMaxDrawnStrips.
std::vector<StripPolygon> BuildStrips(const Integrand& f, long double a, long double b, std::int32_t n,
                                      int method, const std::vector<long double>& randomPoints);

void DrawStrips(DrawSurface& surface, const std::vector<StripPolygon>& strips, Rgb colour, Rgb fill);

}  // namespace curvelo
