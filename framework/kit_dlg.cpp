#include "framework/kit_dlg.h"

#include "framework/screen.h"

namespace curvelo {

TDlg::TDlg(fw::TWindow* parent, const std::string& templateName, DlgPosition* remembered)
    : fw::TDialog(parent, templateName), remembered_(remembered) {}

void TDlg::SetupWindow() {
    fw::TDialog::SetupWindow();
    const fw::ScreenMetrics screen = fw::PrimaryScreen();
    const fw::Size size = GetDialogSize();
    PlacementInput in;
    if (fw::TWindow* parent = Parent()) {
        const fw::Rect r = parent->GetWindowRect();
        in.parent = {r.left, r.top, r.right, r.bottom};
    }
    in.width = size.cx;
    in.height = size.cy;
    in.screenWidth = screen.width;
    in.screenHeight = screen.height;
    in.remembered = remembered_;
    const KitPoint at = PlaceDialog(in);
    MoveTo(at.x, at.y);
}

void TDlg::Destroy(int retVal) {
    if (remembered_ && IsCreated()) {
        const fw::Rect r = GetWindowRect();
        remembered_->left = r.left;
        remembered_->top = r.top;
    }
    fw::TDialog::Destroy(retVal);
}

bool TDlg::EvCommand(int id) {
    if (id == fw::kIdOk) {
        if (CanClose()) {
            TransferOut();
            EndDialog(fw::kIdOk);
        }
        return true;
    }
    return fw::TDialog::EvCommand(id);
}

void TDlg::SetCaptionIfGiven(const std::string& caption) {
    if (!caption.empty()) SetCaption(caption);
}

}  // namespace curvelo
