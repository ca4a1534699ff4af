#include "app/launcher_settings.h"

#include "expr/byte_io.h"
#include "framework/safe_file.h"

namespace curvelo {
namespace {

int NonNegative(int r) { return r < 0 ? -(r + 1) : r; }

std::string Join(const std::string& folder, const char* name) {
    if (folder.empty() || folder.back() == '/') return folder + name;
    return folder + "/" + name;
}

}  // namespace

std::vector<std::uint8_t> EncodeLauncherSettings(const LauncherSettings& s) {
    ByteWriter w;
    w.I32(s.placement.left);
    w.I32(s.placement.top);
    w.I32(s.placement.width);
    w.I32(s.placement.height);
    w.U8(s.placement.maximized ? 1 : 0);
    w.U8(s.openLastEdit ? 1 : 0);
    w.U8(s.useDefaultSettings && !s.openLastEdit ? 1 : 0);
    return w.Data();
}

std::optional<LauncherSettings> DecodeLauncherSettings(const std::vector<std::uint8_t>& bytes) {
    if (bytes.size() < kLauncherSettingsSize) return std::nullopt;
    ByteReader r(bytes);
    LauncherSettings s;
    s.placement.left = r.I32();
    s.placement.top = r.I32();
    s.placement.width = r.I32();
    s.placement.height = r.I32();
    s.placement.maximized = r.U8() != 0;
    s.openLastEdit = r.U8() != 0;
    s.useDefaultSettings = r.U8() != 0;
    if (!r.Ok()) return std::nullopt;
    // A hand-edited file may set both; default settings is the safer of the two.
    if (s.openLastEdit && s.useDefaultSettings) s.openLastEdit = false;
    return s;
}

FramePlacement ConstructedPlacement(int r1, int r2) {
    return {100 + NonNegative(r1) % 200, 20 + NonNegative(r2) % 40, 200, 120, false};
}

FramePlacement FallbackPlacement(int r1, int r2) {
    return {NonNegative(r1) % 30, NonNegative(r2) % 30, 120, 72, false};
}

bool PlacementFits(const FramePlacement& p, int screenWidth, int screenHeight) {
    // 64-bit sums: the four values come from a file and may be anything.
    return p.left >= 0 && p.top >= 0 && p.height >= 72 && p.width >= 120 &&
           std::int64_t(p.left) + p.width <= screenWidth &&
           std::int64_t(p.top) + p.height <= screenHeight;
}

std::optional<LauncherSettings> ReadLauncherSettings(const std::string& folder) {
    // Trailing bytes of a longer file are ignored, as the reader takes only what it needs.
    std::vector<std::uint8_t> bytes;
    if (ReadFileBounded(Join(folder, kLauncherSettingsFile), bytes, 4096) != ReadFileStatus::Ok) return std::nullopt;
    return DecodeLauncherSettings(bytes);
}

bool WriteLauncherSettings(const std::string& folder, const LauncherSettings& s) {
    if (folder.empty()) return false;
    return WriteFileSafely(Join(folder, kLauncherSettingsFile), EncodeLauncherSettings(s));
}

}  // namespace curvelo
