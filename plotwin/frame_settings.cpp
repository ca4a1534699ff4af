#include "plotwin/frame_settings.h"

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

}  // namespace curvelo
