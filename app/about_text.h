// The texts the launcher shows from its Help menu.
#pragma once

#include <string>
#include <string_view>

namespace curvelo {

struct BuildInfo;

// The About box's lines, separated by CR LF, for this build or the given one.
std::string AboutText();
std::string AboutText(const BuildInfo& build);

// A help resource as shown: everything before its first "???".
std::string_view HelpTextShown(std::string_view resource);

}  // namespace curvelo
