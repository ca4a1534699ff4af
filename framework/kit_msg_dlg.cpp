#include "framework/kit_msg_dlg.h"

namespace curvelo {

TMsgDlg::TMsgDlg(fw::TWindow* parent, const std::string& templateName, const std::string& caption,
                 const std::string& text, DlgPosition* remembered)
    : TDlg(parent, templateName, remembered), caption_(caption), text_(text) {}

void TMsgDlg::SetupWindow() {
    // The text first: the placement needs the final size.
    SetItemText(kIdMessageText, text_);
    SetCaption(caption_);
    TDlg::SetupWindow();
}

bool TMsgDlg::EvCommand(int id) {
    if (id == kIdYesButton) {
        EndDialog(fw::kIdYes);
        return true;
    }
    if (id == kIdNoButton) {
        EndDialog(fw::kIdNo);
        return true;
    }
    return TDlg::EvCommand(id);
}

const char* AskBoxTemplate(int kind) {
    if (kind <= 0) return "OKMBOX";
    if (kind == 1) return "YNMBOX";
    return "YNCMBOX";
}

int AskBox(fw::TWindow* parent, const std::string& caption, const std::string& text, int kind) {
    TMsgDlg dlg(parent, AskBoxTemplate(kind), caption, text);
    int result = dlg.Execute();
    // An unusable template or an unexpected end counts as cancel, never as a yes.
    if (result != fw::kIdYes && result != fw::kIdNo && result != fw::kIdOk) return fw::kIdCancel;
    return result;
}

}  // namespace curvelo
