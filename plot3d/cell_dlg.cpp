#include "plot3d/cell_dlg.h"

#include "expr/eval.h"
#include "framework/kit_services.h"
#include "plot3d/plotr_win.h"

namespace curvelo {

TCellDlg::TCellDlg(TPlotRWin* window, int index)
    : TDlg(window, CellTemplateOf(window->Inventory().At(index).kind)), window_(window), index_(index) {}

void TCellDlg::SetupWindow() {
    TDlg::SetupWindow();
    const CellForm f = CellFormOf(window_->Inventory().At(index_));
    for (int k = 0; k < 6; ++k) SetItemText(cellid::kFirstEdit + k, window_->Format().FormatForField(f.ends[static_cast<std::size_t>(k)]));
    CheckItem(cellid::kFixed, f.fixed);
    if (HasItem(cellid::kAtWalls)) CheckItem(cellid::kAtWalls, f.atWalls);
}

bool TCellDlg::Store() {
    TExample& e = window_->Inventory().At(index_);
    CellForm f = CellFormOf(e);
    for (int k = 0; k < 6; ++k) {
        if (const std::uint16_t code =
                EvaluateText(window_->Engine(), GetItemText(cellid::kFirstEdit + k), f.ends[static_cast<std::size_t>(k)])) {
            ShowMessage(this, code);
            SetItemFocus(cellid::kFirstEdit + k);
            return false;
        }
    }
    f.fixed = IsItemChecked(cellid::kFixed);
    if (HasItem(cellid::kAtWalls)) f.atWalls = IsItemChecked(cellid::kAtWalls);
    const int code = ApplyCellForm(f, e);
    if (code > 0) {
        ShowMessage(this, code);
        return false;
    }
    outcome_ = code;
    return true;
}

bool TCellDlg::EvCommand(int id) {
    if (id != 1) return TDlg::EvCommand(id);
    if (Store()) EndDialog(1);
    return true;
}

}  // namespace curvelo
