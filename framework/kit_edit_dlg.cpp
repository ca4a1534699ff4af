#include "framework/kit_edit_dlg.h"

#include "framework/controls.h"
#include "framework/kit_inp_dlg.h"
#include "framework/kit_msg_dlg.h"
#include "framework/kit_text_limit.h"

namespace curvelo {
namespace {

std::size_t Limit(int maxLength) { return maxLength < 0 ? 0 : static_cast<std::size_t>(maxLength); }

}  // namespace

TEditDlg::TEditDlg(fw::TWindow* parent, const std::string& templateName, int maxLength,
                   const fw::LogFont* font, std::string* buffer, DlgPosition* remembered)
    : TDlg(parent, templateName, remembered), maxLength_(maxLength), font_(font), buffer_(buffer) {}

void TEditDlg::SetupWindow() {
    SetItemLimit(kIdFirstEdit, maxLength_);
    if (buffer_) SetItemText(kIdFirstEdit, LimitText(*buffer_, Limit(maxLength_)));
    if (font_) SetItemFont(kIdFirstEdit, *font_);
    SetItemFocus(kIdFirstEdit);
    TDlg::SetupWindow();
}

void TEditDlg::TransferOut() {
    if (buffer_) *buffer_ = LimitText(GetItemText(kIdFirstEdit), Limit(maxLength_));
}

TYNInpDlg::TYNInpDlg(fw::TWindow* parent, const std::string& caption, const std::string& text,
                     std::string* buffer, int maxLength, const std::string& templateName,
                     DlgPosition* remembered)
    : TDlg(parent, templateName, remembered), caption_(caption), text_(text), buffer_(buffer),
      maxLength_(maxLength) {}

void TYNInpDlg::SetupWindow() {
    SetCaptionIfGiven(caption_);
    SetItemText(kIdMessageText, text_);
    SetItemLimit(kIdFirstEdit, maxLength_);
    if (buffer_) SetItemText(kIdFirstEdit, LimitText(*buffer_, Limit(maxLength_)));
    SetItemFocus(kIdFirstEdit);
    TDlg::SetupWindow();
}

void TYNInpDlg::TransferOut() {
    if (buffer_) *buffer_ = LimitText(GetItemText(kIdFirstEdit), Limit(maxLength_));
}

bool TYNInpDlg::EvCommand(int id) {
    if (id == kIdYesButton) {
        if (CanClose()) {
            TransferOut();
            EndDialog(fw::kIdYes);
        }
        return true;
    }
    if (id == kIdNoButton) {
        EndDialog(fw::kIdNo);
        return true;
    }
    return TDlg::EvCommand(id);
}

}  // namespace curvelo
