// Frames of one size as an animated GIF that plays in a loop, through giflib.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "framework/bitmap.h"

namespace curvelo::fw {

// The GIF's bytes; empty (with the reason in *error) when the frames are missing, of
// different sizes, or giflib failed. Up to 256 colours are kept exactly; pictures with more
// are reduced to a fixed palette. delayMs is rounded to hundredths of a second.
std::vector<std::uint8_t> EncodeAnimatedGif(const std::vector<const Bitmap*>& frames, int delayMs,
                                            std::string* error = nullptr);

// Through the safe writer: the old file survives any failure.
bool SaveAnimatedGif(const std::string& path, const std::vector<const Bitmap*>& frames, int delayMs,
                     std::string* error = nullptr);

}  // namespace curvelo::fw
