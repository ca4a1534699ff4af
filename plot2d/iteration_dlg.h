// The iteration diagram dialog of an explicit example ("iteráció" in the inventory).
#pragma once

#include "plot2d/example_form_dlg.h"
#include "plot2d/iteration_form.h"

namespace curvelo {

class TIterationDlg : public TExampleFormDlg {
public:
    TIterationDlg(fw::TWindow* parent, TExample& example, FormulaEngine& engine, const NumberFormat& format)
        : TExampleFormDlg(parent, "ITERATE", example, engine, format) {}

protected:
    void SetupWindow() override;
    FormOutcome ApplyFields(TExample& edited) override;
};

}  // namespace curvelo
