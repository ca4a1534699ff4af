#include "plotwin/to_int.h"

#include <cmath>
#include <cstdint>
#include <cstring>

namespace curvelo {

int ToInt(long double v) {
    if (std::isnan(v)) return 0;
    const int s = v < 0 ? -1 : 1;
    const long double a = std::fabs(v);
    if (a > 2147483647.0L) return s * 2147483647;
    // Rounding by addition: a + 2^63 has its binary point at the end of the 64-bit
    // mantissa, so the sum is a rounded to nearest and its mantissa holds the integer. A
    // cast would switch the FPU's rounding mode twice per call, and every plotted point
    // takes this path twice.
    constexpr long double kShift = 0x1p63L;
    const long double t = a + kShift;
    std::uint64_t mantissa;
    std::memcpy(&mantissa, &t, sizeof mantissa);
    std::int64_t i = static_cast<std::int64_t>(mantissa - (std::uint64_t{1} << 63));
    // Ties went to even; an exact half goes towards zero.
    if ((t - kShift) - a == 0.5L) --i;
    return s * static_cast<int>(i);
}

}  // namespace curvelo
