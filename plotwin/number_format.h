// The number format of a window: every number it writes into dialogs, tables and exports.
#pragma once

#include <string>

namespace curvelo {

struct NumberFormat {
    int width = 7;
    int decimals = 5;

    // "%" width "." decimals "Lf"; width and decimals are kept within printf's sane range.
    std::string Format(long double value) const;
    // The same without the leading blanks of the width, as dialog fields show numbers.
    std::string FormatForField(long double value) const;
    std::string Pattern() const;
};

// printf-style "%<width>.<decimals>Lf" of one value, bounded and never overflowing.
std::string FormatFixed(long double value, int width, int decimals);

}  // namespace curvelo
