#include "plotwin/tikz_surface.h"

#include <algorithm>

#include "plotwin/number_format.h"
#include "plotwin/tex_text.h"

namespace curvelo {
namespace {

std::string Cm(long double v) {
    std::string s = FormatFixed(v, 0, 4);
    return s == "-0.0000" ? "0.0000" : s;
}

const char* StyleOption(LineStyle s) {
    switch (s) {
    case LineStyle::kSolid: return "";
    case LineStyle::kDotted: return ", dotted";
    case LineStyle::kDashed: return ", dashed";
    case LineStyle::kDashDot: return ", dash dot";
    case LineStyle::kDashDotDot: return ", dash dot dot";
    }
    return "";
}

// TikZ anchors: the side of the text that sits on the point.
std::string Anchor(int a, int b) {
    std::string vertical = b < 0 ? "north" : b > 0 ? "south" : "";
    std::string horizontal = a > 0 ? "west" : a < 0 ? "east" : "";
    if (vertical.empty() && horizontal.empty()) return "center";
    if (vertical.empty()) return horizontal;
    if (horizontal.empty()) return vertical;
    return vertical + " " + horizontal;
}

}  // namespace

std::string TikzColour(Rgb c) {
    return "{rgb,255:red," + std::to_string(c.r) + ";green," + std::to_string(c.g) + ";blue," +
           std::to_string(c.b) + "}";
}

TikzSurface::TikzSurface(const PlotView& view, long double widthCm)
    : ExportSurface(view, widthCm), widthCm_(widthCm) {
    cmPerPixel_ = widthCm / std::max<long double>(1, view.W);
    heightCm_ = (view.ymax - view.ymin) * CmPerUnitY();
    Line("\\begin{tikzpicture}[line join=round, line cap=round]");
    Line("\\useasboundingbox (0,0) rectangle (" + Cm(widthCm_) + "," + Cm(heightCm_) + ");");
}

std::string TikzSurface::X(long double x) const { return Cm((x - View().xmin) * CmPerUnitX()); }
std::string TikzSurface::Y(long double y) const { return Cm((y - View().ymin) * CmPerUnitY()); }

void TikzSurface::Line(const std::string& s) {
    text_ += s;
    text_ += "\r\n";
}

void TikzSurface::Finish() {
    ExportSurface::Finish();
    if (finished_) return;
    finished_ = true;
    Line("\\end{tikzpicture}");
}

std::string TikzSurface::PenOptions() const {
    const State& s = Current();
    return "draw=" + TikzColour(s.pen) + ", line width=" + Cm(s.width * cmPerPixel_) + "cm" + StyleOption(s.style);
}

std::string TikzSurface::Path(const std::vector<WorldPoint>& points, bool closed) const {
    std::string path;
    std::string last;
    int onLine = 0;
    for (const WorldPoint& p : points) {
        std::string at = At(p);
        if (at == last) continue;
        if (!last.empty()) path += onLine % 6 == 0 ? " --\r\n  " : " -- ";
        path += at;
        last = std::move(at);
        ++onLine;
    }
    if (closed) path += " -- cycle";
    return path;
}

void TikzSurface::EmitSegment(WorldPoint a, WorldPoint b) {
    Line("\\draw[" + PenOptions() + "] " + At(a) + " -- " + At(b) + ";");
}

void TikzSurface::EmitRun(const std::vector<WorldPoint>& points) {
    Line("\\draw[" + PenOptions() + "] " + Path(points, false) + ";");
}

void TikzSurface::EmitDot(WorldPoint p, int radiusPixels) {
    const long double r = std::max(0.5L, static_cast<long double>(radiusPixels)) * cmPerPixel_;
    Line("\\fill[fill=" + TikzColour(Current().pen) + "] " + At(p) + " circle[radius=" + Cm(r) + "cm];");
}

void TikzSurface::EmitPolygon(const std::vector<WorldPoint>& corners) {
    Line("\\filldraw[fill=" + TikzColour(Current().brush) + ", " + PenOptions() + "] " + Path(corners, true) + ";");
}

void TikzSurface::EmitLabel(WorldPoint p, std::string_view utf8, int a, int b, LabelRole role) {
    const State& s = Current();
    const bool number = role == LabelRole::kNumberX || role == LabelRole::kNumberY;
    WorldPoint corner;
    // Numbers in script size, their box with its inner room kept inside the picture.
    if (number && MovedInside(p, a, b, NumberWidthPt(utf8, 2.6L) + 2, 7.5L, corner)) {
        p = corner;
        a = 1;
        b = -1;
    }
    std::string options = "anchor=" + Anchor(a, b) + ", inner sep=1pt, text=" + TikzColour(s.text);
    if (s.opaque) options += ", fill=" + TikzColour(s.background);
    options += number ? ", font=\\scriptsize" : ", font=\\small";
    Line("\\node[" + options + "] at " + At(p) + " {" + TexText(utf8) + "};");
}

}  // namespace curvelo
