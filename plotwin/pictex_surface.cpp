#include "plotwin/pictex_surface.h"

#include <algorithm>

#include "plotwin/tex_text.h"

namespace curvelo {
namespace {

int StyleNumber(LineStyle s) {
    switch (s) {
    case LineStyle::kSolid: return 0;
    case LineStyle::kDotted: return 1;
    case LineStyle::kDashed: return 2;
    case LineStyle::kDashDot: return 3;
    case LineStyle::kDashDotDot: return 4;
    }
    return 0;
}

}  // namespace

PictexSurface::PictexSurface(const PlotView& view, PictexWriter& writer, long double widthCm)
    : ExportSurface(view, widthCm), writer_(writer) {}

void PictexSurface::UseStyle(int style) {
    if (style == style_) return;
    if (style == 0)
        writer_.LineStyle(style_, true);
    else
        writer_.LineStyle(style, false);
    style_ = style;
}

void PictexSurface::Finish() {
    ExportSurface::Finish();
    UseStyle(0);
}

void PictexSurface::Plot(const std::vector<WorldPoint>& points) {
    std::vector<WorldPoint> kept;
    kept.reserve(points.size());
    std::string last;
    for (const WorldPoint& p : points) {
        std::string written = writer_.Number(p.x) + " " + writer_.Number(p.y);
        if (written == last) continue;
        kept.push_back(p);
        last = std::move(written);
    }
    if (kept.size() < 2) return;
    writer_.BeginPlot();
    for (const WorldPoint& p : kept) writer_.Point(p.x, p.y);
    writer_.EndPlot();
}

void PictexSurface::EmitSegment(WorldPoint a, WorldPoint b) {
    const int style = StyleNumber(Current().style);
    UseStyle(style);
    if (style == 0 && (a.x == b.x || a.y == b.y))
        writer_.Rule(a.x, a.y, b.x, b.y);  // rules are solid whatever the style
    else
        Plot({a, b});
}

void PictexSurface::EmitRun(const std::vector<WorldPoint>& points) {
    UseStyle(StyleNumber(Current().style));
    Plot(points);
}

void PictexSurface::EmitDot(WorldPoint p, int radiusPixels) {
    writer_.Marker(radiusPixels <= 1 ? 0 : radiusPixels == 2 ? 1 : 2, p.x, p.y);
}

void PictexSurface::EmitPolygon(const std::vector<WorldPoint>& corners) {
    const std::vector<Trapezoid> pieces = Trapezoids(corners);
    if (!pieces.empty() && !shadeGridSet_) {
        writer_.ShadeGrid(kShadeSpanPt);
        shadeGridSet_ = true;
    }
    for (const Trapezoid& t : pieces) {
        // Pieces thinner than the written precision shade nothing and would divide by zero.
        if (writer_.Number(t.xa) == writer_.Number(t.xb)) continue;
        writer_.VShade(t.xa, t.loA, t.hiA, t.xb, t.loB, t.hiB);
    }
    // The outline, as the screen draws it with the pen.
    std::vector<WorldPoint> outline = corners;
    outline.push_back(corners.front());
    UseStyle(StyleNumber(Current().style));
    Plot(outline);
}

void PictexSurface::EmitLabel(WorldPoint p, std::string_view utf8, int a, int b, LabelRole role) {
    if (role != LabelRole::kNumberX && role != LabelRole::kNumberY) {
        writer_.Label(TexMath(utf8), PictexPlacement(a, b), p.x, p.y);
        return;
    }
    // Tick numbers in script size, about the screen's proportion of the picture.
    const std::string text = writer_.Macro("scriptstyle ") + TexMath(utf8);
    WorldPoint corner;
    if (MovedInside(p, a, b, NumberWidthPt(utf8, 6.2L), 5.5L, corner))
        writer_.Label(text, "[lt]", corner.x, corner.y);
    else
        writer_.Label(text, PictexPlacement(a, b), p.x, p.y);
}

}  // namespace curvelo
