#include "plot2d/family_dlg.h"

#include "framework/kit_services.h"

namespace curvelo {

TFamilyDlg::TFamilyDlg(fw::TWindow* parent, TExample& example, FormulaEngine& engine, const NumberFormat& format)
    : TDlg(parent, "FAMILY"), example_(example), edited_(example), engine_(engine), format_(format) {}

void TFamilyDlg::SetupWindow() {
    const FamilyForm f = FamilyFormOf(example_, format_);
    CheckItem(famid::kActive, f.active);
    CheckItem(famid::kObserve, f.observe);
    SetItemText(famid::kLetter, f.letter);
    SetItemText(famid::kLow, f.low);
    SetItemText(famid::kHigh, f.high);
    SetItemText(famid::kSteps, f.steps);
    SetItemText(famid::kDelay, f.delay);
    SetItemFocus(famid::kLetter);
    TDlg::SetupWindow();
}

bool TFamilyDlg::CanClose() {
    FamilyForm f;
    f.active = IsItemChecked(famid::kActive);
    f.observe = IsItemChecked(famid::kObserve);
    f.letter = GetItemText(famid::kLetter);
    f.low = GetItemText(famid::kLow);
    f.high = GetItemText(famid::kHigh);
    f.steps = GetItemText(famid::kSteps);
    f.delay = GetItemText(famid::kDelay);
    edited_ = example_;
    const FormOutcome outcome = ApplyFamilyForm(f, engine_, edited_);
    if (outcome.code == 0) return TDlg::CanClose();
    ShowMessage(this, outcome.code);
    SetItemFocus(outcome.focusId);
    return false;
}

}  // namespace curvelo
