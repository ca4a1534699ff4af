#include "plot2d/ode_exmp_dlg.h"

#include <string>

#include "plot2d/example_kinds.h"
#include "plotwin/colour_table.h"

namespace curvelo {

void FillColourCombo(fw::TDialog& dialog, int id, int selected) {
    dialog.ClearList(id);
    for (int i = 0; i < kColourCount; ++i) dialog.AddString(id, std::string(ColourName(i)));
    dialog.SetSelIndex(id, selected >= 0 && selected < kColourCount ? selected : 0);
}

TOdeExmpDlg::TOdeExmpDlg(fw::TWindow* parent, TExample& example, FormulaEngine& engine, const NumberFormat& format,
                         DlgPosition* remembered)
    : TExampleFormDlg(parent, example.kind == kKindSystem ? "EQUA210" : "EQUA211", example, engine, format,
                      remembered) {}

void TOdeExmpDlg::SetupWindow() {
    const OdeForm form = OdeFormOf(Example(), Format());
    for (const auto& [id, text] : form.edits) {
        SetItemLimit(id, static_cast<int>(TExample::kTextCapacity));
        SetItemText(id, text);
    }
    for (const auto& [id, on] : form.checks) CheckItem(id, on);
    CheckItem(odeid::kFieldNone + form.fieldStyle, true);
    FillColourCombo(*this, odeid::kColour, form.colour);
    SetItemFocus(Example().kind == kKindSystem ? odeid::kDxDt : odeid::kDyDx);
    TDlg::SetupWindow();
}

FormOutcome TOdeExmpDlg::ApplyFields(TExample& edited) {
    OdeForm form = OdeFormOf(Example(), Format());
    for (auto& [id, text] : form.edits) text = GetItemText(id);
    for (auto& [id, on] : form.checks) on = IsItemChecked(id);
    for (int style = 0; style < 3; ++style)
        if (HasItem(odeid::kFieldNone + style) && IsItemChecked(odeid::kFieldNone + style)) form.fieldStyle = style;
    form.colour = GetSelIndex(odeid::kColour);
    return ApplyOdeForm(form, Engine(), edited);
}

}  // namespace curvelo
