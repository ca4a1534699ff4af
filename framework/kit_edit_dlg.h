// A single edit in a chosen font, and a question that also returns a typed text.
#pragma once

#include <string>

#include "framework/kit_dlg.h"
#include "framework/log_font.h"

namespace curvelo {

class TEditDlg : public TDlg {
public:
    // font may be null (the dialog's own font).
    TEditDlg(fw::TWindow* parent, const std::string& templateName, int maxLength,
             const fw::LogFont* font, std::string* buffer, DlgPosition* remembered = nullptr);

protected:
    void SetupWindow() override;
    void TransferOut() override;

private:
    int maxLength_;
    const fw::LogFont* font_;
    std::string* buffer_;
};

// Shows text in static 231 and one edit 211: "igen" returns 6 and copies the edit into the
// buffer, "nem" returns 7, cancel 2; only "igen" (or "ok") changes the buffer.
class TYNInpDlg : public TDlg {
public:
    TYNInpDlg(fw::TWindow* parent, const std::string& caption, const std::string& text,
              std::string* buffer, int maxLength, const std::string& templateName = "YNINPUT",
              DlgPosition* remembered = nullptr);
    bool EvCommand(int id) override;

protected:
    void SetupWindow() override;
    void TransferOut() override;

private:
    std::string caption_, text_;
    std::string* buffer_;
    int maxLength_;
};

}  // namespace curvelo
