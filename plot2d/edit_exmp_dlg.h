// The equation dialog of the curve kinds: it edits one inventory slot and closes with OK only
// when every field is valid; a bad field shows its message and keeps the dialog open.
#pragma once

#include "plot2d/example_form_dlg.h"

namespace curvelo {

class TEditExmpDlg : public TExampleFormDlg {
public:
    TEditExmpDlg(fw::TWindow* parent, TExample& example, FormulaEngine& engine,
                 const NumberFormat& format, DlgPosition* remembered = nullptr);

protected:
    void SetupWindow() override;
    FormOutcome ApplyFields(TExample& edited) override;

private:
    EquationForm ReadForm() const;
};

}  // namespace curvelo
