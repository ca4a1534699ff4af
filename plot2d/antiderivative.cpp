#include "plot2d/antiderivative.h"

#include <algorithm>
#include <cmath>

namespace curvelo {

std::vector<WorldPoint> AntiderivativePoints(const Integrand& f, long double lo, long double hi, int samples) {
    std::vector<WorldPoint> points;
    if (!(lo < hi) || !std::isfinite(lo) || !std::isfinite(hi)) return points;
    samples = std::clamp(samples, 1, kMaxAntiderivativeSamples);
    // The midpoint stands in for the random point: only the parabolic sum is used.
    const IntegratorHooks hooks{nullptr, [] { return 0.5L; }};
    const long double h = (hi - lo) / samples;
    long double value = 0;
    if (lo != 0) {
        const long double lead = std::ceil(std::fabs(lo) / h);
        const auto steps = static_cast<std::int32_t>(std::clamp<long double>(lead, 1, kMaxLeadSteps));
        value = IntegrateSixWays(f, 0, lo, steps, hooks).value[kSumParabolic];
    }
    points.reserve(static_cast<std::size_t>(samples) + 1);
    points.push_back({lo, value});
    long double x = lo;
    for (int k = 1; k <= samples; ++k) {
        const long double next = k == samples ? hi : lo + h * k;
        value += IntegrateSixWays(f, x, next, 1, hooks).value[kSumParabolic];
        points.push_back({next, value});
        x = next;
    }
    return points;
}

void DrawAntiderivative(DrawSurface& surface, const std::vector<WorldPoint>& points, Rgb colour, int penWidth) {
    surface.Save();
    surface.SetPen(colour, penWidth, LineStyle::kSolid);
    const PlotView& v = surface.View();
    for (std::size_t i = 1; i < points.size(); ++i) {
        WorldPoint a = points[i - 1], b = points[i];
        if (std::isfinite(a.y) && std::isfinite(b.y) && v.ClipSegment(a, b)) surface.Segment(a, b);
    }
    surface.Restore();
}

}  // namespace curvelo
