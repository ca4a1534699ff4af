// The notepad of a plot document: a text window that is hidden, not destroyed, when the
// user dismisses it, and whose text is saved with the drawing.
#pragma once

#include <functional>
#include <string>

#include "textwin/text_win.h"

namespace curvelo {

class TNoteWin : public TTextWin {
public:
    // owner is the plot window; ownerFileName its document's file name.
    TNoteWin(fw::TWindow* owner, const std::string& ownerFileName, int fontKind);

    fw::TWindow* OwnerWindow() const { return owner_; }
    // Told when the user hid the notepad: the owner marks its document as modified.
    void SetDismissListener(std::function<void()> f) { dismissed_ = std::move(f); }
    // A new drawing: empty note and a caption naming the new document.
    void Renew(const std::string& ownerFileName);

    static std::string CaptionFor(const std::string& ownerFileName);

    bool CanClose() override { return true; }

protected:
    void Dismissed() override;

private:
    fw::TWindow* owner_;
    std::function<void()> dismissed_;
};

}  // namespace curvelo
