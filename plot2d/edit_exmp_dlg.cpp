#include "plot2d/edit_exmp_dlg.h"

#include "plot2d/example_kinds.h"

namespace curvelo {

TEditExmpDlg::TEditExmpDlg(fw::TWindow* parent, TExample& example, FormulaEngine& engine,
                           const NumberFormat& format, DlgPosition* remembered)
    : TExampleFormDlg(parent, FindExampleKind(example.kind) ? FindExampleKind(example.kind)->dialog : "EQUA201",
                      example, engine, format, remembered) {}

void TEditExmpDlg::SetupWindow() {
    const EquationForm form = EquationFormOf(Example(), Format());
    for (const auto& [id, text] : form.edits) {
        SetItemLimit(id, static_cast<int>(TExample::kTextCapacity));
        SetItemText(id, text);
    }
    for (const auto& [id, on] : form.checks) CheckItem(id, on);
    CheckItem(eqid::kPenSolid + form.penStyle, true);
    if (Example().kind == kKindImplicit) CheckItem(eqid::kShadeNone + form.shading, true);
    const std::vector<int> formulas = FormulaEditsOf(Example().kind);
    if (!formulas.empty()) SetItemFocus(formulas.front());
    TDlg::SetupWindow();
}

EquationForm TEditExmpDlg::ReadForm() const {
    EquationForm form = EquationFormOf(Example(), Format());
    for (auto& [id, text] : form.edits) text = GetItemText(id);
    for (auto& [id, on] : form.checks) on = IsItemChecked(id);
    for (int style = 0; style < 3; ++style)
        if (IsItemChecked(eqid::kPenSolid + style)) form.penStyle = style;
    if (Example().kind == kKindImplicit)
        for (int shading = 0; shading < 3; ++shading)
            if (IsItemChecked(eqid::kShadeNone + shading)) form.shading = shading;
    return form;
}

FormOutcome TEditExmpDlg::ApplyFields(TExample& edited) { return ApplyEquationForm(ReadForm(), Engine(), edited); }

}  // namespace curvelo
