#include "plotwin/pictex_writer.h"

#include <cmath>

#include "plotwin/value_parser.h"

namespace curvelo {

int CheckPictexSettings(const PictexSettings& s, bool withRadius) {
    const bool standalone = s.mode == kPictexPlainStandalone || s.mode == kPictexLatexStandalone;
    if (standalone && (s.box < 0 || s.box > kMaxBoxRegister)) return kMsgOutOfLimits;
    if (!(s.widthCm >= kMinExportWidthCm && s.widthCm <= kMaxExportWidthCm)) return kMsgOutOfLimits;
    if (withRadius && !(s.radius >= 0)) return kMsgPositiveValue;
    return 0;
}

PictexUnits PictexUnitsFor(const PlotView& view, long double widthCm) {
    PictexUnits u;
    u.u = widthCm * 0.5L / view.hw;
    u.v = static_cast<long double>(view.H) * 0.5L * widthCm / (static_cast<long double>(view.W) * view.hh);
    return u;
}

std::string PictexPlacement(int a, int b) {
    std::string p;
    if (a < 0) p += 'r';
    if (a > 0) p += 'l';
    if (b < 0) p += 't';
    if (b > 0) p += 'b';
    return p.empty() ? p : "[" + p + "]";
}

PictexWriter::PictexWriter(NumberFormat format, std::string prefix)
    : format_(format), prefix_(std::move(prefix)) {}

std::string PictexWriter::Number(long double v) const { return format_.Format(v); }

void PictexWriter::Line(std::string_view s) {
    text_ += s;
    text_ += "\r\n";
}

void PictexWriter::Header(const PictexSettings& s, const PlotView& view) {
    const bool standalone = s.mode == kPictexPlainStandalone || s.mode == kPictexLatexStandalone;
    if (standalone) Line(Macro("font") + Macro("fiverm = cmr5"));
    if (s.mode == kPictexLatexStandalone) Line(Macro("input prepictex"));
    if (s.mode != kPictexInsertable) Line(Macro("input pictex"));
    if (s.mode == kPictexLatexStandalone) Line(Macro("input postpictex"));
    if (standalone) Line(Macro("setbox") + std::to_string(s.box) + "=" + Macro("vbox{"));
    Line(Macro("beginpicture"));
    const PictexUnits u = PictexUnitsFor(view, s.widthCm);
    Line(Macro("setcoordinatesystem units <") + Number(u.u) + "cm," + Number(u.v) + "cm>");
    const long double corners[4][2] = {
        {view.xmin, view.ymin}, {view.xmin, view.ymax}, {view.xmax, view.ymin}, {view.xmax, view.ymax}};
    for (const auto& c : corners)
        Line(Macro("put {") + Macro("phantom{.}} at ") + Number(c[0]) + " " + Number(c[1]));
    Line(Macro("setlinear"));
}

void PictexWriter::Trailer(int mode) {
    const bool standalone = mode == kPictexPlainStandalone || mode == kPictexLatexStandalone;
    Line(Macro("endpicture") + (standalone ? "}" : ""));
}

void PictexWriter::Rule(long double x1, long double y1, long double x2, long double y2) {
    Line(Macro("putrule from ") + Number(x1) + " " + Number(y1) + " to " + Number(x2) + " " + Number(y2));
}

void PictexWriter::Segment(long double x1, long double y1, long double x2, long double y2, bool dotted,
                           int dots) {
    if (dotted) Line(Macro("setdots <") + std::to_string(dots) + "pt>");
    if (x1 == x2 || y1 == y2)
        Rule(x1, y1, x2, y2);
    else
        Line(Macro("plot ") + Number(x1) + " " + Number(y1) + " " + Number(x2) + " " + Number(y2) + " /");
    if (dotted) Line(Macro("setsolid"));
}

void PictexWriter::ThickRule(long double x1, long double y1, long double x2, long double y2,
                             long double thicknessCm) {
    Line(Macro("linethickness = ") + Number(thicknessCm) + "cm");
    Rule(x1, y1, x2, y2);
    Line(Macro("linethickness = ") + "0.4pt");
}

void PictexWriter::Rectangle(long double x1, long double y1, long double x2, long double y2) {
    Line(Macro("putrectangle corners at ") + Number(x1) + " " + Number(y1) + " and " + Number(x2) + " " +
         Number(y2));
}

void PictexWriter::BeginPlot() { text_ += Macro("plot "); }

void PictexWriter::Point(long double x, long double y) { Line(Number(x) + " " + Number(y)); }

void PictexWriter::EndPlot() { Line("/"); }

void PictexWriter::Multiput() { Line(Macro("multiput {.} at")); }

void PictexWriter::Label(std::string_view text, std::string_view placement, long double x, long double y) {
    Line(Macro("put {$") + std::string(text) + "$} " + std::string(placement) + " at " + Number(x) + " " +
         Number(y));
}

void PictexWriter::Marker(int kind, long double x, long double y) {
    std::string content;
    if (kind <= 0) {
        content = Macro("fiverm .} at ");
    } else {
        const bool small = kind == 1 || kind == 3;
        content = "$" + Macro(small ? "scriptscriptstyle" : "scriptstyle") + Macro(kind >= 3 ? "circ$} at " : "bullet$} at ");
    }
    Line(Macro("put {") + content + Number(x) + " " + Number(y));
}

void PictexWriter::LineStyle(int style, bool restore) {
    if (style == 0) return;
    if (restore) {
        Line(Macro("setsolid"));
        return;
    }
    switch (style) {
    case 1: Line(Macro("setdots<2pt>")); break;
    case 2: Line(Macro("setdashes")); break;
    case 3: Line(Macro("setdashpattern<10pt,2pt,3pt,2pt>")); break;
    case 4: Line(Macro("setdashpattern<10pt,2pt,3pt,2pt,3pt,2pt>")); break;
    default: Line(Macro("setsolid")); break;
    }
}

void PictexWriter::ShadeGrid(int spanPt) { Line(Macro("setshadegrid span <") + std::to_string(spanPt) + "pt>"); }

void PictexWriter::ShadeSymbol() { Line(Macro("setshadesymbol <z,z,z,z> ({") + Macro("fiverm .})")); }

void PictexWriter::VShade(long double xa, long double loA, long double hiA, long double xb, long double loB,
                          long double hiB) {
    Line(Macro("vshade ") + Number(xa) + " " + Number(loA) + " " + Number(hiA) + "  " + Number(xb) + " " +
         Number(loB) + " " + Number(hiB) + " /");
}

}  // namespace curvelo
