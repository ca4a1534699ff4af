// The table's interval and step count dialog "TABLELOHI".
#pragma once

#include "plot2d/example_form_dlg.h"
#include "plot2d/table_range_form.h"

namespace curvelo {

class TTableRangeDlg : public TExampleFormDlg {
public:
    TTableRangeDlg(fw::TWindow* parent, TExample& example, FormulaEngine& engine, const NumberFormat& format)
        : TExampleFormDlg(parent, "TABLELOHI", example, engine, format) {}

protected:
    void SetupWindow() override;
    FormOutcome ApplyFields(TExample& edited) override;
};

}  // namespace curvelo
