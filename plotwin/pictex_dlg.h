// "PICTEX" ("PiCTeX beállítások"): the width, the box register, the mode and, where a caller
// asks for it, the white-space radius of an export; refused settings keep it open.
#pragma once

#include <string>

#include "framework/kit_dlg.h"
#include "plotwin/number_format.h"
#include "plotwin/pictex_writer.h"
#include "plotwin/value_parser.h"

namespace curvelo {

// The dialog's fields as texts, for filling and reading it without a window.
struct PictexFields {
    std::string width, box, radius;
    int mode = 0;
};
PictexFields PictexFieldsFor(const PictexSettings& s);
// 0 and the new settings in s, or the message (401, 414, 417) and s unchanged.
int ApplyPictexFields(const PictexFields& f, bool withRadius, const FieldEvaluator& eval, PictexSettings& s);

class TPictexDlg : public TDlg {
public:
    TPictexDlg(fw::TWindow* parent, PictexSettings& settings, bool withRadius, FieldEvaluator eval);

protected:
    void SetupWindow() override;
    bool CanClose() override;
    void TransferOut() override { settings_ = read_; }

private:
    PictexSettings& settings_;
    PictexSettings read_;
    bool withRadius_;
    FieldEvaluator eval_;
};

}  // namespace curvelo
