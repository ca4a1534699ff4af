// The one real-to-integer rounding rule of the plot windows: every conversion to pixels uses it.
#pragma once

namespace curvelo {

// Rounds to the nearest integer, an exact half towards zero, saturating at ±2147483647.
// NaN gives 0, so a broken value never reaches a device as garbage.
int ToInt(long double v);

}  // namespace curvelo
