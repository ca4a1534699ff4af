#include "framework/quad_filler.h"

#include <algorithm>
#include <cmath>

namespace curvelo::fw {
namespace {

std::uint32_t Pack(Color c) {
    return 0xff000000u | static_cast<std::uint32_t>(c.r) << 16 | static_cast<std::uint32_t>(c.g) << 8 | c.b;
}

bool Finite(PointF p) { return std::isfinite(p.x) && std::isfinite(p.y); }

bool AllFinite(const PointF* p, int n) {
    for (int k = 0; k < n; ++k)
        if (!Finite(p[k])) return false;
    return true;
}

// lo..hi clamped into [min, max]; a NaN lands on min. Comparisons stay in doubles so that no
// out-of-range value is ever converted to int.
double Clamp(double v, double min, double max) {
    if (!(v >= min)) return min;
    return v > max ? max : v;
}

}  // namespace

QuadFiller::QuadFiller(const RasterTarget& target) : t_(target) {
    t_.clip.left = std::max(t_.clip.left, 0);
    t_.clip.top = std::max(t_.clip.top, 0);
    t_.clip.right = std::min(t_.clip.right, t_.width);
    t_.clip.bottom = std::min(t_.clip.bottom, t_.height);
    if (!t_ || t_.clip.left >= t_.clip.right || t_.clip.top >= t_.clip.bottom) t_.bits = nullptr;
}

inline void QuadFiller::Span(int y, double fromX, double toX, std::uint32_t colour) {
    // Pixels whose centres x + 0.5 lie in (fromX, toX]: a centre exactly on an edge goes to
    // the shape on its left, as the device's own filling does.
    const int x0 = static_cast<int>(std::floor(Clamp(fromX + 0.5, t_.clip.left, t_.clip.right)));
    const int x1 = static_cast<int>(std::floor(Clamp(toX + 0.5, t_.clip.left, t_.clip.right)));
    std::uint32_t* row = t_.bits + y * t_.stride;
    for (int x = x0; x < x1; ++x) row[x] = colour;
}

// cover 0..256.
inline void BlendPixel(std::uint32_t& d, std::uint32_t c, std::uint32_t cover) {
    const std::uint32_t na = 256 - cover;
    // Two 8-bit channels per multiplication, each in its own 16-bit lane.
    const std::uint32_t rb = (((c & 0xff00ffu) * cover + (d & 0xff00ffu) * na) >> 8) & 0xff00ffu;
    const std::uint32_t ag = (((c >> 8) & 0xff00ffu) * cover + ((d >> 8) & 0xff00ffu) * na) & 0xff00ff00u;
    d = rb | ag;
}

inline void QuadFiller::Blend(int x, int y, std::uint32_t c, int cover) {
    if (x < t_.clip.left || x >= t_.clip.right || y < t_.clip.top || y >= t_.clip.bottom) return;
    BlendPixel(t_.bits[y * t_.stride + x], c, static_cast<std::uint32_t>(cover));
}

void QuadFiller::Fill(const PointF* corners, int n, Color colour) {
    if (t_.bits && corners) FillRaw(corners, n, Pack(colour));
}

void QuadFiller::Outline(const PointF* p, int n, Color colour) {
    if (!t_.bits || !p || n < 2 || n > kMaxCorners || !AllFinite(p, n)) return;
    const std::uint32_t c = Pack(colour);
    for (int k = 0; k < n; ++k) {
        if (t_.antialias) SoftLine(p[k], p[(k + 1) % n], c);
        else HardLine(p[k], p[(k + 1) % n], c);
    }
}

void QuadFiller::FillRaw(const PointF* p, int n, std::uint32_t colour) {
    if (n < 3 || n > kMaxCorners || !AllFinite(p, n)) return;
    // Each edge that is not horizontal, from its upper end; rows are then scanned with
    // multiplications only.
    struct Edge {
        double top, bottom, x0, x1, inverse;
    };
    Edge edges[kMaxCorners];
    int m = 0;
    double top = p[0].y, bottom = p[0].y;
    for (int k = 0; k < n; ++k) {
        PointF a = p[k], b = p[(k + 1) % n];
        top = std::min(top, a.y);
        bottom = std::max(bottom, a.y);
        if (a.y == b.y) continue;
        if (a.y > b.y) std::swap(a, b);
        edges[m++] = {a.y, b.y, a.x, b.x, 1 / (b.y - a.y)};
    }
    // Rows whose centres y + 0.5 lie in [top, bottom), within the clip.
    const int y0 = static_cast<int>(std::ceil(Clamp(top - 0.5, t_.clip.top, t_.clip.bottom)));
    const int y1 = static_cast<int>(std::ceil(Clamp(bottom - 0.5, t_.clip.top, t_.clip.bottom)));
    for (int y = y0; y < y1; ++y) {
        const double yc = y + 0.5;
        double xs[kMaxCorners];
        int crossings = 0;
        for (int k = 0; k < m; ++k) {
            const Edge& e = edges[k];
            if (!(yc >= e.top && yc < e.bottom)) continue;
            double s = (yc - e.top) * e.inverse;
            if (!(s >= 0)) s = 0;  // an edge too short for its inverse
            if (s > 1) s = 1;
            // Weighted form: stays finite for any finite corners.
            const double x = (1 - s) * e.x0 + s * e.x1;
            int i = crossings++;
            for (; i > 0 && xs[i - 1] > x; --i) xs[i] = xs[i - 1];
            xs[i] = x;
        }
        // A span of no width (sides that coincide, up to rounding) covers no centre.
        for (int k = 0; k + 1 < crossings; k += 2)
            if (xs[k + 1] - xs[k] > 1e-9) Span(y, xs[k], xs[k + 1], colour);
    }
}

void QuadFiller::HardLine(PointF a, PointF b, std::uint32_t c) {
    // A point with integer coordinates (x, y) lights the pixel (x, y); along the major axis
    // the minor coordinate is rounded down and the far end left out, which is closest to
    // the device's own lines (an outline's corners are lit by the next side). The small
    // allowance keeps exact hits exact.
    const bool steep = std::fabs(b.y - a.y) > std::fabs(b.x - a.x);
    if (steep) {
        std::swap(a.x, a.y);
        std::swap(b.x, b.y);
    }
    if (a.x > b.x) std::swap(a, b);
    const double majorLo = steep ? t_.clip.top : t_.clip.left, majorHi = steep ? t_.clip.bottom : t_.clip.right;
    const double minorLo = steep ? t_.clip.left : t_.clip.top, minorHi = steep ? t_.clip.right : t_.clip.bottom;
    const double run = b.x - a.x;
    const double slope = run > 0 ? (b.y - a.y) / run : 0;
    if (!std::isfinite(slope)) return;
    const int from = static_cast<int>(Clamp(std::floor(a.x + 0.5), majorLo, majorHi));
    const int to = static_cast<int>(Clamp(std::floor(b.x + 0.5), majorLo, majorHi));
    for (int i = from; i < to; ++i) {
        const double minor = std::floor(a.y + (i - a.x) * slope + 1.0 / 1024);
        if (!(minor >= minorLo && minor < minorHi)) continue;
        const int j = static_cast<int>(minor);
        t_.bits[(steep ? i : j) * t_.stride + (steep ? j : i)] = c;
    }
}

void QuadFiller::SoftLine(PointF a, PointF b, std::uint32_t c) {
    // The line runs through the corners of pixels at integer coordinates; each pixel along
    // the major axis shares its cover between the two pixels across the line, by distance.
    // Half-open along the major axis, so the corners of an outline are not blended twice.
    const bool steep = std::fabs(b.y - a.y) > std::fabs(b.x - a.x);
    if (steep) {
        std::swap(a.x, a.y);
        std::swap(b.x, b.y);
    }
    if (a.x > b.x) std::swap(a, b);
    const double run = b.x - a.x;
    if (!(run > 0)) return;
    const double slope = (b.y - a.y) / run;
    if (!std::isfinite(slope)) return;
    const double majorLo = steep ? t_.clip.top : t_.clip.left, majorHi = steep ? t_.clip.bottom : t_.clip.right;
    const int from = static_cast<int>(std::ceil(Clamp(a.x - 0.5, majorLo, majorHi)));
    const int to = static_cast<int>(std::ceil(Clamp(b.x - 0.5, majorLo, majorHi)));
    const double minorLo = (steep ? t_.clip.left : t_.clip.top) - 1.0;
    const double minorHi = steep ? t_.clip.right : t_.clip.bottom;
    // Lines wholly inside the clip (most of them) skip the per-pixel test.
    const double lowEnd = std::min(a.y, b.y), highEnd = std::max(a.y, b.y);
    const bool inside = lowEnd - 2 >= minorLo + 1 && highEnd + 2 < minorHi;
    const std::ptrdiff_t majorStep = steep ? t_.stride : 1, minorStep = steep ? 1 : t_.stride;
    double centre = a.y + (from + 0.5 - a.x) * slope - 0.5;
    for (int i = from; i < to; ++i, centre += slope) {
        const double row = std::floor(centre);
        const auto lower = static_cast<std::uint32_t>((centre - row) * 256 + 0.5);
        if (inside) {
            std::uint32_t* d = t_.bits + i * majorStep + static_cast<std::ptrdiff_t>(row) * minorStep;
            BlendPixel(d[0], c, 256 - lower);
            BlendPixel(d[minorStep], c, lower);
            continue;
        }
        if (!(row >= minorLo && row < minorHi)) continue;
        const int j = static_cast<int>(row);
        if (steep) {
            Blend(j, i, c, static_cast<int>(256 - lower));
            Blend(j + 1, i, c, static_cast<int>(lower));
        } else {
            Blend(i, j, c, static_cast<int>(256 - lower));
            Blend(i, j + 1, c, static_cast<int>(lower));
        }
    }
}

}  // namespace curvelo::fw
