#include "framework/log_font.h"

#include <algorithm>
#include <cctype>

namespace curvelo::fw {
namespace {

void Put32(std::uint8_t* p, std::int32_t v) {
    auto u = static_cast<std::uint32_t>(v);
    for (int i = 0; i < 4; ++i) p[i] = static_cast<std::uint8_t>(u >> (8 * i));
}

std::int32_t Get32(const std::uint8_t* p) {
    std::uint32_t u = 0;
    for (int i = 0; i < 4; ++i) u |= static_cast<std::uint32_t>(p[i]) << (8 * i);
    return static_cast<std::int32_t>(u);
}

constexpr int kFaceOffset = 28;
constexpr int kFaceBytes = 32;

}  // namespace

std::array<std::uint8_t, LogFont::kStoredSize> LogFont::Store() const {
    std::array<std::uint8_t, kStoredSize> b{};
    Put32(&b[0], height);
    Put32(&b[4], width);
    Put32(&b[8], escapement);
    Put32(&b[12], orientation);
    Put32(&b[16], weight);
    const std::uint8_t bytes[8] = {italic, underline, strikeOut, charSet,
                                   outPrecision, clipPrecision, quality, pitchAndFamily};
    std::copy(bytes, bytes + 8, &b[20]);
    // The face name keeps its file bytes; the last byte stays the terminator.
    std::size_t n = std::min<std::size_t>(faceName.size(), kFaceBytes - 1);
    std::copy(faceName.begin(), faceName.begin() + static_cast<std::ptrdiff_t>(n), &b[kFaceOffset]);
    return b;
}

LogFont LogFont::Load(const std::uint8_t* b) {
    LogFont f;
    f.height = Get32(b);
    f.width = Get32(b + 4);
    f.escapement = Get32(b + 8);
    f.orientation = Get32(b + 12);
    f.weight = Get32(b + 16);
    f.italic = b[20];
    f.underline = b[21];
    f.strikeOut = b[22];
    f.charSet = b[23];
    f.outPrecision = b[24];
    f.clipPrecision = b[25];
    f.quality = b[26];
    f.pitchAndFamily = b[27];
    const std::uint8_t* face = b + kFaceOffset;
    std::size_t n = 0;
    while (n < kFaceBytes && face[n] != 0) ++n;
    f.faceName.assign(reinterpret_cast<const char*>(face), n);
    return f;
}

bool LogFont::IsSymbolFont() const {
    constexpr int kSymbolCharset = 2;
    std::string lower = faceName;
    for (char& c : lower) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return charSet == kSymbolCharset || lower == "symbol";
}

}  // namespace curvelo::fw
