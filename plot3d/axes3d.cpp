#include "plot3d/axes3d.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <string>

#include "plotwin/frame_drawer.h"

namespace curvelo {
namespace {

constexpr int kMaxSegmentSamples = 100000;
// The visibility samples of one cell edge (fewer when a dashed edge hides its parts).
constexpr int kCellEdgeSamples = 100, kDashedCellEdgeSamples = 12;
// The sketch's lines keep this far from the edges of the output.
constexpr int kSketchMargin = 20;

// Depth of p in front of the eye, along the line of sight (in the coordinates the projection
// works in).
long double Depth(const View3D& view, const Vec3& p) {
    if (view.cubeNormalisation) return view.viewVector.Dot(view.normEye - view.Normalise(p));
    return view.viewVector.Dot(view.eye - p);
}

std::string Trimmed(std::string s) {
    const std::size_t first = s.find_first_not_of(' ');
    return first == std::string::npos ? std::string() : s.substr(first);
}

}  // namespace

void DrawSegment3D(DrawSurface& surface, const View3D& view, Vec3 a, Vec3 b, int samples, const HiddenTest& hidden) {
    // Only what lies in front of the eye has a picture; the depth runs linearly along a-b.
    const long double near = 1e-6L * view.viewVector.Dot(view.viewVector);
    const long double da = Depth(view, a), db = Depth(view, b);
    // The depth is linear along the segment in both coordinate systems.
    if (da < near && db < near) {
        return;
    } else if (da < near) {
        a = a + (b - a) * ((near - da) / (db - da));
    } else if (db < near) {
        b = b + (a - b) * ((near - db) / (da - db));
    }
    if (!hidden) {
        surface.Segment(view.ProjectPoint(a), view.ProjectPoint(b));
        return;
    }
    const int n = std::clamp(samples, 1, kMaxSegmentSamples);
    bool running = false;
    for (int i = 0; i <= n; ++i) {
        const Vec3 p = a + (b - a) * (static_cast<long double>(i) / n);
        if (hidden(p)) {
            if (running) surface.EndPolyline();
            running = false;
            continue;
        }
        if (!running) surface.BeginPolyline();
        running = true;
        surface.PolylineTo(view.ProjectPoint(p));
    }
    if (running) surface.EndPolyline();
}

void DrawAxes3D(DrawSurface& surface, View3D& view, const FrameSettings& frame, const Axes3DLook& look,
                const HiddenTest& hidden) {
    view.UpdateAxisBox();
    const Vec3& lo = view.axisMin;
    const Vec3& hi = view.axisMax;
    const std::array<std::array<Vec3, 2>, 3> axes{{{Vec3{lo.x, 0, 0}, Vec3{hi.x, 0, 0}},
                                                   {Vec3{0, lo.y, 0}, Vec3{0, hi.y, 0}},
                                                   {Vec3{0, 0, lo.z}, Vec3{0, 0, hi.z}}}};
    surface.Save();
    surface.SetPen(look.axisColour, look.axisWidth, LineStyle::kSolid);
    for (const auto& axis : axes) DrawSegment3D(surface, view, axis[0], axis[1], kCellEdgeSamples, hidden);
    if (frame.axisTitlesShown) {
        surface.SetFont(kFontAxisTitles);
        surface.SetTextColour(look.axisColour);
        const PlotView& v = surface.View();
        for (std::size_t k = 0; k < axes.size(); ++k) {
            const Vec3 end = axes[k][1] * 1.05L;
            if (Depth(view, end) <= 0 || (hidden && hidden(end))) continue;
            const WorldPoint p = view.ProjectPoint(end);
            if (!v.InView(p.x, p.y)) continue;
            // The name sits beyond the end, on the side the axis points to.
            const WorldPoint from = view.ProjectPoint(axes[k][1] * 0.5L);
            const long double dx = (p.x - from.x) * v.ppx, dy = (p.y - from.y) * v.ppy;
            const int a = std::fabs(dx) < 0.3L * std::fabs(dy) ? 0 : dx > 0 ? 1 : -1;
            const int b = std::fabs(dy) < 0.3L * std::fabs(dx) ? 0 : dy > 0 ? 1 : -1;
            DrawFrameLabel(surface, frame, p, frame.axisTitles[k], a, b, LabelRole::kAxisTitle);
        }
    }
    surface.Restore();
}

void DrawCell3D(DrawSurface& surface, const View3D& view, const FrameSettings& frame, const Axes3DLook& look,
                const HiddenTest& hidden) {
    const Vec3& lo = view.cellMin;
    const Vec3& hi = view.cellMax;
    auto corner = [&](int c) {
        return Vec3{(c & 1) ? hi.x : lo.x, (c & 2) ? hi.y : lo.y, (c & 4) ? hi.z : lo.z};
    };
    const bool dashed = view.cellDashed && !look.printing;
    surface.Save();
    if (dashed)
        surface.SetPen(look.cellColour, 0, LineStyle::kDashed);
    else
        surface.SetPen(look.cellColour, look.cellWidth, LineStyle::kSolid);
    const int samples = dashed && hidden ? kDashedCellEdgeSamples : kCellEdgeSamples;
    // The edges join corners that differ in one coordinate bit.
    for (int c = 0; c < 8; ++c)
        for (int bit = 1; bit < 8; bit <<= 1)
            if (!(c & bit)) DrawSegment3D(surface, view, corner(c), corner(c | bit), samples, hidden);
    if (view.cellCoordinatesShown) {
        surface.SetFont(kFontTickNumbers);
        surface.SetTextColour(look.cellColour);
        auto text = [&](const Vec3& p) {
            return "(" + Trimmed(look.format.Format(p.x)) + "; " + Trimmed(look.format.Format(p.y)) + "; " +
                   Trimmed(look.format.Format(p.z)) + ")";
        };
        // Of the four pairs of opposite corners the one that lies widest apart on the
        // picture, so the two texts stay clear of each other; each is written away from the
        // other.
        int best = 0;
        long double widest = -1;
        for (int c = 0; c < 4; ++c) {
            const WorldPoint p = view.ProjectPoint(corner(c)), q = view.ProjectPoint(corner(7 - c));
            const long double d = std::hypot(p.x - q.x, p.y - q.y);
            if (d > widest) {
                widest = d;
                best = c;
            }
        }
        for (const int c : {best, 7 - best}) {
            const Vec3 p = corner(c);
            if (Depth(view, p) <= 0) continue;
            const WorldPoint at = view.ProjectPoint(p), other = view.ProjectPoint(corner(7 - c));
            DrawFrameLabel(surface, frame, at, text(p), at.x < other.x ? -1 : 1, at.y < other.y ? -1 : 1,
                           LabelRole::kPlain);
        }
    }
    surface.Restore();
}

void DrawAxisSketch(DrawSurface& surface, const FrameSettings& frame, const Axes3DLook& look) {
    const PlotView& v = surface.View();
    const int w = std::max<int>(v.W, 4 * kSketchMargin), h = std::max<int>(v.H, 4 * kSketchMargin);
    auto at = [&](long double px, long double py) {
        return WorldPoint{v.xmin + px * (v.xmax - v.xmin) / w, v.ymax - py * (v.ymax - v.ymin) / h};
    };
    const WorldPoint origin = at(w * 0.5L, h * 0.55L);
    const WorldPoint xEnd = at(kSketchMargin, h * 0.8L);
    const WorldPoint yEnd = at(w - kSketchMargin, h * 0.8L);
    const WorldPoint zEnd = at(w * 0.5L, kSketchMargin);
    surface.Save();
    surface.SetPen(look.axisColour, look.axisWidth, LineStyle::kSolid);
    surface.Segment(origin, xEnd);
    surface.Segment(origin, yEnd);
    surface.Segment(origin, zEnd);
    surface.SetFont(kFontAxisTitles);
    surface.SetTextColour(look.axisColour);
    DrawFrameLabel(surface, frame, xEnd, "x", 1, 1, LabelRole::kAxisTitle);
    DrawFrameLabel(surface, frame, yEnd, "y", -1, 1, LabelRole::kAxisTitle);
    DrawFrameLabel(surface, frame, zEnd, "z", 1, 0, LabelRole::kAxisTitle);
    surface.Restore();
}

}  // namespace curvelo
