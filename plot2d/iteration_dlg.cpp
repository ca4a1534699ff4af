#include "plot2d/iteration_dlg.h"

namespace curvelo {

void TIterationDlg::SetupWindow() {
    const IterationForm f = IterationFormOf(Example(), Format());
    CheckItem(iterid::kActive, f.active);
    SetItemText(iterid::kStart, f.start);
    SetItemText(iterid::kSteps, f.steps);
    SetItemFocus(iterid::kStart);
    TDlg::SetupWindow();
}

FormOutcome TIterationDlg::ApplyFields(TExample& edited) {
    IterationForm f;
    f.active = IsItemChecked(iterid::kActive);
    f.start = GetItemText(iterid::kStart);
    f.steps = GetItemText(iterid::kSteps);
    return ApplyIterationForm(f, Engine(), edited);
}

}  // namespace curvelo
