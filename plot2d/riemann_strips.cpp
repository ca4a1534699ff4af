#include "plot2d/riemann_strips.h"

#include <algorithm>

namespace curvelo {

int FirstCheckedMethod(std::uint16_t mask) {
    for (int m = 0; m < kSumCount; ++m)
        if (mask & MethodBit(m)) return m;
    return -1;
}

std::vector<StripPolygon> BuildStrips(const Integrand& f, long double a, long double b, std::int32_t n,
                                      int method, const std::vector<long double>& randomPoints) {
    std::vector<StripPolygon> strips;
    if (n < 1 || n > kMaxDrawnStrips || method < 0 || method >= kSumCount) return strips;
    auto at = [&](long double x) {
        long double y = 0;
        return f(x, y) ? y : 0.0L;
    };
    const long double h = (b - a) / n;
    strips.reserve(static_cast<std::size_t>(n));
    long double x0 = a;
    for (std::int32_t i = 1; i <= n; ++i) {
        const long double xr = i == n ? b : x0 + h;
        const long double xm = (x0 + xr) * 0.5L;
        StripPolygon p = {{x0, 0}};
        switch (method) {
        case kSumTrapezoid:
            p.push_back({x0, at(x0)});
            p.push_back({xr, at(xr)});
            break;
        case kSumParabolic: {
            // The parabola through the three points, in Lagrange form on [0, 1].
            const long double l = at(x0), m = at(xm), r = at(xr);
            for (int k = 0; k <= kParabolaPieces; ++k) {
                const long double s = static_cast<long double>(k) / kParabolaPieces;
                const long double y = l * (2 * s - 1) * (s - 1) + m * 4 * s * (1 - s) + r * s * (2 * s - 1);
                p.push_back({x0 + (xr - x0) * s, y});
            }
            break;
        }
        default: {
            const std::size_t k = static_cast<std::size_t>(i - 1);
            const long double u = k < randomPoints.size() ? randomPoints[k] : 0.5L;
            const long double x = method == kSumLeft ? x0 : method == kSumRight ? xr
                                : method == kSumMiddle ? xm : x0 + h * u;
            const long double y = at(x);
            p.push_back({x0, y});
            p.push_back({xr, y});
            break;
        }
        }
        p.push_back({xr, 0});
        strips.push_back(std::move(p));
        x0 = xr;
    }
    return strips;
}

void DrawStrips(DrawSurface& surface, const std::vector<StripPolygon>& strips, Rgb colour, Rgb fill) {
    surface.Save();
    surface.SetPen(colour, 1, LineStyle::kSolid);
    surface.SetBrush(fill);
    // Heights near a pole are cut a view's height beyond its edges.
    const PlotView& v = surface.View();
    const long double span = v.ymax - v.ymin, lo = v.ymin - span, hi = v.ymax + span;
    StripPolygon cut;
    for (const StripPolygon& p : strips) {
        cut = p;
        for (WorldPoint& q : cut) q.y = std::clamp(q.y, lo, hi);
        surface.FilledPolygon(cut.data(), static_cast<int>(cut.size()));
    }
    surface.Restore();
}

}  // namespace curvelo
