// The ranges the example dialogs accept for the counts and sizes that drive drawing work.
// The document reader clamps stored values to the same ranges, so a damaged or hostile file
// cannot ask for more work than a user could.
#pragma once

#include <cstdint>

#include "plot2d/example.h"

namespace curvelo {

inline constexpr std::int32_t kMinDensity = 1, kMaxDensity = 1000;        // "rajz-sűrűség"
inline constexpr std::int32_t kMinPenWidth = 1, kMaxPenWidth = 1000;      // "vonalvastagság"
inline constexpr std::int32_t kMinArrowSize = 10, kMaxArrowSize = 1000;   // stored minus 10
inline constexpr std::int32_t kMinFamilySteps = 1, kMaxFamilySteps = 1000;  // negative: watched
inline constexpr std::int32_t kMaxFamilyDelayMs = 10000;
inline constexpr std::int32_t kMinIterationSteps = 1, kMaxIterationSteps = 1000;

// Brings every such field of a stored example into its range: density, pen width, arrow
// size, family steps (keeping the sign) and delay, and the iteration steps of an explicit
// example (0, never set, stays 0).
void ClampWorkCounts(TExample& example);

}  // namespace curvelo
