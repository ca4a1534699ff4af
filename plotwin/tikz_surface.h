// The TikZ export as a drawing surface: a tikzpicture of the window's picture for LaTeX
// with \usepackage{tikz}, in centimetres from the picture's lower left corner, with the
// colours, widths and line styles of the screen.
#pragma once

#include <string>

#include "plotwin/export_surface.h"

namespace curvelo {

class TikzSurface : public ExportSurface {
public:
    // widthCm is the picture's width; its height keeps the view's proportions.
    TikzSurface(const PlotView& view, long double widthCm);

    // The picture's opening, written by the constructor, and its end, written by Finish.
    void Finish() override;
    const std::string& Text() const { return text_; }
    std::string Take() { return std::move(text_); }

    // A coordinate in centimetres, four decimals.
    std::string X(long double x) const;
    std::string Y(long double y) const;

protected:
    void EmitSegment(WorldPoint a, WorldPoint b) override;
    void EmitRun(const std::vector<WorldPoint>& points) override;
    void EmitDot(WorldPoint p, int radiusPixels) override;
    void EmitPolygon(const std::vector<WorldPoint>& corners) override;
    void EmitLabel(WorldPoint p, std::string_view utf8, int a, int b, LabelRole role) override;

private:
    std::string At(WorldPoint p) const { return "(" + X(p.x) + "," + Y(p.y) + ")"; }
    std::string PenOptions() const;
    std::string Path(const std::vector<WorldPoint>& points, bool closed) const;
    void Line(const std::string& s);

    long double cmPerPixel_ = 0.02L;
    long double widthCm_ = 8, heightCm_ = 6;
    std::string text_;
    bool finished_ = false;
};

// "{rgb,255:red,R;green,G;blue,B}", a colour as xcolor reads it.
std::string TikzColour(Rgb c);

}  // namespace curvelo
