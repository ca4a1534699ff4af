#include "plot3d/obs_dlg.h"

#include "expr/eval.h"
#include "framework/kit_services.h"
#include "plot3d/plotr_win.h"

namespace curvelo {

TObsDlg::TObsDlg(TPlotRWin* window) : TDlg(window, "SETOBS"), window_(window) {}

TObsDlg::~TObsDlg() {
    if (window_) window_->ObserverDialogGone(this);
}

void TObsDlg::SetupWindow() {
    TDlg::SetupWindow();
    Refresh();
}

ObserverMode TObsDlg::Mode() const { return {IsItemChecked(obsid::kSpherical), IsItemChecked(obsid::kDegrees)}; }

void TObsDlg::Refresh() {
    if (!window_) return;
    const ObserverMode mode = Mode();
    const auto labels = ObserverLabels(mode);
    const auto texts = ObserverTexts(window_->Space().eye, mode, window_->Format());
    for (int k = 0; k < 3; ++k) {
        SetItemText(obsid::kFirstLabel + k, labels[static_cast<std::size_t>(k)]);
        SetItemText(obsid::kFirstEdit + k, texts[static_cast<std::size_t>(k)]);
    }
}

bool TObsDlg::Apply() {
    if (!window_) return false;
    std::array<long double, 3> values{};
    for (int k = 0; k < 3; ++k) {
        if (const std::uint16_t code =
                EvaluateText(window_->Engine(), GetItemText(obsid::kFirstEdit + k), values[static_cast<std::size_t>(k)])) {
            ShowMessage(this, code);
            SetItemFocus(obsid::kFirstEdit + k);
            return false;
        }
    }
    Vec3 eye;
    if (const int code = ObserverEye(values, Mode(), window_->Space(), &eye)) {
        ShowMessage(this, code);
        return false;
    }
    window_->Space().eye = eye;
    window_->EyeMoved();
    return true;
}

bool TObsDlg::EvCommand(int id) {
    switch (id) {
    case obsid::kApply: Apply(); return true;
    case 2: Show(false); return true;
    default: return TDlg::EvCommand(id);
    }
}

void TObsDlg::EvNotify(int controlId, fw::Notify code) {
    if (code == fw::Notify::Toggled && (controlId == obsid::kSpherical || controlId == obsid::kDegrees)) Refresh();
}

}  // namespace curvelo
