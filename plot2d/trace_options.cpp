#include "plot2d/trace_options.h"

#include <cmath>

namespace curvelo {

bool AcceptTolerance(long double value) {
    return std::isfinite(value) && value >= kMinTolerancePixels && value <= kMaxTolerancePixels;
}

}  // namespace curvelo
