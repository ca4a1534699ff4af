#include "plotwin/pictex_dlg.h"

#include <cmath>

#include "framework/kit_services.h"
#include "plotwin/dialog_ids.h"

namespace curvelo {

PictexFields PictexFieldsFor(const PictexSettings& s) {
    PictexFields f;
    f.width = FormatFixed(s.widthCm, 0, 2);
    f.box = std::to_string(s.box);
    f.radius = FormatFixed(s.radius, 0, 2);
    f.mode = s.mode;
    return f;
}

int ApplyPictexFields(const PictexFields& f, bool withRadius, const FieldEvaluator& eval, PictexSettings& s) {
    PictexSettings read = s;
    long double width = 0, box = 0, radius = 0;
    if (!eval(f.width, &width) || !eval(f.box, &box) || (withRadius && !eval(f.radius, &radius)))
        return kMsgNotUnderstood;
    read.widthCm = width;
    read.mode = f.mode >= kPictexPlainStandalone && f.mode <= kPictexInsertable ? f.mode : kPictexPlainStandalone;
    // A box number far outside any register is refused like one just outside.
    read.box = std::isfinite(box) && std::fabs(box) < 1e6L ? static_cast<int>(std::lround(box)) : -1;
    if (withRadius) read.radius = radius;
    if (const int err = CheckPictexSettings(read, withRadius)) return err;
    s = read;
    return 0;
}

TPictexDlg::TPictexDlg(fw::TWindow* parent, PictexSettings& settings, bool withRadius, FieldEvaluator eval)
    : TDlg(parent, "PICTEX"), settings_(settings), read_(settings), withRadius_(withRadius), eval_(std::move(eval)) {}

void TPictexDlg::SetupWindow() {
    ShowItem(dlg::kPictexRadius, withRadius_);
    ShowItem(dlg::kPictexRadiusLabel, withRadius_);
    TDlg::SetupWindow();
    const PictexFields f = PictexFieldsFor(settings_);
    for (int id : {dlg::kPictexWidth, dlg::kPictexBox, dlg::kPictexRadius}) SetItemLimit(id, 20);
    SetItemText(dlg::kPictexWidth, f.width);
    SetItemText(dlg::kPictexBox, f.box);
    SetItemText(dlg::kPictexRadius, f.radius);
    for (int m = kPictexPlainStandalone; m <= kPictexInsertable; ++m) CheckItem(dlg::kPictexModeFirst + m, m == f.mode);
}

bool TPictexDlg::CanClose() {
    PictexFields f;
    f.width = GetItemText(dlg::kPictexWidth);
    f.box = GetItemText(dlg::kPictexBox);
    f.radius = GetItemText(dlg::kPictexRadius);
    for (int m = kPictexPlainStandalone; m <= kPictexInsertable; ++m)
        if (IsItemChecked(dlg::kPictexModeFirst + m)) f.mode = m;
    read_ = settings_;
    if (const int err = ApplyPictexFields(f, withRadius_, eval_, read_)) {
        ShowMessage(this, err);
        return false;
    }
    return true;
}

}  // namespace curvelo
