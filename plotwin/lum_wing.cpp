#include "plotwin/lum_wing.h"

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
    frame_.UpdateDerived(View());
    tickStatus_ = DrawFrame(surface, frame_, CurrentOutput());
}

void TLumWing::ResetView() {
    frame_.ResetTicks();
    TLumWin::ResetView();
}

}  // namespace curvelo
