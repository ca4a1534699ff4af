#include "plotwin/print_layout.h"

#include <algorithm>
#include <cmath>

#include "plotwin/number_format.h"
#include "plotwin/plot_view.h"
#include "plotwin/to_int.h"

namespace curvelo {
namespace {

constexpr std::size_t kPrintFieldMaxChars = 19;
// A picture larger than this many inches is not a sensible page.
constexpr long double kMaxPrintInches = 1000;

std::string Cm(long double inches) { return FormatFixed(std::fabs(inches) * kCmPerInch, 4, 2); }

bool ReadInches(const std::string& text, long double* inches) {
    long double cm = 0;
    if (!ParsePlainNumber(std::string_view(text).substr(0, kPrintFieldMaxChars), &cm) || !std::isfinite(cm))
        return false;
    *inches = cm * kInchesPerCm;
    return true;
}

}  // namespace

long double PrintSpec::PictureWidth(long double worldWidth) const {
    if (UsesWidth()) return width;
    return std::fabs(interval) * worldWidth;
}

PrintSpecFields PrintSpecFieldsFor(const PrintSpec& spec) {
    PrintSpecFields f;
    f.byWidth = spec.UsesWidth();
    f.width = Cm(spec.width);
    f.interval = Cm(spec.interval);
    f.left = Cm(spec.left);
    f.top = Cm(spec.top);
    f.frame = spec.frame != 0;
    f.colour = spec.colour != 0;
    return f;
}

int ApplyPrintSpecFields(const PrintSpecFields& f, PrintSpec& spec) {
    long double width = 0, interval = 0, left = 0, top = 0;
    if (!ReadInches(f.width, &width) || !ReadInches(f.interval, &interval) || !ReadInches(f.left, &left) ||
        !ReadInches(f.top, &top))
        return kMsgOutOfLimits;
    if (width < kMinPrintInches || left < kMinPrintInches || top < kMinPrintInches || interval <= kViewEpsilon)
        return kMsgOutOfLimits;
    if (width > kMaxPrintInches || left > kMaxPrintInches || top > kMaxPrintInches || interval > kMaxPrintInches)
        return kMsgOutOfLimits;
    spec.width = f.byWidth ? width : -width;
    spec.interval = f.byWidth ? -interval : interval;
    spec.left = left;
    spec.top = top;
    spec.frame = f.frame;
    spec.colour = f.colour;
    return 0;
}

OutputRect ComputePrintRect(const PrintSpec& spec, int screenW, int screenH, long double worldWidth,
                            const PrinterMetrics& printer) {
    screenW = std::max(screenW, 1);
    screenH = std::max(screenH, 1);
    long double w = spec.PictureWidth(worldWidth);
    if (!std::isfinite(w) || w <= 0) w = kMinPrintInches;
    w = std::min(w, kMaxPrintInches);
    const long double h = static_cast<long double>(screenH) * w / screenW;
    OutputRect r;
    r.x0 = ToInt(printer.dpiX * spec.left) - printer.offsetX;
    r.y0 = ToInt(printer.dpiY * spec.top) - printer.offsetY;
    r.W = std::max(ToInt(printer.dpiX * w), 1);
    r.H = std::max(ToInt(printer.dpiY * h), 1);
    return r;
}

}  // namespace curvelo
