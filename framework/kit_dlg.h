// The base of every dialog of the program: it opens beside its parent (or where the user
// last left a dialog of the same kind) and offers a hook to copy fields out on "ok".
#pragma once

#include <string>

#include "framework/dialog.h"
#include "framework/kit_placement.h"

namespace curvelo {

class TDlg : public fw::TDialog {
public:
    // remembered may be null; when given, it is read on opening and written on closing.
    TDlg(fw::TWindow* parent, const std::string& templateName, DlgPosition* remembered = nullptr);

    void Destroy(int retVal = 0) override;
    // Button 1 asks CanClose, then TransferOut, then ends with 1; Cancel copies nothing.
    bool EvCommand(int id) override;

protected:
    void SetupWindow() override;
    // Copies the fields into the caller's buffers; runs only when the dialog is accepted.
    virtual void TransferOut() {}
    // Sets the caption when not empty (templates of the kit leave it to the creator).
    void SetCaptionIfGiven(const std::string& caption);

private:
    DlgPosition* remembered_;
};

}  // namespace curvelo
