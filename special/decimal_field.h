// Velocities are typed as plain numbers, not formulas, so that they keep every digit the user
// wrote; this reads them.
#pragma once

#include <string_view>

namespace curvelo {

// True for an optional sign, digits with at most one decimal point and an optional exponent,
// blanks allowed around, whose value is a finite long double.
bool ParseDecimal(std::string_view text, long double& value);

}  // namespace curvelo
