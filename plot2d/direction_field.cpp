#include "plot2d/direction_field.h"

#include <algorithm>
#include <cmath>

namespace curvelo {
namespace {

constexpr long double kEdge = 1e-18L;

// Grid positions from the centre down to the low edge (exclusive); at most limit + 1 of them.
std::vector<long double> HalfAxis(long double centre, long double low, long double spacing, long long limit) {
    std::vector<long double> v;
    if (!(spacing > 0) || !std::isfinite(spacing)) return v;
    for (long long k = 0; k <= limit; ++k) {
        const long double p = centre - static_cast<long double>(k) * spacing;
        if (!(p > low + kEdge)) break;
        v.push_back(p);
    }
    return v;
}

}  // namespace

std::vector<FieldColumn> FieldGrid(const PlotView& view, int rows) {
    rows = std::clamp(rows, kMinFieldRows, kMaxFieldRows);
    const long double dy = ((view.ymax - kEdge) - (view.ymin + kEdge)) / rows;
    // dy * hw * H / (hh * W) with H and W the picture's pixels: the same pixel spacing both
    // ways, whatever the output (screen, layer, printer, batch picture).
    const long double dx = view.upy > 0 ? dy * view.upx / view.upy : dy;
    const long double cx = view.cx, cy = view.cy;
    // Columns are bounded like rows, allowing for a view far wider than tall.
    const long long columnLimit = std::min<long long>(static_cast<long long>(rows) * 64, 100000);
    const std::vector<long double> xs = HalfAxis(cx, view.xmin, dx, columnLimit);
    const std::vector<long double> ys = HalfAxis(cy, view.ymin, dy, rows);
    std::vector<FieldColumn> columns;
    columns.reserve(xs.size() * 2);
    for (long double x : xs) {
        const long double xm = 2 * cx - x;
        const std::vector<long double> both = xm == x ? std::vector<long double>{x} : std::vector<long double>{x, xm};
        for (long double colX : both) {
            FieldColumn column;
            column.reserve(ys.size() * 2);
            for (long double y : ys) {
                column.push_back({colX, y});
                const long double ym = 2 * cy - y;
                if (ym != y) column.push_back({colX, ym});
            }
            if (!column.empty()) columns.push_back(std::move(column));
        }
    }
    return columns;
}

bool DrawField(DrawSurface& surface, const FieldSettings& settings, const FieldVector& vector,
               const std::function<bool()>& pollColumn) {
    if (settings.style == FieldStyle::kNone) return true;
    const PlotView& view = surface.View();
    const std::vector<FieldColumn> columns = FieldGrid(view, settings.rows);
    const int segment = std::clamp(settings.segmentTenthsPercent, kMinFieldSegment, kMaxFieldSegment);
    // Length in pixels of the picture's width; directions are measured in pixels so every
    // segment looks as long.
    const long double widthPx = view.upx > 0 ? (view.xmax - view.xmin) / view.upx : 1;
    const long double lengthPx = segment * std::min<long double>(widthPx, 1e6L) * 0.001L;
    const long double ppx = view.ppx, ppy = view.ppy;
    auto toPixels = [&](long double dx, long double dy, long double& px, long double& py) {
        px = dx * ppx;
        py = dy * ppy;
        return std::isfinite(px) && std::isfinite(py);
    };
    auto segmentAt = [&](const WorldPoint& p, long double px, long double py, long double lengthPixels, bool centred) {
        const long double norm = std::hypot(px, py);
        if (!(norm > 0) || !std::isfinite(norm)) return;
        const long double ux = px / norm * lengthPixels / ppx, uy = py / norm * lengthPixels / ppy;
        WorldPoint a = centred ? WorldPoint{p.x - ux / 2, p.y - uy / 2} : p;
        WorldPoint b = centred ? WorldPoint{p.x + ux / 2, p.y + uy / 2} : WorldPoint{p.x + ux, p.y + uy};
        WorldPoint ca = a, cb = b;
        if (view.ClipSegment(ca, cb)) surface.Segment(ca, cb);
        if (centred) return;
        // An arrow head of a third of the vector, at most 8 pixels.
        const long double headPx = std::min<long double>(lengthPixels / 3, 8);
        const long double hx = px / norm * headPx, hy = py / norm * headPx;
        for (int side : {-1, 1}) {
            const long double rx = -hx * 0.866L - side * hy * 0.5L, ry = -hy * 0.866L + side * hx * 0.5L;
            WorldPoint c = b, d{b.x + rx / ppx, b.y + ry / ppy};
            if (view.ClipSegment(c, d)) surface.Segment(c, d);
        }
    };
    if (settings.style == FieldStyle::kDirections) {
        for (const FieldColumn& column : columns) {
            for (const WorldPoint& p : column) {
                long double dx = 0, dy = 0, px = 0, py = 0;
                if (vector(p.x, p.y, dx, dy) && toPixels(dx, dy, px, py)) segmentAt(p, px, py, lengthPx, true);
            }
            if (pollColumn && pollColumn()) return false;
        }
        return true;
    }
    // Vectors: evaluated first, so the longest one sets the scale.
    struct Value { WorldPoint p; long double px, py; };
    std::vector<Value> values;
    long double longest = 0;
    for (const FieldColumn& column : columns) {
        for (const WorldPoint& p : column) {
            long double dx = 0, dy = 0, px = 0, py = 0;
            if (!vector(p.x, p.y, dx, dy) || !toPixels(dx, dy, px, py)) continue;
            values.push_back({p, px, py});
            longest = std::max(longest, std::hypot(px, py));
        }
        if (pollColumn && pollColumn()) return false;
    }
    if (!(longest > 0) || !std::isfinite(longest)) return true;
    for (const Value& v : values) segmentAt(v.p, v.px, v.py, lengthPx * std::hypot(v.px, v.py) / longest, false);
    return true;
}

}  // namespace curvelo
