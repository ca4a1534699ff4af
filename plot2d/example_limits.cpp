#include "plot2d/example_limits.h"

#include <algorithm>
#include <cstdlib>

#include "plot2d/example_kinds.h"

namespace curvelo {
namespace {

std::uint16_t Clamped(std::uint16_t v, std::int32_t lo, std::int32_t hi) {
    return static_cast<std::uint16_t>(std::clamp<std::int32_t>(v, lo, hi));
}

}  // namespace

void ClampWorkCounts(TExample& e) {
    e.density = Clamped(e.density, kMinDensity, kMaxDensity);
    e.penWidth = Clamped(e.penWidth, kMinPenWidth, kMaxPenWidth);
    e.arrowSize = Clamped(e.arrowSize, kMinArrowSize - 10, kMaxArrowSize - 10);
    const std::int32_t steps = std::clamp<std::int32_t>(std::abs(std::int32_t{e.familySteps}), kMinFamilySteps,
                                                        kMaxFamilySteps);
    e.familySteps = static_cast<std::int16_t>(e.familySteps < 0 ? -steps : steps);
    e.familyDelay = Clamped(e.familyDelay, 0, kMaxFamilyDelayMs);
    if (e.kind == kKindExplicit) e.kindCount = Clamped(e.kindCount, 0, kMaxIterationSteps);
}

}  // namespace curvelo
