#include "plotwin/window_settings.h"

#include <cmath>

#include "expr/byte_io.h"
#include "expr/codepage.h"
#include "framework/safe_file.h"

namespace curvelo {
namespace {

// Far more than any window uses; a larger count marks a damaged file.
constexpr std::int32_t kMaxFontKinds = 64;
constexpr std::int32_t kMaxColourIndexes = 256;
constexpr std::int32_t kMaxCustomColours = 256;
constexpr std::size_t kMaxSettingsFile = 1 << 20;

std::int32_t Hundredths(long double inches) {
    const long double v = std::round(inches * 100);
    return std::isfinite(v) && std::fabs(v) < 2e9L ? static_cast<std::int32_t>(v) : 0;
}

}  // namespace

std::optional<WindowSettings> ReadWindowSettings(const std::vector<std::uint8_t>& bytes,
                                                 std::int32_t expectedKind) {
    ByteReader r(bytes);
    WindowSettings s;
    std::int32_t h[20];
    for (std::int32_t& v : h) v = r.I32();
    if (!r.Ok() || h[0] != expectedKind || h[1] < 1) return std::nullopt;
    s.kind = h[0];
    s.version = h[1];
    s.left = h[2]; s.top = h[3]; s.width = h[4]; s.height = h[5]; s.maximised = h[6];
    s.displayFlag = h[7];
    const std::int32_t custom = h[8], n = h[15], m = h[16];
    if (custom < 0 || custom > kMaxCustomColours || n < 0 || n > kMaxFontKinds || m < 0 || m > kMaxColourIndexes)
        return std::nullopt;
    s.printInterval = h[9] == 0 ? -0.3937L : h[9] / 100.0L;
    s.printWidth = h[10] / 100.0L;
    s.printLeft = h[11] / 100.0L;
    s.printTop = h[12] / 100.0L;
    s.printFrame = h[13];
    s.printColour = h[14];
    for (std::int32_t i = 0; i < n; ++i) s.textColours.push_back(r.U32());
    s.fonts.resize(static_cast<std::size_t>(n));
    for (auto& f : s.fonts) r.Bytes(f.data(), f.size());
    for (std::int32_t i = 0; i < n; ++i) s.fontColours.push_back(r.U32());
    for (auto& p : s.auxPlacements) r.Bytes(p.data(), p.size());
    for (std::int32_t i = 0; i < m; ++i) s.colourIndexes.push_back(r.U16());
    if (custom > 0) {
        std::vector<std::uint8_t> red(static_cast<std::size_t>(custom)), green(red.size()), blue(red.size());
        r.Bytes(red.data(), red.size());
        r.Bytes(green.data(), green.size());
        r.Bytes(blue.data(), blue.size());
        for (std::size_t i = 0; i < red.size(); ++i) s.customColours.push_back({red[i], green[i], blue[i]});
    }
    for (std::int32_t& v : s.viewInts) v = r.I32();
    for (auto& rec : s.moreInts)
        for (std::int32_t& v : rec) v = r.I32();
    for (auto& arr : s.viewReals)
        for (long double& v : arr) v = r.Ext80();
    for (auto& arr : s.viewBytes) r.Bytes(arr.data(), arr.size());
    char path[kSettingsPathLength];
    r.Bytes(path, sizeof path);
    if (!r.Ok()) return std::nullopt;
    std::size_t len = 0;
    while (len < sizeof path && path[len]) ++len;
    s.lastDocument = Cp1250ToUtf8(std::string_view(path, len));
    return s;
}

std::vector<std::uint8_t> WriteWindowSettings(const WindowSettings& s) {
    ByteWriter w;
    const std::int32_t h[20] = {s.kind, kSettingsVersion, s.left, s.top, s.width, s.height, s.maximised,
                                s.displayFlag, 0, s.printInterval < 0 ? 0 : Hundredths(s.printInterval),
                                Hundredths(s.printWidth), Hundredths(s.printLeft), Hundredths(s.printTop),
                                s.printFrame, s.printColour, kSettingsFontKinds, kSettingsColourIndexes,
                                0, 0, 0};
    for (std::int32_t v : h) w.I32(v);
    auto at = [](const auto& v, std::size_t i) { return i < v.size() ? v[i] : typename std::decay_t<decltype(v)>::value_type{}; };
    for (std::size_t i = 0; i < kSettingsFontKinds; ++i) w.U32(at(s.textColours, i));
    for (std::size_t i = 0; i < kSettingsFontKinds; ++i) {
        const auto f = at(s.fonts, i);
        w.Bytes(f.data(), f.size());
    }
    for (std::size_t i = 0; i < kSettingsFontKinds; ++i) w.U32(at(s.fontColours, i));
    for (const auto& p : s.auxPlacements) w.Bytes(p.data(), p.size());
    for (std::size_t i = 0; i < kSettingsColourIndexes; ++i) w.U16(at(s.colourIndexes, i));
    for (std::int32_t v : s.viewInts) w.I32(v);
    for (const auto& rec : s.moreInts)
        for (std::int32_t v : rec) w.I32(v);
    for (const auto& arr : s.viewReals)
        for (long double v : arr) w.Ext80(v);
    for (const auto& arr : s.viewBytes) w.Bytes(arr.data(), arr.size());
    std::string path = Utf8ToCp1250(s.lastDocument);
    path.resize(kSettingsPathLength - 1 < path.size() ? kSettingsPathLength - 1 : path.size());
    path.resize(kSettingsPathLength, '\0');
    w.Bytes(path.data(), path.size());
    return w.Data();
}

std::optional<WindowSettings> LoadWindowSettingsFile(const std::string& path, std::int32_t kind) {
    std::vector<std::uint8_t> bytes;
    if (ReadFileBounded(path, bytes, kMaxSettingsFile) != ReadFileStatus::Ok) return std::nullopt;
    return ReadWindowSettings(bytes, kind);
}

bool SaveWindowSettingsFile(const std::string& path, const WindowSettings& settings) {
    return WriteFileSafely(path, WriteWindowSettings(settings));
}

}  // namespace curvelo
