#include "plotwin/to_int.h"

#include <cmath>

namespace curvelo {

int ToInt(long double v) {
    if (std::isnan(v)) return 0;
    const int s = v < 0 ? -1 : 1;
    const long double a = std::fabs(v);
    if (a > 2147483647.0L) return s * 2147483647;
    long double i = std::floor(a);
    if (a - i > 0.5L) i += 1;
    return s * static_cast<int>(std::trunc(i + 0.01L));
}

}  // namespace curvelo
