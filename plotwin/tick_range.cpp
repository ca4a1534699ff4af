#include "plotwin/tick_range.h"

#include <cmath>

#include "plotwin/frame_settings.h"
#include "plotwin/plot_view.h"

namespace curvelo {
namespace {

// Indices stay below the largest 32-bit integer, so a loop up to the last one ends.
constexpr long double kIndexLimit = 2147483646.0L;
// Far more indices than the fitted spacing leaves on an axis: a wider range means the view's
// edges and its width disagree (as far from the origin), and no ticks are drawn.
constexpr std::int64_t kMaxIndexSpan = 4 * kMaxTicksPerAxis;

// Brings the number of ticks below the limit; a spacing that cannot work is reset to 1.
bool FitSpacing(long double& spacing, long double viewWidth) {
    bool changed = false;
    if (!std::isfinite(spacing) || spacing <= 1e-300L) {
        spacing = 1;
        changed = true;
    }
    if (!std::isfinite(viewWidth) || viewWidth <= 0) return changed;
    long double n = viewWidth / spacing;
    // Bounded: even the widest ratio of long doubles needs fewer than 10000 steps.
    for (int guard = 0; n >= kMaxTicksPerAxis && guard < 10000; ++guard) {
        spacing *= 10;
        n *= 0.1L;
        changed = true;
    }
    return changed;
}

bool IndexFits(long double edge, long double origin, long double spacing) {
    const long double r = (edge - origin) / spacing;
    return std::isfinite(r) && std::fabs(r) <= kIndexLimit;
}

}  // namespace

int ComputeTickRange(FrameSettings& s, const PlotView& view, TickRange* range) {
    int status = kTickStatusOk;
    const long double widthX = 2 * view.hw;
    const long double widthY = 2 * view.hh;
    if (FitSpacing(s.spacingX, widthX)) status |= kTickStatusSpacingChanged;
    if (FitSpacing(s.spacingY, widthY)) status |= kTickStatusSpacingChanged;
    if (s.ticks) {
        if (s.spacingX >= widthX) {
            s.spacingX *= 0.1L;
            status |= kTickStatusSpacingChanged;
        }
        if (s.spacingY >= widthY) {
            s.spacingY *= 0.1L;
            status |= kTickStatusSpacingChanged;
        }
    }
    if ((status & kTickStatusSpacingChanged) && s.extraLabelMode > 0)
        s.extraLabelMode = s.extraLabelMode == 3 ? 0 : 1;

    TickRange r;
    const long double extraX = view.hw * (kTickEdgeWidening - 1);
    const long double extraY = view.hh * (kTickEdgeWidening - 1);
    r.loX = view.xmin - extraX;
    r.hiX = view.xmax + extraX;
    r.loY = view.ymin - extraY;
    r.hiY = view.ymax + extraY;
    if (!IndexFits(r.loX, s.originX, s.spacingX) || !IndexFits(r.hiX, s.originX, s.spacingX) ||
        !IndexFits(r.loY, s.originY, s.spacingY) || !IndexFits(r.hiY, s.originY, s.spacingY)) {
        s.ticks = 0;
        status |= kTickStatusOverflow;
        r.valid = false;
    } else {
        r.kminX = static_cast<std::int32_t>(std::trunc((r.loX - s.originX) / s.spacingX));
        r.kmaxX = static_cast<std::int32_t>(std::trunc((r.hiX - s.originX) / s.spacingX));
        r.kminY = static_cast<std::int32_t>(std::trunc((r.loY - s.originY) / s.spacingY));
        r.kmaxY = static_cast<std::int32_t>(std::trunc((r.hiY - s.originY) / s.spacingY));
        r.valid = std::int64_t{r.kmaxX} - r.kminX <= kMaxIndexSpan && std::int64_t{r.kmaxY} - r.kminY <= kMaxIndexSpan;
        if (!r.valid) {
            s.ticks = 0;
            status |= kTickStatusOverflow;
        }
    }
    if (range) *range = r;
    return status;
}

}  // namespace curvelo
