// The settings file of a window kind ("cv2.ini" and its kin): placement, print setup, fonts,
// colours and the view-layer block, read when a window is set up and written when it
// closes. The counts in the header drive the reading, so files written with other counts
// are read consistently; everything is bounded by what the file holds.
#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace curvelo {

inline constexpr int kSettingsVersion = 1;
inline constexpr std::size_t kSettingsFontRecord = 60;
inline constexpr std::size_t kSettingsPlacementRecord = 17;
inline constexpr std::size_t kSettingsPathLength = 256;
inline constexpr int kSettingsFontKinds = 10;     // n written
inline constexpr int kSettingsColourIndexes = 15;  // m written

// Window kind numbers: a file is used only by the kind that wrote it.
inline constexpr std::int32_t kSettingsKind2D = 2002;
inline constexpr std::int32_t kSettingsKind3D = 2003;

struct WindowSettings {
    std::int32_t kind = 0;
    std::int32_t version = kSettingsVersion;
    std::int32_t left = 0, top = 0, width = 0, height = 0, maximised = 0;
    std::int32_t displayFlag = 0;
    // Print values in inches (stored times 100); interval below 0 means not in use.
    long double printInterval = -0.3937L, printWidth = 6, printLeft = 1, printTop = 1;
    std::int32_t printFrame = 0, printColour = 1;
    std::vector<std::uint32_t> textColours;
    std::vector<std::array<std::uint8_t, kSettingsFontRecord>> fonts;
    std::vector<std::uint32_t> fontColours;
    std::array<std::array<std::uint8_t, kSettingsPlacementRecord>, 4> auxPlacements{};
    std::vector<std::uint16_t> colourIndexes;  // [0] is the background
    std::vector<std::array<std::uint8_t, 3>> customColours;  // read only; never written
    // The view-layer block.
    std::array<std::int32_t, 21> viewInts{};  // [0] a count, [1] = 10, [2..11] the values
    std::array<std::array<std::int32_t, 21>, 2> moreInts{};
    std::array<std::array<long double, 21>, 3> viewReals{};
    std::array<std::array<std::uint8_t, 21>, 3> viewBytes{};
    std::string lastDocument;  // UTF-8 in the program; Windows-1250 in the file
};

// Reads a settings file's bytes; nothing when they are not a settings file of this kind.
std::optional<WindowSettings> ReadWindowSettings(const std::vector<std::uint8_t>& bytes,
                                                 std::int32_t expectedKind);
// Always n = 10, m = 15 and no custom colour table; missing entries are written as zero.
std::vector<std::uint8_t> WriteWindowSettings(const WindowSettings& settings);

// The file in the settings directory, read and written safely; silent on failure.
std::optional<WindowSettings> LoadWindowSettingsFile(const std::string& path, std::int32_t kind);
bool SaveWindowSettingsFile(const std::string& path, const WindowSettings& settings);

}  // namespace curvelo
