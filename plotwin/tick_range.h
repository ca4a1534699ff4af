// Choice of the visible ticks: keeps their number sensible and finds the index range.
#pragma once

#include <cstdint>

namespace curvelo {

class PlotView;
struct FrameSettings;

inline constexpr int kTickStatusOk = 0;
inline constexpr int kTickStatusOverflow = 4;
inline constexpr int kTickStatusSpacingChanged = 16;
inline constexpr int kMaxTicksPerAxis = 50;

// Ticks lie at origin + k * spacing for kmin <= k <= kmax; the range covers the view widened
// by 0.2 % so that a tick exactly on an edge is kept.
struct TickRange {
    bool valid = false;
    std::int32_t kminX = 0, kmaxX = -1, kminY = 0, kmaxY = -1;
    // Bounds a tick must lie within to be drawn (the widened view).
    long double loX = 0, hiX = 0, loY = 0, hiY = 0;
};

// Changes the stored spacings as needed; the status is a bit set of the values above
// (0 when nothing happened). On index overflow the ticks are switched off.
int ComputeTickRange(FrameSettings& settings, const PlotView& view, TickRange* range);

// The widening of the view while ticks are placed.
inline constexpr long double kTickEdgeWidening = 1.002L;

}  // namespace curvelo
