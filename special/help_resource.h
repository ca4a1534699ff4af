// A help resource of the special windows as shown: the text before its first "???".
#pragma once

#include <string>
#include <string_view>

namespace curvelo {

std::string SpecialHelpText(std::string_view name);

}  // namespace curvelo
