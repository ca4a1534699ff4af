#include "plotwin/wheel_zoom.h"

#include <algorithm>
#include <cmath>

namespace curvelo {
namespace {
// A wheel that reports one huge delta must not zoom the picture away.
constexpr int kMaxNotchesPerTurn = 10;
}  // namespace

bool WheelZoom::ContinuesBurst(const PlotView& view, std::int64_t nowMs) const {
    return active_ && nowMs >= lastMs_ && nowMs - lastMs_ < kBurstGapMs && view.HistorySize() == historyAfter_ &&
           view.cx == cxAfter_ && view.cy == cyAfter_ && view.hw == hwAfter_ && view.hh == hhAfter_;
}

void WheelZoom::Turn(PlotView& view, int px, int py, int delta, std::int64_t nowMs) {
    if (delta == 0) return;
    const long double notches =
        std::min<long double>(std::fabs(static_cast<long double>(delta)) / kNotchDelta, kMaxNotchesPerTurn);
    const long double factor = std::pow(kStepPerNotch, delta > 0 ? -notches : notches);
    if (!view.ZoomAboutPixel(px, py, factor, !ContinuesBurst(view, nowMs))) {
        active_ = false;
        return;
    }
    active_ = true;
    lastMs_ = nowMs;
    historyAfter_ = view.HistorySize();
    cxAfter_ = view.cx;
    cyAfter_ = view.cy;
    hwAfter_ = view.hw;
    hhAfter_ = view.hh;
}

}  // namespace curvelo
