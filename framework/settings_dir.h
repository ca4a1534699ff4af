// The folder of the program's settings files: $CURVELO_CONFIG_DIR, else
// $XDG_CONFIG_HOME/curvelo, else ~/.config/curvelo; created when missing.
#pragma once

#include <string>

namespace curvelo::fw {

// With a trailing '/'. Empty variables count as unset.
std::string SettingsDirectory();

}  // namespace curvelo::fw
