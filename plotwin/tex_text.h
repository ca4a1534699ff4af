// Texts of a picture (labels, tick numbers, axis titles) made safe for TeX: every special
// character is escaped, so a label's text can never run a macro of its own, and the
// characters outside ASCII that the program writes become TeX's own accents and symbols.
#pragma once

#include <string>
#include <string_view>

namespace curvelo {

// For math mode (between dollars): spaces kept, letters outside ASCII in a text box.
std::string TexMath(std::string_view utf8);
// For text mode of LaTeX.
std::string TexText(std::string_view utf8);

}  // namespace curvelo
