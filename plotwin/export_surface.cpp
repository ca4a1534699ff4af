#include "plotwin/export_surface.h"

#include <algorithm>
#include <cmath>

#include "plotwin/pictex_writer.h"

namespace curvelo {
namespace {

bool Finite(WorldPoint p) { return std::isfinite(p.x) && std::isfinite(p.y); }
bool Same(WorldPoint a, WorldPoint b) { return a.x == b.x && a.y == b.y; }

// One edge of the view as a half-plane: keep points with sign * (coord - limit) <= 0.
struct Edge {
    bool vertical;  // compares x
    long double limit;
    int sign;
    bool Inside(WorldPoint p) const { return sign * ((vertical ? p.x : p.y) - limit) <= 0; }
    WorldPoint Cross(WorldPoint a, WorldPoint b) const {
        if (vertical) {
            const long double t = (limit - a.x) / (b.x - a.x);
            return {limit, a.y + t * (b.y - a.y)};
        }
        const long double t = (limit - a.y) / (b.y - a.y);
        return {a.x + t * (b.x - a.x), limit};
    }
};

}  // namespace

ExportSurface::ExportSurface(const PlotView& view, long double widthCm) : DrawSurface(view) {
    const PictexUnits units = PictexUnitsFor(view, widthCm);
    u_ = units.u;
    v_ = units.v;
}

long double ExportSurface::NumberWidthPt(std::string_view text, long double minusPt) {
    long double w = 0;
    for (char c : text) w += c >= '0' && c <= '9' ? 4 : c == '.' ? 2.3L : c == '-' ? minusPt : 4.5L;
    return w;
}

bool ExportSurface::MovedInside(WorldPoint p, int a, int b, long double wPt, long double hPt,
                                WorldPoint& corner) const {
    constexpr long double kPointsPerCm = 72.27L / 2.54L;
    const PlotView& v = View();
    const long double w = wPt / kPointsPerCm / u_, h = hPt / kPointsPerCm / v_;
    const long double left = p.x + (a - 1) * w / 2, top = p.y + (b + 1) * h / 2;
    const long double margin = 2 * v.upx;
    corner.x = std::max(std::min(left, v.xmax - w - margin), v.xmin + margin);
    corner.y = std::min(std::max(top, v.ymin + h), v.ymax);
    return corner.x != left || corner.y != top;
}

void ExportSurface::Restore() {
    if (stack_.empty()) return;
    state_ = stack_.back();
    stack_.pop_back();
}

void ExportSurface::SetPen(Rgb colour, int width, LineStyle style) {
    state_.pen = colour;
    state_.width = width < 1 ? 1 : width;
    state_.style = style;
}

void ExportSurface::SetLabelBackground(bool opaque, Rgb background) {
    state_.opaque = opaque;
    state_.background = background;
}

void ExportSurface::Segment(WorldPoint a, WorldPoint b) {
    FlushRun();
    if (!Finite(a) || !Finite(b) || !View().ClipSegment(a, b)) return;
    EmitSegment(a, b);
}

void ExportSurface::BeginPolyline() {
    FlushRun();
    havePrevious_ = false;
}

void ExportSurface::PolylineTo(WorldPoint p) {
    if (!Finite(p)) {
        FlushRun();
        havePrevious_ = false;
        return;
    }
    if (!havePrevious_) {
        havePrevious_ = true;
        previous_ = p;
        return;
    }
    WorldPoint a = previous_, b = p;
    previous_ = p;
    if (!View().ClipSegment(a, b)) {
        FlushRun();
        return;
    }
    if (run_.empty() || !Same(run_.back(), a)) {
        FlushRun();
        run_.push_back(a);
    }
    run_.push_back(b);
    if (!Same(b, p)) {
        FlushRun();  // left the view
    } else if (run_.size() >= kMaxRunPoints) {
        FlushRun();
        run_.push_back(b);  // the next run starts where this one ends
    }
}

void ExportSurface::EndPolyline() {
    FlushRun();
    havePrevious_ = false;
}

void ExportSurface::FlushRun() {
    if (run_.size() >= 2) EmitRun(run_);
    run_.clear();
}

void ExportSurface::Dot(WorldPoint p, int radiusPixels) {
    FlushRun();
    if (Finite(p) && View().InView(p.x, p.y)) EmitDot(p, radiusPixels);
}

void ExportSurface::FilledPolygon(const WorldPoint* points, int n) {
    FlushRun();
    if (!points || n < 3 || n > kMaxPolygonCorners) return;
    for (int i = 0; i < n; ++i)
        if (!Finite(points[i])) return;
    const std::vector<WorldPoint> inside = ClipPolygonToView(View(), points, n);
    if (inside.size() >= 3) EmitPolygon(inside);
}

void ExportSurface::Label(WorldPoint p, std::string_view utf8, int a, int b, LabelRole role) {
    FlushRun();
    if (utf8.empty() || !Finite(p) || !View().InView(p.x, p.y)) return;
    EmitLabel(p, utf8, std::clamp(a, -1, 1), std::clamp(b, -1, 1), role);
}

std::vector<WorldPoint> ClipPolygonToView(const PlotView& view, const WorldPoint* points, int n) {
    std::vector<WorldPoint> out(points, points + std::max(0, n));
    const Edge edges[4] = {
        {true, view.xmin, -1}, {true, view.xmax, 1}, {false, view.ymin, -1}, {false, view.ymax, 1}};
    for (const Edge& e : edges) {
        if (out.empty()) break;
        std::vector<WorldPoint> in;
        in.swap(out);
        WorldPoint prev = in.back();
        for (const WorldPoint& cur : in) {
            const bool curIn = e.Inside(cur), prevIn = e.Inside(prev);
            if (curIn != prevIn) out.push_back(e.Cross(prev, cur));
            if (curIn) out.push_back(cur);
            prev = cur;
        }
    }
    return out;
}

std::vector<Trapezoid> Trapezoids(const std::vector<WorldPoint>& polygon) {
    std::vector<Trapezoid> out;
    const std::size_t n = polygon.size();
    if (n < 3 || n > static_cast<std::size_t>(ExportSurface::kMaxPolygonCorners)) return out;
    std::vector<long double> xs;
    xs.reserve(n);
    for (const WorldPoint& p : polygon) xs.push_back(p.x);
    std::sort(xs.begin(), xs.end());
    xs.erase(std::unique(xs.begin(), xs.end()), xs.end());
    struct Cut {
        long double ya, yb;
    };
    std::vector<Cut> cuts;
    for (std::size_t s = 0; s + 1 < xs.size(); ++s) {
        const long double xa = xs[s], xb = xs[s + 1];
        cuts.clear();
        for (std::size_t i = 0; i < n; ++i) {
            const WorldPoint p = polygon[i], q = polygon[(i + 1) % n];
            if (p.x == q.x || std::min(p.x, q.x) > xa || std::max(p.x, q.x) < xb) continue;
            const auto at = [&](long double x) { return p.y + (q.y - p.y) * (x - p.x) / (q.x - p.x); };
            cuts.push_back({at(xa), at(xb)});
        }
        std::sort(cuts.begin(), cuts.end(),
                  [](const Cut& l, const Cut& r) { return l.ya + l.yb < r.ya + r.yb; });
        // Inside lies between the first and second crossing, the third and fourth, ...
        for (std::size_t k = 0; k + 1 < cuts.size(); k += 2) {
            const Cut& lo = cuts[k];
            const Cut& hi = cuts[k + 1];
            out.push_back({xa, std::min(lo.ya, hi.ya), std::max(lo.ya, hi.ya), xb, std::min(lo.yb, hi.yb),
                           std::max(lo.yb, hi.yb)});
        }
    }
    return out;
}

}  // namespace curvelo
