#include "framework/kit_inp_dlg.h"

#include "framework/kit_msg_dlg.h"
#include "framework/kit_text_limit.h"

namespace curvelo {
namespace {

std::size_t Limit(int maxLength) { return maxLength < 0 ? 0 : static_cast<std::size_t>(maxLength); }

}  // namespace

TInpDlg::TInpDlg(fw::TWindow* parent, const std::string& caption, const std::string& prompt,
                 std::string* buffer, int maxLength, DlgPosition* remembered)
    : TDlg(parent, "ONEINPUT", remembered), caption_(caption), prompt_(prompt), buffer_(buffer),
      maxLength_(maxLength) {}

void TInpDlg::SetupWindow() {
    SetCaptionIfGiven(caption_);
    SetItemText(kIdMessageText, prompt_);
    SetItemLimit(kIdFirstEdit, maxLength_);
    if (buffer_) SetItemText(kIdFirstEdit, LimitText(*buffer_, Limit(maxLength_)));
    SelectItemText(kIdFirstEdit);
    SetItemFocus(kIdFirstEdit);
    TDlg::SetupWindow();
}

void TInpDlg::TransferOut() {
    if (buffer_) *buffer_ = LimitText(GetItemText(kIdFirstEdit), Limit(maxLength_));
}

TInp2Dlg::TInp2Dlg(fw::TWindow* parent, const std::string& caption, const std::string& prompt1,
                   const std::string& prompt2, std::string* buffer1, std::string* buffer2,
                   int maxLength, DlgPosition* remembered)
    : TDlg(parent, "TWOINPUT", remembered), caption_(caption), prompt1_(prompt1),
      prompt2_(prompt2), buffer1_(buffer1), buffer2_(buffer2), maxLength_(maxLength) {}

void TInp2Dlg::SetupWindow() {
    SetCaptionIfGiven(caption_);
    SetItemText(kIdMessageText, prompt1_);
    SetItemText(kIdSecondPrompt, prompt2_);
    SetItemLimit(kIdFirstEdit, maxLength_);
    SetItemLimit(kIdFirstEdit + 1, maxLength_);
    if (buffer1_) SetItemText(kIdFirstEdit, LimitText(*buffer1_, Limit(maxLength_)));
    if (buffer2_) SetItemText(kIdFirstEdit + 1, LimitText(*buffer2_, Limit(maxLength_)));
    SetItemFocus(kIdFirstEdit);
    TDlg::SetupWindow();
}

void TInp2Dlg::TransferOut() {
    if (buffer1_) *buffer1_ = LimitText(GetItemText(kIdFirstEdit), Limit(maxLength_));
    if (buffer2_) *buffer2_ = LimitText(GetItemText(kIdFirstEdit + 1), Limit(maxLength_));
}

}  // namespace curvelo
