// The label dialog "NEWTEXT": the text, the hyphen code, the background, the font and the
// anchor of one text label.
#pragma once

#include <string>
#include <vector>

#include "framework/kit_dlg.h"
#include "framework/kit_placement.h"
#include "plotwin/text_label.h"

namespace curvelo {

namespace textdlg {
inline constexpr int kText = 101, kHyphenBox = 102, kHyphenCode = 103, kOpaque = 104, kFix = 105,
                     kPlane = 106, kPoint = 107, kPointList = 108, kFont = 109;
}

class TTextDlg : public TDlg {
public:
    // rows: one text per point of the window's point list (empty: no point anchor offered);
    // at: where the dialog opens, in screen pixels; windowFont: what a label without a font
    // of its own is drawn in, the font dialog's start for it.
    TTextDlg(fw::TWindow* parent, TextLabel& label, std::vector<std::string> rows, int currentRow,
             DlgPosition at, const fw::LogFont& windowFont);

    bool EvCommand(int id) override;

protected:
    void SetupWindow() override;
    void TransferOut() override;

private:
    TextLabel& label_;
    std::vector<std::string> rows_;
    int currentRow_;
    DlgPosition at_;
    fw::LogFont font_;
    fw::LogFont windowFont_;
};

}  // namespace curvelo
