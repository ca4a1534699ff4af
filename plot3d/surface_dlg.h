// The equation dialog of the 3D kinds (surfaces, curves, points, systems and sequences): it
// edits a copy and writes it back only when every field is valid.
#pragma once

#include "plot2d/example_form_dlg.h"

namespace curvelo {

class TSurfaceDlg : public TExampleFormDlg {
public:
    TSurfaceDlg(fw::TWindow* parent, TExample& example, FormulaEngine& engine, const NumberFormat& format,
                DlgPosition* remembered = nullptr);

protected:
    void SetupWindow() override;
    FormOutcome ApplyFields(TExample& edited) override;
};

}  // namespace curvelo
