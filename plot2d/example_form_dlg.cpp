#include "plot2d/example_form_dlg.h"

#include "framework/kit_services.h"

namespace curvelo {

bool TExampleFormDlg::CanClose() {
    edited_ = example_;
    const FormOutcome outcome = ApplyFields(edited_);
    if (outcome.code == 0) return TDlg::CanClose();
    ShowMessage(this, outcome.code);
    SetItemFocus(outcome.focusId);
    return false;
}

}  // namespace curvelo
