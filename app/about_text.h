// The texts the launcher shows from its Help menu.
#pragma once

#include <string>
#include <string_view>

namespace curvelo {

// The About box's lines, separated by CR LF.
std::string AboutText();

// A help resource as shown: everything before its first "???".
std::string_view HelpTextShown(std::string_view resource);

}  // namespace curvelo
