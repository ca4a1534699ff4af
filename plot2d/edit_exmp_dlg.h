// The equation dialog of the Equation menu's kinds: it edits one inventory slot and closes
// with OK only when every field is valid; a bad field shows its message and keeps the
// dialog open.
#pragma once

#include "plot2d/example_form_dlg.h"

namespace curvelo {

class TEditExmpDlg : public TExampleFormDlg {
public:
    TEditExmpDlg(fw::TWindow* parent, TExample& example, FormulaEngine& engine,
                 const NumberFormat& format, DlgPosition* remembered = nullptr);

    // The segment's "pontok" box is offered only while the inventory has room for the two
    // points it would add.
    void SetEndPointsAllowed(bool allowed) { endPointsAllowed_ = allowed; }
    // After OK: whether the segment's end points are to become point examples.
    bool EndPointsAsked() const { return endPointsAsked_; }

protected:
    void SetupWindow() override;
    FormOutcome ApplyFields(TExample& edited) override;

private:
    EquationForm FormOf(const TExample& example) const;
    EquationForm ReadForm() const;
    bool endPointsAllowed_ = true;
    bool endPointsAsked_ = false;
};

}  // namespace curvelo
