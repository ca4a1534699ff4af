#include "plot3d/surface_dlg.h"

#include "plot3d/space_form.h"
#include "plot3d/space_kinds.h"
#include "plot3d/surface_form.h"
#include "plot3d/surface_kinds.h"
#include "plotwin/colour_table.h"

namespace curvelo {
namespace {

// Writes a form into the dialog's controls; colour combos list the 25 colour names.
void ShowForm(fw::TDialog& dlg, const EquationForm& form) {
    for (const auto& [id, text] : form.edits) {
        if (!dlg.HasItem(id)) continue;
        dlg.SetItemLimit(id, static_cast<int>(TExample::kTextCapacity));
        dlg.SetItemText(id, text);
    }
    for (const auto& [id, on] : form.checks)
        if (dlg.HasItem(id)) dlg.CheckItem(id, on);
    for (const auto& [id, index] : form.combos) {
        if (!dlg.HasItem(id)) continue;
        dlg.ClearList(id);
        for (int c = 0; c < kColourCount; ++c) dlg.AddString(id, std::string(ColourName(c)));
        dlg.SetSelIndex(id, index);
    }
}

// Reads back the controls the form has; controls the template lacks keep the form's value.
EquationForm ReadForm(const fw::TDialog& dlg, EquationForm form) {
    for (auto& [id, text] : form.edits)
        if (dlg.HasItem(id)) text = dlg.GetItemText(id);
    for (auto& [id, on] : form.checks)
        if (dlg.HasItem(id)) on = dlg.IsItemChecked(id);
    for (auto& [id, index] : form.combos)
        if (dlg.HasItem(id)) index = dlg.GetSelIndex(id);
    for (int style = 0; style < 3; ++style)
        if (dlg.HasItem(surfid::kPenSolid + style) && dlg.IsItemChecked(surfid::kPenSolid + style)) form.penStyle = style;
    return form;
}

const char* DialogOf(std::uint16_t kind) {
    if (const SpaceKindInfo* space = FindSpaceKind(kind)) return space->dialog;
    const SurfaceKindInfo* info = FindSurfaceKind(kind);
    return info ? info->dialog : "EQUA301";
}

EquationForm FormOf(const TExample& e, const NumberFormat& format) {
    return IsSpaceKind(e.kind) ? SpaceFormOf(e, format) : SurfaceFormOf(e, format);
}

// The point's fields are named after its coordinate system.
void NamePointFields(fw::TDialog& dlg, const TExample& e) {
    static const char* const kNames[3][3] = {{"x =", "y =", "z ="}, {"r =", "t =", "z ="}, {"ró =", "théta =", "fí ="}};
    const auto system = static_cast<std::size_t>(space::Coordinates(e));
    for (int k = 0; k < 3; ++k)
        if (dlg.HasItem(spaceid::kCaption0 + k)) dlg.SetItemText(spaceid::kCaption0 + k, kNames[system][k]);
}

}  // namespace

TSurfaceDlg::TSurfaceDlg(fw::TWindow* parent, TExample& example, FormulaEngine& engine, const NumberFormat& format,
                         DlgPosition* remembered)
    : TExampleFormDlg(parent, DialogOf(example.kind), example, engine, format, remembered) {}

void TSurfaceDlg::SetupWindow() {
    const EquationForm form = FormOf(Example(), Format());
    ShowForm(*this, form);
    if (Example().kind == kKindSpacePoint) NamePointFields(*this, Example());
    if (HasItem(surfid::kPenSolid + form.penStyle)) CheckItem(surfid::kPenSolid + form.penStyle, true);
    TDlg::SetupWindow();
}

FormOutcome TSurfaceDlg::ApplyFields(TExample& edited) {
    const EquationForm form = ReadForm(*this, FormOf(Example(), Format()));
    return IsSpaceKind(Example().kind) ? ApplySpaceForm(form, Engine(), edited) : ApplySurfaceForm(form, Engine(), edited);
}

}  // namespace curvelo
