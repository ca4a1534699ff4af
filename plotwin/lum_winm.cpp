#include "plotwin/lum_winm.h"

#include "framework/kit_services.h"
#include "framework/kit_status_text.h"

namespace curvelo {

std::string TLumWinm::DocumentTitle() const {
    return std::string(BareFileName(FileName()));
}

std::string TLumWinm::CursorText(fw::Point p) const {
    const WorldPoint w = View().PixelToWorld(p.x, p.y);
    return "   [x = " + Format().FormatForField(w.x) + "; y = " + Format().FormatForField(w.y) + "]";
}

void TLumWinm::EvMouseMove(unsigned modifiers, fw::Point p) {
    TLumWint::EvMouseMove(modifiers, p);
    UpdateTitle(this, false, CursorText(p));
}

}  // namespace curvelo
