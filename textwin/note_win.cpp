#include "textwin/note_win.h"

#include "framework/kit_status_text.h"
#include "resources/resources.h"

namespace curvelo {

TNoteWin::TNoteWin(fw::TWindow* owner, const std::string& ownerFileName, int fontKind)
    : TTextWin(owner, CaptionFor(ownerFileName), "title", std::string(), fontKind, "NOTEMENU"),
      owner_(owner) {
    SetHideOnClose(true);
}

std::string TNoteWin::CaptionFor(const std::string& ownerFileName) {
    return std::string(res::String(93)) + " [" + std::string(BareFileName(ownerFileName)) + "]";
}

void TNoteWin::Renew(const std::string& ownerFileName) {
    ClearText();
    SetCaption(CaptionFor(ownerFileName));
}

void TNoteWin::Dismissed() {
    if (dismissed_) dismissed_();
}

}  // namespace curvelo
