// PiCTeX text of a picture: the export settings and their checks, the header and trailer of
// the four modes, and one writer per PiCTeX command, each appending whole lines.
#pragma once

#include <string>
#include <string_view>

#include "plotwin/number_format.h"
#include "plotwin/plot_view.h"

namespace curvelo {

enum PictexMode : int {
    kPictexPlainStandalone = 0,  // "TeX önálló"
    kPictexLatexStandalone = 1,  // "LaTeX2e önálló"
    kPictexPlainCompilable = 2,  // "TeX kompilálható"
    kPictexInsertable = 3,       // "TeX beilleszthető"
};

struct PictexSettings {
    int mode = kPictexPlainStandalone;
    long double widthCm = 8;
    int box = 1;               // box register of the standalone modes
    long double radius = 0;    // white-space radius, only where a caller asks for it
};

inline constexpr long double kMinExportWidthCm = 0.1L;
// An export wider than this is not a picture for a page (and TeX's dimensions end near 5 m).
inline constexpr long double kMaxExportWidthCm = 500;
inline constexpr int kMaxBoxRegister = 255;

// 0, or the message the settings dialog shows (417 out of limits, 414 negative radius).
int CheckPictexSettings(const PictexSettings& s, bool withRadius);

// Centimetres per world unit: U across, V up, so the picture is width x width * H / W.
struct PictexUnits {
    long double u = 0, v = 0;
};
PictexUnits PictexUnitsFor(const PlotView& view, long double widthCm);

// The placement of a label anchored by a, b in {-1, 0, 1} as the frame places texts:
// "[t]" below its point, "[r]" to its left, "[lt]" from its upper left corner, "" centred.
std::string PictexPlacement(int a, int b);

class PictexWriter {
public:
    explicit PictexWriter(NumberFormat format, std::string prefix = "\\");

    const std::string& Text() const { return text_; }
    std::string Take() { return std::move(text_); }
    // A coordinate as the window writes numbers.
    std::string Number(long double v) const;

    void Header(const PictexSettings& s, const PlotView& view);
    void Trailer(int mode);

    void Rule(long double x1, long double y1, long double x2, long double y2);
    // dots is the gap of a dotted segment in points.
    void Segment(long double x1, long double y1, long double x2, long double y2, bool dotted, int dots = 2);
    void ThickRule(long double x1, long double y1, long double x2, long double y2, long double thicknessCm);
    void Rectangle(long double x1, long double y1, long double x2, long double y2);
    void BeginPlot();
    void Point(long double x, long double y);
    void EndPlot();
    void Multiput();
    // text is TeX already (see TexMath); it goes between dollars.
    void Label(std::string_view text, std::string_view placement, long double x, long double y);
    // 0: a dot of the five-point font; 1, 2: a bullet in script-script or script style;
    // 3, 4: a circle in those styles.
    void Marker(int kind, long double x, long double y);
    void LineStyle(int style, bool restore);
    void ShadeGrid(int spanPt);
    void ShadeSymbol();
    // One shaded piece between two lines: x, lower and upper y at both ends.
    void VShade(long double xa, long double loA, long double hiA, long double xb, long double loB, long double hiB);

    // A macro name with the escape prefix.
    std::string Macro(std::string_view name) const { return prefix_ + std::string(name); }

private:
    void Line(std::string_view s);

    NumberFormat format_;
    std::string prefix_;
    std::string text_;
};

}  // namespace curvelo
