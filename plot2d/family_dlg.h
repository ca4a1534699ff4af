// The family dialog of the inventory ("osztály"): parameter, bounds, steps and whether the
// passes are watched one by one with a delay.
#pragma once

#include "framework/kit_dlg.h"
#include "plot2d/family_form.h"

namespace curvelo {

class TFamilyDlg : public TDlg {
public:
    TFamilyDlg(fw::TWindow* parent, TExample& example, FormulaEngine& engine, const NumberFormat& format);
    bool CanClose() override;

protected:
    void SetupWindow() override;
    void TransferOut() override { example_ = edited_; }

private:
    TExample& example_;
    TExample edited_;
    FormulaEngine& engine_;
    NumberFormat format_;
};

}  // namespace curvelo
