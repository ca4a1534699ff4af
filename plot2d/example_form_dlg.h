// The base of the dialogs that edit one example: they work on a copy, check it through
// their form, and write it back only when OK finds every field valid. A bad field shows its
// message, takes the focus and keeps the dialog open.
#pragma once

#include <string>

#include "expr/engine.h"
#include "framework/kit_dlg.h"
#include "plot2d/equation_form.h"
#include "plotwin/number_format.h"

namespace curvelo {

class TExampleFormDlg : public TDlg {
public:
    TExampleFormDlg(fw::TWindow* parent, const std::string& templateName, TExample& example,
                    FormulaEngine& engine, const NumberFormat& format, DlgPosition* remembered = nullptr)
        : TDlg(parent, templateName, remembered), example_(example), edited_(example), engine_(engine),
          format_(format) {}

    bool CanClose() override;

protected:
    // Reads the fields into a fresh copy of the example (edited); the code 0 or a message.
    virtual FormOutcome ApplyFields(TExample& edited) = 0;
    void TransferOut() override { example_ = edited_; }

    const TExample& Example() const { return example_; }
    FormulaEngine& Engine() { return engine_; }
    const NumberFormat& Format() const { return format_; }

private:
    TExample& example_;
    TExample edited_;
    FormulaEngine& engine_;
    NumberFormat format_;
};

}  // namespace curvelo
