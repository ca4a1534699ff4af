// The printed picture: the print setup, its dialog's values and the output rectangle
// on the page.
#pragma once

#include <cstdint>
#include <string>

#include "plotwin/value_parser.h"

namespace curvelo {

inline constexpr long double kInchesPerCm = 0.39370078740157477L;
inline constexpr long double kCmPerInch = 2.54L;
inline constexpr long double kMinPrintInches = 0.25L;

// Lengths in inches. Of width and interval exactly one is in use; the other is kept negated.
// The interval is the printed length of one x unit.
struct PrintSetup {
    long double width = 6;
    long double left = 1;
    long double top = 1;
    long double interval = -1;
    std::uint8_t frame = 0;
    std::uint8_t colour = 1;

    bool UsesWidth() const { return width > 0; }
    // The picture's printed width for a view of the given world width.
    long double PictureWidth(long double worldWidth) const;
};

// The print setup dialog "PRNSPX2": centimetres shown with "%4.2Lf".
struct PrintSetupFields {
    bool byWidth = true;
    std::string width, interval, left, top;
    bool frame = false, colour = true;
};
PrintSetupFields PrintSetupFieldsFor(const PrintSetup& setup);
// Width, left and top at least 0.25 inch, interval above 1e-18; else 417 and setup unchanged.
int ApplyPrintSetupFields(const PrintSetupFields& f, PrintSetup& setup);

// The page's device data.
struct PrinterMetrics {
    int dpiX = 600, dpiY = 600;
    int offsetX = 0, offsetY = 0;  // physical offsets of the printable area, device pixels
};

struct OutputRect {
    int W = 1, H = 1, x0 = 0, y0 = 0;
};

// Keeps the screen proportions: height = H * width / W.
OutputRect ComputePrintRect(const PrintSetup& setup, int screenW, int screenH, long double worldWidth,
                            const PrinterMetrics& printer);

}  // namespace curvelo
