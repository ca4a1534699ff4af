#include "plot2d/edit_exmp_dlg.h"

#include "framework/kit_services.h"
#include "plot2d/example_kinds.h"

namespace curvelo {

TEditExmpDlg::TEditExmpDlg(fw::TWindow* parent, TExample& example, FormulaEngine& engine,
                           const NumberFormat& format, DlgPosition* remembered)
    : TDlg(parent, FindExampleKind(example.kind) ? FindExampleKind(example.kind)->dialog : "EQUA201",
           remembered),
      example_(example), edited_(example), engine_(engine), format_(format) {}

void TEditExmpDlg::SetupWindow() {
    const EquationForm form = EquationFormOf(example_, format_);
    for (const auto& [id, text] : form.edits) {
        SetItemLimit(id, static_cast<int>(TExample::kTextCapacity));
        SetItemText(id, text);
    }
    for (const auto& [id, on] : form.checks) CheckItem(id, on);
    CheckItem(eqid::kPenSolid + form.penStyle, true);
    const std::vector<int> formulas = FormulaEditsOf(example_.kind);
    if (!formulas.empty()) SetItemFocus(formulas.front());
    TDlg::SetupWindow();
}

EquationForm TEditExmpDlg::ReadForm() const {
    EquationForm form = EquationFormOf(example_, format_);
    for (auto& [id, text] : form.edits) text = GetItemText(id);
    for (auto& [id, on] : form.checks) on = IsItemChecked(id);
    for (int style = 0; style < 3; ++style)
        if (IsItemChecked(eqid::kPenSolid + style)) form.penStyle = style;
    return form;
}

bool TEditExmpDlg::CanClose() {
    edited_ = example_;
    const FormOutcome outcome = ApplyEquationForm(ReadForm(), engine_, edited_);
    if (outcome.code == 0) return TDlg::CanClose();
    ShowMessage(this, outcome.code);
    SetItemFocus(outcome.focusId);
    return false;
}

void TEditExmpDlg::TransferOut() { example_ = edited_; }

}  // namespace curvelo
