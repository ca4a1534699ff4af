// Message boxes of the program's own look: ok, yes/no and yes/no/cancel.
#pragma once

#include <string>

#include "framework/kit_dlg.h"

namespace curvelo {

inline constexpr int kIdYesButton = 88;
inline constexpr int kIdNoButton = 89;
inline constexpr int kIdMessageText = 231;

class TMsgDlg : public TDlg {
public:
    // templateName: "OKMBOX", "YNMBOX" or "YNCMBOX".
    TMsgDlg(fw::TWindow* parent, const std::string& templateName, const std::string& caption,
            const std::string& text, DlgPosition* remembered = nullptr);
    bool EvCommand(int id) override;

protected:
    void SetupWindow() override;

private:
    std::string caption_, text_;
};

// The template that AskBox uses for a kind: 0 ok, 1 yes/no, 2 and above yes/no/cancel.
const char* AskBoxTemplate(int kind);

// 6 yes, 7 no, 1 ok, 2 cancel (also Esc and the close box).
int AskBox(fw::TWindow* parent, const std::string& caption, const std::string& text, int kind);

}  // namespace curvelo
