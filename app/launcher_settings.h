// The launcher's settings file "cv.ini": its placement record and its two menu flags.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace curvelo {

// Placement of a frame in screen pixels, 17 bytes as stored.
struct FramePlacement {
    std::int32_t left = 0, top = 0, width = 0, height = 0;
    bool maximized = false;
    bool operator==(const FramePlacement&) const = default;
};

struct LauncherSettings {
    FramePlacement placement;
    bool openLastEdit = false;
    bool useDefaultSettings = false;
};

inline constexpr std::size_t kLauncherSettingsSize = 19;
inline constexpr const char* kLauncherSettingsFile = "cv.ini";

std::vector<std::uint8_t> EncodeLauncherSettings(const LauncherSettings& s);
// Nothing when fewer than 19 bytes are given. The two flags are never both kept.
std::optional<LauncherSettings> DecodeLauncherSettings(const std::vector<std::uint8_t>& bytes);

// The placement a new frame starts from, before any file was read.
FramePlacement ConstructedPlacement(int r1, int r2);
// The small placement near the top-left corner that replaces an impossible one.
FramePlacement FallbackPlacement(int r1, int r2);
bool PlacementFits(const FramePlacement& p, int screenWidth, int screenHeight);

// File access in a settings folder; both are silent on failure.
std::optional<LauncherSettings> ReadLauncherSettings(const std::string& folder);
bool WriteLauncherSettings(const std::string& folder, const LauncherSettings& s);

}  // namespace curvelo
