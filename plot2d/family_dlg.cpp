#include "plot2d/family_dlg.h"

namespace curvelo {

void TFamilyDlg::SetupWindow() {
    const FamilyForm f = FamilyFormOf(Example(), Format());
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

FormOutcome TFamilyDlg::ApplyFields(TExample& edited) {
    FamilyForm f;
    f.active = IsItemChecked(famid::kActive);
    f.observe = IsItemChecked(famid::kObserve);
    f.letter = GetItemText(famid::kLetter);
    f.low = GetItemText(famid::kLow);
    f.high = GetItemText(famid::kHigh);
    f.steps = GetItemText(famid::kSteps);
    f.delay = GetItemText(famid::kDelay);
    return ApplyFamilyForm(f, Engine(), edited);
}

}  // namespace curvelo
