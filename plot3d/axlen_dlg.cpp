#include "plot3d/axlen_dlg.h"

#include <array>

#include "expr/eval.h"
#include "framework/kit_services.h"
#include "plot3d/plotr_win.h"

namespace curvelo {

TAxLenDlg::TAxLenDlg(TPlotRWin* window) : TDlg(window, "AXLEN"), window_(window) {}

void TAxLenDlg::SetupWindow() {
    TDlg::SetupWindow();
    View3D& v = window_->Space();
    v.UpdateAxisBox();
    const std::array<long double, 6> ends{v.axisMin.x, v.axisMax.x, v.axisMin.y, v.axisMax.y, v.axisMin.z, v.axisMax.z};
    for (int k = 0; k < 6; ++k) SetItemText(axlenid::kFirstEdit + k, window_->Format().FormatForField(ends[static_cast<std::size_t>(k)]));
}

bool TAxLenDlg::Store(bool fixed) {
    std::array<long double, 6> ends{};
    for (int k = 0; k < 6; ++k) {
        if (const std::uint16_t code =
                EvaluateText(window_->Engine(), GetItemText(axlenid::kFirstEdit + k), ends[static_cast<std::size_t>(k)])) {
            ShowMessage(this, code);
            SetItemFocus(axlenid::kFirstEdit + k);
            return false;
        }
    }
    const int code = window_->Space().SetAxisBox({ends[0], ends[2], ends[4]}, {ends[1], ends[3], ends[5]}, fixed);
    if (code > 0) {
        ShowMessage(this, code);
        return false;
    }
    outcome_ = code;
    return true;
}

bool TAxLenDlg::EvCommand(int id) {
    if (id == axlenid::kFix || id == axlenid::kRelease) {
        if (Store(id == axlenid::kFix)) EndDialog(1);
        return true;
    }
    return TDlg::EvCommand(id);
}

}  // namespace curvelo
