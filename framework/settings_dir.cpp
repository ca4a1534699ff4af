#include "framework/settings_dir.h"

#include <pwd.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <system_error>

namespace curvelo::fw {
namespace {

std::string Env(const char* name) {
    const char* v = std::getenv(name);
    return v ? std::string(v) : std::string();
}

std::string HomeDirectory() {
    std::string home = Env("HOME");
    if (!home.empty()) return home;
    if (const passwd* pw = getpwuid(getuid()); pw && pw->pw_dir) return pw->pw_dir;
    return "/tmp";
}

}  // namespace

std::string SettingsDirectory() {
    std::string dir = Env("CURVELO_CONFIG_DIR");
    if (dir.empty()) {
        std::string xdg = Env("XDG_CONFIG_HOME");
        dir = (xdg.empty() ? HomeDirectory() + "/.config" : xdg) + "/curvelo";
    }
    std::error_code ec;
    std::filesystem::create_directories(dir, ec);  // failure shows later as unreadable files
    if (dir.back() != '/') dir += '/';
    return dir;
}

}  // namespace curvelo::fw
