// The 25 named colours of the plot windows and how an index becomes a colour on each kind
// of output.
#pragma once

#include <cstdint>
#include <string_view>

namespace curvelo {

struct Rgb {
    std::uint8_t r = 0, g = 0, b = 0;
    friend bool operator==(const Rgb&, const Rgb&) = default;
};

inline constexpr int kColourCount = 25;
inline constexpr int kColourBlack = 0;
inline constexpr int kColourWhite = 1;
inline constexpr int kColourNameFirstString = 30;

// Entry 1..24 as given; every other index (0, 25, -1, ...) is black.
Rgb ColourOf(int index);
// Black-and-white output draws everything black.
Rgb ColourForOutput(int index, bool colourOutput);
// Grey scale: 0 black, 1 white, any other i the level 248 - (i mod 25) * 8.
Rgb GreyOf(int index);
// The colour's Hungarian name from the string table; empty outside 0..24.
std::string_view ColourName(int index);

}  // namespace curvelo
