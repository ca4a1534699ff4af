#include "plotwin/frame_settings.h"

#include <algorithm>

#include "plotwin/plot_view.h"

namespace curvelo {

void FrameSettings::UpdateDerived(const PlotView& view, long double pixelScale) {
    if (!(pixelScale > 0)) pixelScale = 1;
    const long double ux = view.upx * pixelScale, uy = view.upy * pixelScale;
    halfTickX = tickLength * 0.5L * ux;
    halfTickY = tickLength * 0.5L * uy;
    arrowX = arrowSize * ux;
    arrowY = arrowSize * uy;
    halfDecorationX = decorationSize * 0.5L * ux;
    halfDecorationY = decorationSize * 0.5L * uy;
}

void FrameSettings::ResetTicks() {
    spacingX = spacingY = 1;
    piModeX = piModeY = 0;
}

void FrameSettings::ClampCounts() {
    const auto clamp = [](std::int16_t& v, int lo, int hi) { v = static_cast<std::int16_t>(std::clamp<int>(v, lo, hi)); };
    clamp(polarSectors, 1, kMaxPolarSectors);
    clamp(decimalsX, 0, kMaxTickDecimals);
    clamp(decimalsY, 0, kMaxTickDecimals);
    clamp(frequencyX, 1, kMaxTickFrequency);
    clamp(frequencyY, 1, kMaxTickFrequency);
    clamp(tickLength, 0, kMaxTickLength);
    for (std::int16_t* w : {&axisWidthScreen, &axisWidthPrint, &gridWidthScreen, &gridWidthPrint}) clamp(*w, 1, kMaxFrameWidth);
}

}  // namespace curvelo
