#include "plotwin/lum_wing.h"

#include "framework/dc.h"

namespace curvelo {

TLumWing::TLumWing(fw::TWindow* parent, const std::string& caption) : TLumWin(parent, caption) {
    frame_.UpdateDerived(View());
}

void TLumWing::ViewApplied() {
    TLumWin::ViewApplied();
    frame_.UpdateDerived(View());
}

void TLumWing::PaintPicture(DrawSurface& surface, fw::DC& dc, bool withBackground) {
    TLumWin::PaintPicture(surface, dc, withBackground);
    PaintFrame(surface, dc);
}

void TLumWing::PaintFrame(DrawSurface& surface, fw::DC& dc) {
    // Ticks, arrows and the room beside the numbers keep their screen size on paper (the
    // screen's sizes come back with the view after the output).
    frame_.UpdateDerived(View(), dc.ScreenScale());
    tickStatus_ = DrawFrame(surface, frame_, CurrentOutput());
}

void TLumWing::ResetView() {
    frame_.ResetTicks();
    TLumWin::ResetView();
}

}  // namespace curvelo
