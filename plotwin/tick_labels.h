// Texts of the frame: tick numbers (decimal or as rational multiples of pi), the long minus,
// character codes of the label fonts, and where a label box goes around its point.
#pragma once

#include <string>
#include <string_view>

namespace curvelo {

struct FrameSettings;

struct Fraction {
    int p = 0;
    int q = 1;
};

// The first q = 1..maxDenominator with |round(q|t|) - q|t|| < 0.5 / maxDenominator, reduced;
// p carries the sign of t.
Fraction RationalApprox(long double t, int maxDenominator);

// The UTF-8 text of a single-byte character code: in the symbol font letters are Greek
// (112 is pi), otherwise the code page of the program's older texts applies (150 is the long
// dash).
std::string CharCodeText(int code, bool symbolFont);

// value / pi as "p", pi, "/q": pi/2, 3pi/4, -pi, 2pi; 0 is written "0".
std::string PiLabel(long double value, int maxDenominator, int piChar);

// Decimals 0: the value truncated, "%d"; otherwise "%(d+2).(d)Lf".
std::string FormatTickValue(long double value, int decimals);
// The number of a tick on axis 0 (x) or 1 (y) as the frame settings ask for.
std::string FormatTickNumber(long double value, const FrameSettings& settings, int axis);

// Every hyphen becomes the minus character (when long minus is on).
std::string ApplyLongMinus(std::string_view text, int minusChar);

// Top-left corner of a w x h label at pixel (px, py), alignments -1, 0, 1: a = 0 centres
// horizontally, a = 1 starts at the point, a = -1 ends there; b = 1 above, b = -1 below.
struct LabelBox {
    int left = 0;
    int top = 0;
};
LabelBox PlaceLabel(int px, int py, int w, int h, int a, int b);

}  // namespace curvelo
