// The one real-to-integer rounding rule of the plot windows: every conversion to pixels uses it.
#pragma once

#include <cmath>

namespace curvelo {

// llrint of an extended value. The library call is not inlined while the maths functions
// may set errno, and at two per plotted point it costs more than the rest of the
// conversion: on x87 it is one instruction.
inline long long RoundToNearest(long double a) {
#if defined(__x86_64__) || defined(__i386__)
    long long i;
    asm("fistpll %0" : "=m"(i) : "t"(a) : "st");
    return i;
#else
    return std::llrint(a);
#endif
}

// Rounds to the nearest integer, an exact half towards zero, saturating at ±2147483647.
// NaN gives 0, so a broken value never reaches a device as garbage. Inline: every plotted
// point takes this path twice.
inline int ToInt(long double v) {
    if (std::isnan(v)) return 0;
    const int s = v < 0 ? -1 : 1;
    const long double a = std::fabs(v);
    if (a > 2147483647.0L) return s * 2147483647;
    // Nearest with ties to even in the FPU's standing mode (a cast would switch the mode
    // twice per call); an exact half then goes towards zero.
    long long i = RoundToNearest(a);
    if (static_cast<long double>(i) - a == 0.5L) --i;
    return s * static_cast<int>(i);
}

}  // namespace curvelo
