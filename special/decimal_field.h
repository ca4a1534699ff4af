// Numbers of the special windows' dialogs and of the velocity texts are plain decimals.
#pragma once

#include <string_view>

namespace curvelo {

// An optional sign, digits with at most one point, an optional exponent, blanks around;
// false for anything else (and for what does not fit a finite long double).
bool ParseDecimal(std::string_view text, long double& value);

}  // namespace curvelo
