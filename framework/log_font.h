// A logical font: the stored 60-byte font record of documents and its meaning on screen.
#pragma once

#include <array>
#include <cstdint>
#include <string>

namespace curvelo::fw {

struct LogFont {
    std::int32_t height = -13;      // negative: character height in pixels; positive: cell height
    std::int32_t width = 0;         // 0: natural width
    std::int32_t escapement = 0;    // text angle in tenths of a degree, counter-clockwise
    std::int32_t orientation = 0;
    std::int32_t weight = 400;      // 400 normal, 700 bold
    std::uint8_t italic = 0, underline = 0, strikeOut = 0, charSet = 0;
    std::uint8_t outPrecision = 0, clipPrecision = 0, quality = 0, pitchAndFamily = 0;
    std::string faceName = "Arial"; // at most 31 bytes when stored (Windows-1250)

    static constexpr int kStoredSize = 60;
    std::array<std::uint8_t, kStoredSize> Store() const;
    static LogFont Load(const std::uint8_t* bytes);  // kStoredSize bytes
    // The symbol font draws Latin letters as Greek ones (code 112 'p' is pi).
    bool IsSymbolFont() const;
};

}  // namespace curvelo::fw
