// The dialogs of the surfaces: the equation dialog of each surface kind and the cell dialog
// of an example. Both edit a copy and write it back only when every field is valid.
#pragma once

#include "plot2d/example_form_dlg.h"

namespace curvelo {

class TSurfaceDlg : public TExampleFormDlg {
public:
    TSurfaceDlg(fw::TWindow* parent, TExample& example, FormulaEngine& engine, const NumberFormat& format);

protected:
    void SetupWindow() override;
    FormOutcome ApplyFields(TExample& edited) override;
};

class TCellDlg : public TExampleFormDlg {
public:
    TCellDlg(fw::TWindow* parent, TExample& example, FormulaEngine& engine, const NumberFormat& format);
    // After OK: whether the box or a switch changed.
    bool Changed() const { return changed_; }

protected:
    void SetupWindow() override;
    FormOutcome ApplyFields(TExample& edited) override;

private:
    bool changed_ = false;
};

}  // namespace curvelo
