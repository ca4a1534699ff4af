#include "plotwin/frame_drawer.h"

#include <algorithm>
#include <cmath>
#include <numbers>
#include <string>

#include "plotwin/draw_dot.h"
#include "plotwin/tick_labels.h"

namespace curvelo {
namespace {

constexpr long double kAxisEndInset = 0.002L;
constexpr int kMaxPolarCircles = 400;
constexpr int kGridPointRadius = 1;

bool QuadrantOn(const FrameSettings& s, std::uint16_t bit) { return (s.gridFlags & bit) != 0; }

// Tick values near zero print as 0, not as -0.0 or 1e-17.
long double TickValue(long double origin, long double spacing, std::int32_t k) {
    const long double v = origin + k * spacing;
    return std::fabs(v) < std::fabs(spacing) * 1e-9L ? 0.0L : v;
}

bool OnlyFirstQuadrantGrid(const FrameSettings& s) {
    return (s.gridFlags & 0x1f) == (kGridSquare | kGridQuadrant1);
}

bool Numbered(std::int32_t k, int frequency) { return frequency <= 1 || k % frequency == 0; }

void DrawArrow(DrawSurface& surface, const FrameSettings& s, WorldPoint end, WorldPoint barb1,
               WorldPoint barb2) {
    if (s.solidArrows) {
        const WorldPoint tri[3] = {end, barb1, barb2};
        surface.FilledPolygon(tri, 3);
    } else {
        surface.Segment(end, barb1);
        surface.Segment(end, barb2);
    }
}

void DrawXAxis(DrawSurface& surface, const FrameSettings& s, const TickRange& r, const AxisSpan& span,
               bool yAxisNumbered) {
    const PlotView& v = surface.View();
    if (span.drawn) {
        surface.Segment({span.start, 0}, {span.end, 0});
        if (s.ticks && r.valid) {
            for (std::int32_t k = r.kminX; k <= r.kmaxX; ++k) {
                const long double x = TickValue(s.originX, s.spacingX, k);
                if (x < r.loX || x > r.hiX || x < span.start) continue;
                surface.Segment({x, -s.halfTickY}, {x, s.halfTickY});
            }
        }
        if (s.arrows)
            DrawArrow(surface, s, {span.end, 0}, {span.end - s.arrowX, s.arrowY},
                      {span.end - s.arrowX, -s.arrowY});
    }
    const bool atEdge = (s.numberFlags & kNumbersAtEdge) != 0;
    const bool modeHasX = s.axesMode == kAxesX || s.axesMode == kAxesBoth || s.axesMode == kAxesPolar;
    if (!(s.numberFlags & kNumbersX) || !modeHasX || !r.valid || (!span.drawn && !atEdge)) return;
    surface.SetFont(kFontTickNumbers);
    const long double from = span.drawn ? span.start : v.xmin;
    for (std::int32_t k = r.kminX; k <= r.kmaxX; ++k) {
        if (!Numbered(k, s.frequencyX)) continue;
        const long double x = TickValue(s.originX, s.spacingX, k);
        if (x < r.loX || x > r.hiX || x < from) continue;
        // Beside the axes the origin is left to the y axis' numbers when they are written.
        if (!atEdge && x == 0 && yAxisNumbered) continue;
        const std::string text = FormatTickNumber(x, s, 0);
        if (atEdge)
            DrawFrameLabel(surface, s, {x, v.ymin}, text, 0, 1, LabelRole::kNumberX);
        else
            DrawFrameLabel(surface, s, {x, -s.halfTickY}, text, 0, -1, LabelRole::kNumberX);
    }
}

void DrawYAxis(DrawSurface& surface, const FrameSettings& s, const TickRange& r, const AxisSpan& span,
               bool xAxisDrawn) {
    const PlotView& v = surface.View();
    if (span.drawn) {
        surface.Segment({0, span.start}, {0, span.end});
        if (s.ticks && r.valid) {
            for (std::int32_t k = r.kminY; k <= r.kmaxY; ++k) {
                const long double y = TickValue(s.originY, s.spacingY, k);
                if (y < r.loY || y > r.hiY || y < span.start) continue;
                surface.Segment({-s.halfTickX, y}, {s.halfTickX, y});
            }
        }
        if (s.arrows)
            DrawArrow(surface, s, {0, span.end}, {-s.arrowX, span.end - s.arrowY},
                      {s.arrowX, span.end - s.arrowY});
    }
    const bool atEdge = (s.numberFlags & kNumbersAtEdge) != 0;
    const bool modeHasY = s.axesMode == kAxesY || s.axesMode == kAxesBoth;
    if (!(s.numberFlags & kNumbersY) || !modeHasY || !r.valid || (!span.drawn && !atEdge)) return;
    surface.SetFont(kFontTickNumbers);
    const long double from = span.drawn ? span.start : v.ymin;
    for (std::int32_t k = r.kminY; k <= r.kmaxY; ++k) {
        if (!Numbered(k, s.frequencyY)) continue;
        const long double y = TickValue(s.originY, s.spacingY, k);
        if (y < r.loY || y > r.hiY || y < from) continue;
        const std::string text = FormatTickNumber(y, s, 1);
        if (atEdge)
            DrawFrameLabel(surface, s, {v.xmin, y}, text, 1, 0, LabelRole::kNumberY);
        else if (y == 0 && xAxisDrawn)
            // The origin's number goes below the x axis, right of the y axis, clear of the
            // x axis' numbers.
            DrawFrameLabel(surface, s, {s.halfTickX, -s.halfTickY}, text, 1, -1, LabelRole::kNumberY);
        else
            DrawFrameLabel(surface, s, {-s.halfTickX, y}, text, -1, 0, LabelRole::kNumberY);
    }
}

void DrawAxisTitles(DrawSurface& surface, const FrameSettings& s, const AxisSpan& xs, const AxisSpan& ys) {
    surface.SetFont(kFontAxisTitles);
    if (xs.drawn && !s.axisTitles[0].empty())
        DrawFrameLabel(surface, s, {xs.end - s.arrowX, s.arrowY}, s.axisTitles[0], -1, 1, LabelRole::kAxisTitle);
    if (ys.drawn && !s.axisTitles[1].empty())
        DrawFrameLabel(surface, s, {s.arrowX, ys.end - s.arrowY}, s.axisTitles[1], 1, -1, LabelRole::kAxisTitle);
}

// The tick spacings written in the corners, in the colour of their own setting.
void DrawExtraLabels(DrawSurface& surface, const FrameSettings& s, const FrameOutput& out) {
    if (s.extraLabelMode <= 0) return;
    const PlotView& v = surface.View();
    surface.SetFont(kFontTickNumbers);
    surface.SetTextColour(ColourForOutput(s.extraLabelColour, out.colourOutput));
    if (s.extraLabelMode & 1)
        DrawFrameLabel(surface, s, {v.xmax, v.ymin}, "dx = " + FormatTickNumber(s.spacingX, s, 0), -1, 1,
                       LabelRole::kPlain);
    if (s.extraLabelMode & 2)
        DrawFrameLabel(surface, s, {v.xmin, v.ymax}, "dy = " + FormatTickNumber(s.spacingY, s, 1), 1, -1,
                       LabelRole::kPlain);
}

}  // namespace

int EffectiveGridColour(const FrameSettings& s, const FrameOutput& out) {
    if (s.gridColour == out.backgroundIndex) return kColourBlack;
    if (out.backgroundIndex < 0 && ColourOf(s.gridColour) == out.measuredBackground) return kColourBlack;
    return s.gridColour;
}

AxisSpan XAxisSpan(const FrameSettings& s, const PlotView& v) {
    AxisSpan a;
    const bool mode = s.axesMode == kAxesX || s.axesMode == kAxesBoth || s.axesMode == kAxesPolar;
    if (!s.axesShown || !mode || !(v.ymin <= 0 && 0 <= v.ymax)) return a;
    a.start = v.xmin;
    a.end = v.xmax - kAxisEndInset * v.hw;
    if ((s.axesMode == kAxesPolar || OnlyFirstQuadrantGrid(s)) && v.xmin < 0) a.start = 0;
    a.drawn = a.start < a.end;
    return a;
}

AxisSpan YAxisSpan(const FrameSettings& s, const PlotView& v) {
    AxisSpan a;
    const bool mode = s.axesMode == kAxesY || s.axesMode == kAxesBoth;
    if (!s.axesShown || !mode || !(v.xmin <= 0 && 0 <= v.xmax)) return a;
    a.start = v.ymin;
    a.end = v.ymax - kAxisEndInset * v.hh;
    if (OnlyFirstQuadrantGrid(s) && v.ymin < 0) a.start = 0;
    a.drawn = a.start < a.end;
    return a;
}

void DrawFrameLabel(DrawSurface& surface, const FrameSettings& s, WorldPoint p, std::string_view text, int a,
                    int b, LabelRole role) {
    if (s.longMinus && text.find('-') != std::string_view::npos) {
        const std::string t = ApplyLongMinus(text, s.minusChar);
        surface.Label(p, t, a, b, role);
    } else {
        surface.Label(p, text, a, b, role);
    }
}

void DrawSquareGrid(DrawSurface& surface, const FrameSettings& s, const TickRange& r) {
    if (!r.valid) return;
    const PlotView& v = surface.View();
    for (std::int32_t k = r.kminX; k <= r.kmaxX; ++k) {
        const long double x = TickValue(s.originX, s.spacingX, k);
        if (x < r.loX || x > r.hiX) continue;
        const bool upper = (x >= 0 && QuadrantOn(s, kGridQuadrant1)) || (x <= 0 && QuadrantOn(s, kGridQuadrant2));
        const bool lower = (x >= 0 && QuadrantOn(s, kGridQuadrant4)) || (x <= 0 && QuadrantOn(s, kGridQuadrant3));
        long double lo = v.ymin, hi = v.ymax;
        if (!upper && !lower) continue;
        if (!lower) lo = std::max(lo, 0.0L);
        if (!upper) hi = std::min(hi, 0.0L);
        if (lo < hi) surface.Segment({x, lo}, {x, hi});
    }
    for (std::int32_t k = r.kminY; k <= r.kmaxY; ++k) {
        const long double y = TickValue(s.originY, s.spacingY, k);
        if (y < r.loY || y > r.hiY) continue;
        const bool right = (y >= 0 && QuadrantOn(s, kGridQuadrant1)) || (y <= 0 && QuadrantOn(s, kGridQuadrant4));
        const bool left = (y >= 0 && QuadrantOn(s, kGridQuadrant2)) || (y <= 0 && QuadrantOn(s, kGridQuadrant3));
        long double lo = v.xmin, hi = v.xmax;
        if (!right && !left) continue;
        if (!left) lo = std::max(lo, 0.0L);
        if (!right) hi = std::min(hi, 0.0L);
        if (lo < hi) surface.Segment({lo, y}, {hi, y});
    }
}

void DrawPolarGrid(DrawSurface& surface, const FrameSettings& s) {
    const PlotView& v = surface.View();
    const long double step = s.spacingX;
    if (!(step > 0) || !std::isfinite(step)) return;
    // Distances from the origin to the nearest and farthest point of the view.
    const long double nx = std::clamp(0.0L, v.xmin, v.xmax), ny = std::clamp(0.0L, v.ymin, v.ymax);
    const long double fx = std::max(std::fabs(v.xmin), std::fabs(v.xmax));
    const long double fy = std::max(std::fabs(v.ymin), std::fabs(v.ymax));
    const long double rmin = std::hypot(nx, ny), rmax = std::hypot(fx, fy);
    // Circles k * step for k from kFirst to kLast, at most kMaxPolarCircles + 1 of them; the
    // count is fixed before the loop, since far from the origin k + 1 may equal k.
    const long double kFirst = std::max(1.0L, std::floor(rmin / step));
    const long double kLast = std::ceil(rmax / step);
    const long double wanted = kLast - kFirst + 1;
    const int circles = wanted >= 1 ? static_cast<int>(std::min<long double>(wanted, kMaxPolarCircles + 1)) : 0;
    // Seen from an origin outside the view, the view covers less than half a turn: only
    // that arc of each circle is drawn.
    const long double pi = std::numbers::pi_v<long double>;
    long double from = 0, span = 2 * pi;
    if (rmin > 0) {
        const long double mid = std::atan2(v.cy, v.cx);
        long double lo = 0, hi = 0;
        const WorldPoint corners[4] = {{v.xmin, v.ymin}, {v.xmin, v.ymax}, {v.xmax, v.ymin}, {v.xmax, v.ymax}};
        for (const WorldPoint& c : corners) {
            const long double d = std::remainder(std::atan2(c.y, c.x) - mid, 2 * pi);
            lo = std::min(lo, d);
            hi = std::max(hi, d);
        }
        from = mid + lo;
        span = hi - lo;
    }
    long double previousRadius = -1;
    for (int i = 0; i < circles; ++i) {
        const long double radius = (kFirst + i) * step;
        if (radius == previousRadius) break;  // beyond the precision of the radii
        previousRadius = radius;
        // Enough pieces that a piece is a few pixels long on the wider scale.
        const long double pixels = radius * span * std::max(v.ppx, v.ppy);
        const int pieces = std::isfinite(pixels) ? static_cast<int>(std::clamp(pixels / 4, 16.0L, 2000.0L)) : 16;
        WorldPoint prev{radius * std::cos(from), radius * std::sin(from)};
        for (int i = 1; i <= pieces; ++i) {
            const long double t = from + span * i / pieces;
            const WorldPoint next{radius * std::cos(t), radius * std::sin(t)};
            WorldPoint a = prev, b = next;
            if (v.ClipSegment(a, b)) surface.Segment(a, b);
            prev = next;
        }
    }
    const int sectors = std::clamp<int>(s.polarSectors, 1, kMaxPolarSectors);
    for (int i = 0; i < sectors; ++i) {
        const long double t = 2 * std::numbers::pi_v<long double> * i / sectors;
        WorldPoint a{0, 0}, b{rmax * std::cos(t), rmax * std::sin(t)};
        if (v.ClipSegment(a, b)) surface.Segment(a, b);
    }
}

void DrawGridPoints(DrawSurface& surface, const FrameSettings& s, const TickRange& r) {
    if (!r.valid) return;
    for (std::int32_t i = r.kminX; i <= r.kmaxX; ++i) {
        const long double x = TickValue(s.originX, s.spacingX, i);
        if (x < r.loX || x > r.hiX) continue;
        for (std::int32_t j = r.kminY; j <= r.kmaxY; ++j) {
            const long double y = TickValue(s.originY, s.spacingY, j);
            if (y < r.loY || y > r.hiY) continue;
            const bool on = (x >= 0 && y >= 0 && QuadrantOn(s, kGridQuadrant1)) ||
                            (x <= 0 && y >= 0 && QuadrantOn(s, kGridQuadrant2)) ||
                            (x <= 0 && y <= 0 && QuadrantOn(s, kGridQuadrant3)) ||
                            (x >= 0 && y <= 0 && QuadrantOn(s, kGridQuadrant4));
            if (on) DrawDotOfRadius(surface, {x, y}, kGridPointRadius);
        }
    }
}

int DrawFrame(DrawSurface& surface, FrameSettings& s, const FrameOutput& out) {
    if (!s.DrawsAnything()) return kTickStatusOk;
    surface.Save();
    const Rgb axis = ColourForOutput(s.axisColour, out.colourOutput);
    const int axisWidth = out.printing ? s.axisWidthPrint : s.axisWidthScreen;
    const Rgb grid = ColourForOutput(EffectiveGridColour(s, out), out.colourOutput);
    const int gridWidth = out.printing ? s.gridWidthPrint : s.gridWidthScreen;
    const LineStyle gridStyle = s.Dotted() ? LineStyle::kDotted : LineStyle::kSolid;

    TickRange r;
    const int status = ComputeTickRange(s, surface.View(), &r);

    surface.SetPen(grid, gridWidth, gridStyle);
    surface.SetBrush(grid);
    if (s.SquareGridOn()) DrawSquareGrid(surface, s, r);
    if (s.PolarGridOn()) DrawPolarGrid(surface, s);
    if (s.gridPoints) DrawGridPoints(surface, s, r);

    surface.SetPen(axis, axisWidth, LineStyle::kSolid);
    surface.SetBrush(axis);
    surface.SetTextColour(axis);
    surface.SetLabelBackground(s.labelBackground == kLabelsOpaque,
                               out.backgroundIndex >= 0 ? ColourOf(out.backgroundIndex) : out.measuredBackground);
    const AxisSpan xs = XAxisSpan(s, surface.View());
    const AxisSpan ys = YAxisSpan(s, surface.View());
    const bool yNumbered = (s.numberFlags & kNumbersY) && ys.drawn && !(s.numberFlags & kNumbersAtEdge);
    if (s.axesShown) {
        DrawXAxis(surface, s, r, xs, yNumbered);
        DrawYAxis(surface, s, r, ys, xs.drawn);
        if (s.axisTitlesShown) DrawAxisTitles(surface, s, xs, ys);
        DrawExtraLabels(surface, s, out);
    }
    surface.Restore();
    return status;
}

}  // namespace curvelo
