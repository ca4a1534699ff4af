#include "plot2d/table_range_dlg.h"

namespace curvelo {

void TTableRangeDlg::SetupWindow() {
    const TableRangeForm f = TableRangeFormOf(Example(), Format());
    SetItemText(tablerangeid::kLow, f.low);
    SetItemText(tablerangeid::kHigh, f.high);
    SetItemText(tablerangeid::kSteps, f.steps);
    SetItemFocus(tablerangeid::kLow);
    TDlg::SetupWindow();
}

FormOutcome TTableRangeDlg::ApplyFields(TExample& edited) {
    return ApplyTableRangeForm({GetItemText(tablerangeid::kLow), GetItemText(tablerangeid::kHigh),
                                GetItemText(tablerangeid::kSteps)},
                               Engine(), edited);
}

}  // namespace curvelo
