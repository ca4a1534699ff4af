// The family dialog of the inventory ("osztály"): parameter, bounds, steps and whether the
// passes are watched one by one with a delay.
#pragma once

#include "plot2d/example_form_dlg.h"
#include "plot2d/family_form.h"

namespace curvelo {

class TFamilyDlg : public TExampleFormDlg {
public:
    TFamilyDlg(fw::TWindow* parent, TExample& example, FormulaEngine& engine, const NumberFormat& format)
        : TExampleFormDlg(parent, "FAMILY", example, engine, format) {}

protected:
    void SetupWindow() override;
    FormOutcome ApplyFields(TExample& edited) override;
};

}  // namespace curvelo
