// The equation dialog of the curve kinds: it edits one inventory slot and closes with OK only
// when every field is valid; a bad field shows its message and keeps the dialog open.
#pragma once

#include "expr/engine.h"
#include "framework/kit_dlg.h"
#include "plot2d/equation_form.h"

namespace curvelo {

class TEditExmpDlg : public TDlg {
public:
    TEditExmpDlg(fw::TWindow* parent, TExample& example, FormulaEngine& engine,
                 const NumberFormat& format, DlgPosition* remembered = nullptr);

    bool CanClose() override;

protected:
    void SetupWindow() override;
    void TransferOut() override;

private:
    EquationForm ReadForm() const;

    TExample& example_;
    TExample edited_;
    FormulaEngine& engine_;
    NumberFormat format_;
};

}  // namespace curvelo
