// Where text windows and the colour palette open, from the screen's metrics.
#pragma once

#include "framework/fw_types.h"
#include "framework/screen.h"

namespace curvelo {

// Right half of the screen, below the title and menu bars, 75..94 % of half the screen
// width high; r1 and r2 are the two random numbers drawn at creation (non-negative).
fw::Rect TextWinRect(const fw::ScreenMetrics& screen, int r1, int r2);

// A square of a third of half the screen width.
fw::Rect PaletteWinRect(const fw::ScreenMetrics& screen);

}  // namespace curvelo
