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

long double PrintSetup::PictureWidth(long double worldWidth) const {
    if (UsesWidth()) return width;
    return std::fabs(interval) * worldWidth;
}

PrintSetupFields PrintSetupFieldsFor(const PrintSetup& setup) {
    PrintSetupFields f;
    f.byWidth = setup.UsesWidth();
    f.width = Cm(setup.width);
    f.interval = Cm(setup.interval);
    f.left = Cm(setup.left);
    f.top = Cm(setup.top);
    f.frame = setup.frame != 0;
    f.colour = setup.colour != 0;
    return f;
}

int ApplyPrintSetupFields(const PrintSetupFields& f, PrintSetup& setup) {
    long double width = 0, interval = 0, left = 0, top = 0;
    if (!ReadInches(f.width, &width) || !ReadInches(f.interval, &interval) || !ReadInches(f.left, &left) ||
        !ReadInches(f.top, &top))
        return kMsgOutOfLimits;
    if (width < kMinPrintInches || left < kMinPrintInches || top < kMinPrintInches || interval <= kViewEpsilon)
        return kMsgOutOfLimits;
    if (width > kMaxPrintInches || left > kMaxPrintInches || top > kMaxPrintInches || interval > kMaxPrintInches)
        return kMsgOutOfLimits;
    setup.width = f.byWidth ? width : -width;
    setup.interval = f.byWidth ? -interval : interval;
    setup.left = left;
    setup.top = top;
    setup.frame = f.frame;
    setup.colour = f.colour;
    return 0;
}

OutputRect ComputePrintRect(const PrintSetup& setup, int screenW, int screenH, long double worldWidth,
                            const PrinterMetrics& printer) {
    screenW = std::max(screenW, 1);
    screenH = std::max(screenH, 1);
    long double w = setup.PictureWidth(worldWidth);
    if (!std::isfinite(w) || w <= 0) w = kMinPrintInches;
    w = std::min(w, kMaxPrintInches);
    const long double h = static_cast<long double>(screenH) * w / screenW;
    OutputRect r;
    r.x0 = ToInt(printer.dpiX * setup.left) - printer.offsetX;
    r.y0 = ToInt(printer.dpiY * setup.top) - printer.offsetY;
    r.W = std::max(ToInt(printer.dpiX * w), 1);
    r.H = std::max(ToInt(printer.dpiY * h), 1);
    return r;
}

}  // namespace curvelo
