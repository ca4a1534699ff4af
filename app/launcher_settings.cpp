#include "app/launcher_settings.h"

#include "expr/byte_io.h"

#include <cstdio>
#include <fstream>

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

std::optional<std::vector<std::uint8_t>> ReadSmallFile(const std::string& path, std::size_t maxSize) {
    std::ifstream in(path, std::ios::binary);
    if (!in) return std::nullopt;
    std::vector<std::uint8_t> bytes(maxSize + 1);
    in.read(reinterpret_cast<char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
    std::size_t got = static_cast<std::size_t>(in.gcount());
    if (got > maxSize || in.bad()) return std::nullopt;
    bytes.resize(got);
    return bytes;
}

bool WriteFileReplacing(const std::string& path, const std::vector<std::uint8_t>& bytes) {
    const std::string temp = path + ".tmp";
    {
        std::ofstream out(temp, std::ios::binary | std::ios::trunc);
        if (!out) return false;
        out.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
        out.flush();
        if (!out) {
            out.close();
            std::remove(temp.c_str());
            return false;
        }
    }
    if (std::rename(temp.c_str(), path.c_str()) != 0) {
        std::remove(temp.c_str());
        return false;
    }
    return true;
}

std::optional<LauncherSettings> ReadLauncherSettings(const std::string& folder) {
    // Trailing bytes of a longer file are ignored, as the reader takes only what it needs.
    auto bytes = ReadSmallFile(Join(folder, kLauncherSettingsFile), 4096);
    if (!bytes) return std::nullopt;
    return DecodeLauncherSettings(*bytes);
}

bool WriteLauncherSettings(const std::string& folder, const LauncherSettings& s) {
    if (folder.empty()) return false;
    return WriteFileReplacing(Join(folder, kLauncherSettingsFile), EncodeLauncherSettings(s));
}

}  // namespace curvelo
