// The equation dialogs "EQUA210" and "EQUA211" of the differential-equation kinds: they
// edit one inventory slot and close with OK only when every field is valid.
#pragma once

#include "plot2d/example_form_dlg.h"
#include "plot2d/ode_form.h"

namespace curvelo {

// Fills a combo box with the 25 colour names and selects one.
void FillColourCombo(fw::TDialog& dialog, int id, int selected);

class TOdeExmpDlg : public TExampleFormDlg {
public:
    TOdeExmpDlg(fw::TWindow* parent, TExample& example, FormulaEngine& engine, const NumberFormat& format,
                DlgPosition* remembered = nullptr);

protected:
    void SetupWindow() override;
    FormOutcome ApplyFields(TExample& edited) override;
};

}  // namespace curvelo
