#include "plot3d/level_grid.h"

#include <algorithm>
#include <cmath>

namespace curvelo {

bool ValidLevelFields(const LevelFields& f) {
    return f.count >= 2 && f.count <= kMaxLayerCount && std::isfinite(f.lower) && std::isfinite(f.upper) &&
           std::isfinite(f.current) && f.upper >= f.lower + kMinLayerSpan;
}

bool CurrentInside(const LevelFields& f) { return f.current >= f.lower && f.current <= f.upper; }

long double LayerValue(const LevelFields& f, long k) {
    const long n = f.count - 1;
    if (k >= n) return f.upper;
    if (k <= 0) return f.lower;
    return f.lower + k * ((f.upper - f.lower) / n);
}

long double NextLayer(const LevelFields& f) {
    const long n = f.count - 1;
    const long double step = (f.upper - f.lower) / n;
    const long double target = f.current + 0.01L * step;
    if (!(target <= f.upper)) return f.lower;
    long k = std::clamp<long>(static_cast<long>(std::ceil((target - f.lower) / step)), 0, n);
    // Rounding of the quotient may land one layer off either way.
    if (k > 0 && LayerValue(f, k - 1) >= target) --k;
    if (k < n && LayerValue(f, k) < target) ++k;
    return LayerValue(f, k);
}

long double PreviousLayer(const LevelFields& f) {
    const long n = f.count - 1;
    const long double step = (f.upper - f.lower) / n;
    const long double target = f.current - 0.01L * step;
    if (!(target >= f.lower)) return f.upper;
    long k = std::clamp<long>(static_cast<long>(std::floor((target - f.lower) / step)), 0, n);
    if (k < n && LayerValue(f, k + 1) <= target) ++k;
    if (k > 0 && LayerValue(f, k) > target) --k;
    return LayerValue(f, k);
}

LevelFields StoredLevelFields(const TExample& e, int axis, long double current) {
    const auto a = static_cast<std::size_t>(std::clamp(axis, 0, 2));
    LevelFields f;
    f.lower = e.saved221[a];
    f.upper = e.saved251[a];
    f.count = static_cast<long>(e.ints111[a]) + 1;
    f.current = current;
    return f;
}

void StoreLevelFields(TExample& e, int axis, const LevelFields& f) {
    const auto a = static_cast<std::size_t>(std::clamp(axis, 0, 2));
    e.saved221[a] = f.lower;
    e.saved251[a] = f.upper;
    e.ints111[a] = static_cast<std::uint16_t>(std::clamp<long>(f.count - 1, 1, kMaxLayerCount - 1));
}

int LevelProjectionKind(int axis) { return axis == kLevelAxisX ? 6 : axis == kLevelAxisY ? 5 : 3; }

std::array<const char*, 2> LevelAxisNames(int axis) {
    if (axis == kLevelAxisX) return {"y", "z"};
    if (axis == kLevelAxisY) return {"z", "x"};
    return {"x", "y"};
}

}  // namespace curvelo
