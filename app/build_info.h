// What the build itself knows about the program: its version and the day it was compiled.
#pragma once

#include <string>
#include <string_view>

namespace curvelo {

struct BuildInfo {
    std::string version;  // "0.1"
    std::string date;     // "2026. december 8", empty when the compiler gave none
};

BuildInfo ThisBuild();

// The compiler's date ("Dec  8 2026") in Hungarian ("2026. december 8"); empty when malformed.
std::string HungarianBuildDate(std::string_view compilerDate);

}  // namespace curvelo
