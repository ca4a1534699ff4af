// Reads the plain decimal numbers typed into the body dialog and kept as velocity texts.
#pragma once

#include <string_view>

namespace curvelo {

// Accepts a sign, then digits with a single decimal point at most, then an exponent, with
// blanks around; anything else, or a value beyond a finite long double, gives false.
bool ParseDecimal(std::string_view text, long double& value);

}  // namespace curvelo
