#include "plot2d/edit_exmp_dlg.h"

#include "plot2d/example_kinds.h"
#include "plot2d/object_form.h"

namespace curvelo {

namespace {

const char* TemplateOf(const TExample& e) {
    if (e.kind == kKindExplicit && e.interpolation) return "EQUA213";
    const ExampleKindInfo* info = FindExampleKind(e.kind);
    return info ? info->dialog : "EQUA201";
}

}  // namespace

TEditExmpDlg::TEditExmpDlg(fw::TWindow* parent, TExample& example, FormulaEngine& engine,
                           const NumberFormat& format, DlgPosition* remembered)
    : TExampleFormDlg(parent, TemplateOf(example), example, engine, format, remembered) {}

EquationForm TEditExmpDlg::FormOf(const TExample& e) const {
    return HasObjectForm(e) ? ObjectFormOf(e, Format()) : EquationFormOf(e, Format());
}

void TEditExmpDlg::SetupWindow() {
    const TExample& e = Example();
    const EquationForm form = FormOf(e);
    for (const auto& [id, text] : form.edits) {
        SetItemLimit(id, static_cast<int>(TExample::kTextCapacity));
        SetItemText(id, text);
    }
    for (const auto& [id, on] : form.checks) CheckItem(id, on);
    CheckItem(eqid::kPenSolid + form.penStyle, true);
    // Segments and points typed in polar coordinates name their fields so.
    if ((e.kind == kKindSegment || e.kind == kKindPoint) && e.longSearch) {
        const char* names[4] = {"r1 =", "t1 =", "r2 =", "t2 ="};
        const char* pointNames[2] = {"r =", "t ="};
        for (int k = 0; k < (e.kind == kKindPoint ? 2 : 4); ++k)
            SetItemText(objid::kCaption0 + k, e.kind == kKindPoint ? pointNames[k] : names[k]);
    }
    // The plane has no third coordinate; the point's marks in space are not offered either.
    if (e.kind == kKindPoint) {
        ShowItem(eqid::kTextR, false);
        ShowItem(objid::kCaption2, false);
        for (int id : {251, 252, 272, 273, 275, 276, 305, 208}) ShowItem(id, false);
    }
    if (e.kind == kKindSegment) EnableItem(objid::kEndPoints, endPointsAllowed_);
    if (e.kind == kKindImplicit) CheckItem(eqid::kShadeNone + form.shading, true);
    const std::vector<int> formulas = FormulaEditsOf(e.kind);
    if (!formulas.empty()) SetItemFocus(formulas.front());
    else if (!form.edits.empty()) SetItemFocus(form.edits.begin()->first);
    TDlg::SetupWindow();
}

EquationForm TEditExmpDlg::ReadForm() const {
    EquationForm form = FormOf(Example());
    // Switches the record does not keep are read too.
    if (Example().kind == kKindSegment) form.checks[objid::kEndPoints] = false;
    for (auto& [id, text] : form.edits) text = GetItemText(id);
    for (auto& [id, on] : form.checks) on = IsItemChecked(id);
    for (int style = 0; style < 3; ++style)
        if (IsItemChecked(eqid::kPenSolid + style)) form.penStyle = style;
    if (Example().kind == kKindImplicit)
        for (int shading = 0; shading < 3; ++shading)
            if (IsItemChecked(eqid::kShadeNone + shading)) form.shading = shading;
    return form;
}

FormOutcome TEditExmpDlg::ApplyFields(TExample& edited) {
    const EquationForm form = ReadForm();
    endPointsAsked_ = Example().kind == kKindSegment && endPointsAllowed_ && form.checks.at(objid::kEndPoints);
    return HasObjectForm(Example()) ? ApplyObjectForm(form, Engine(), edited)
                                    : ApplyEquationForm(form, Engine(), edited);
}

}  // namespace curvelo
