// Zooming with the mouse wheel: a fixed step a notch about the pointer, whatever the zoom
// factor of the keys is; the notches of one burst count as one view change, so one step
// back in the history returns to the view before the wheel was turned.
#pragma once

#include <cstddef>
#include <cstdint>

#include "plotwin/plot_view.h"

namespace curvelo {

class WheelZoom {
public:
    static constexpr long double kStepPerNotch = 1.15L;
    static constexpr int kNotchDelta = 120;  // the wheel's delta for one notch
    // Notches closer together than this belong to one burst.
    static constexpr std::int64_t kBurstGapMs = 700;

    // delta > 0 (away from the user) zooms in; fractions of a notch zoom by that fraction.
    // The pointer's world point stays under the pointer.
    void Turn(PlotView& view, int px, int py, int delta, std::int64_t nowMs);

private:
    bool ContinuesBurst(const PlotView& view, std::int64_t nowMs) const;

    bool active_ = false;
    std::int64_t lastMs_ = 0;
    // What the last turn left, to tell whether anything else changed the view since.
    std::size_t historyAfter_ = 0;
    long double cxAfter_ = 0, cyAfter_ = 0, hwAfter_ = 0, hhAfter_ = 0;
};

}  // namespace curvelo
