// The PiCTeX export as a drawing surface: the window's paint routine draws into it and it
// writes PiCTeX lines. Axis-parallel solid lines are rules, curves are "plot" runs (dotted
// or dashed as the pen says, the style switched only where it changes), dots are markers,
// filled shapes are shaded, texts are placed labels. PiCTeX has no colours: they are left.
// A tick number that would reach past the picture's edge is moved inside, as on the screen,
// so the picture keeps the window's size.
#pragma once

#include <string>

#include "plotwin/export_surface.h"
#include "plotwin/pictex_writer.h"

namespace curvelo {

class PictexSurface : public ExportSurface {
public:
    // widthCm is the picture's width, for the room that tick numbers take.
    PictexSurface(const PlotView& view, PictexWriter& writer, long double widthCm);

    // Back to solid lines, so what follows the picture starts as PiCTeX does.
    void Finish() override;

    // The span of the shading grid, in points.
    static constexpr int kShadeSpanPt = 2;

protected:
    void EmitSegment(WorldPoint a, WorldPoint b) override;
    void EmitRun(const std::vector<WorldPoint>& points) override;
    void EmitDot(WorldPoint p, int radiusPixels) override;
    void EmitPolygon(const std::vector<WorldPoint>& corners) override;
    void EmitLabel(WorldPoint p, std::string_view utf8, int a, int b, LabelRole role) override;

private:
    void UseStyle(int style);
    // Writes a plot of the points whose written coordinates differ from the previous
    // one's; PiCTeX cannot join a point to itself.
    void Plot(const std::vector<WorldPoint>& points);

    PictexWriter& writer_;
    int style_ = 0;  // the style the text is in: 0 solid, else as PictexWriter::LineStyle
    bool shadeGridSet_ = false;
};

// The whole export text of one picture: the header of the settings' mode, the shading
// symbol, whatever paint draws into the surface, the trailer.
template <typename Paint>
std::string PictexText(const PlotView& view, const NumberFormat& format, const PictexSettings& settings, Paint paint) {
    PictexWriter writer(format);
    writer.Header(settings, view);
    writer.ShadeSymbol();
    {
        PictexSurface surface(view, writer, settings.widthCm);
        paint(surface);
        surface.Finish();
    }
    writer.Trailer(settings.mode);
    return writer.Take();
}

}  // namespace curvelo
