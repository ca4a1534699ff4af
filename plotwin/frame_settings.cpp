#include "plotwin/frame_settings.h"

#include "plotwin/plot_view.h"

namespace curvelo {

void FrameSettings::UpdateDerived(const PlotView& view) {
    halfTickX = tickLength * 0.5L * view.upx;
    halfTickY = tickLength * 0.5L * view.upy;
    arrowX = arrowSize * view.upx;
    arrowY = arrowSize * view.upy;
    halfDecorationX = decorationSize * 0.5L * view.upx;
    halfDecorationY = decorationSize * 0.5L * view.upy;
}

void FrameSettings::ResetTicks() {
    spacingX = spacingY = 1;
    piModeX = piModeY = 0;
}

}  // namespace curvelo
