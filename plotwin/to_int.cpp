#include "plotwin/to_int.h"

#include <cmath>
#include <cstdint>

namespace curvelo {

int ToInt(long double v) {
    if (std::isnan(v)) return 0;
    const int s = v < 0 ? -1 : 1;
    const long double a = std::fabs(v);
    if (a > 2147483647.0L) return s * 2147483647;
    // For a >= 0 truncation is the floor, and a - floor is exact: no library rounding calls
    // on this path, which every plotted point takes twice.
    std::int64_t i = static_cast<std::int64_t>(a);
    if (a - static_cast<long double>(i) > 0.5L) ++i;
    return s * static_cast<int>(i);
}

}  // namespace curvelo
