// One- and two-field input boxes. The caller's buffers change only when "ok" closes them.
#pragma once

#include <string>

#include "framework/kit_dlg.h"

namespace curvelo {

inline constexpr int kIdFirstEdit = 211;
inline constexpr int kIdSecondPrompt = 232;

class TInpDlg : public TDlg {
public:
    TInpDlg(fw::TWindow* parent, const std::string& caption, const std::string& prompt,
            std::string* buffer, int maxLength, DlgPosition* remembered = nullptr);

protected:
    void SetupWindow() override;
    void TransferOut() override;

private:
    std::string caption_, prompt_;
    std::string* buffer_;
    int maxLength_;
};

class TInp2Dlg : public TDlg {
public:
    TInp2Dlg(fw::TWindow* parent, const std::string& caption, const std::string& prompt1,
             const std::string& prompt2, std::string* buffer1, std::string* buffer2, int maxLength,
             DlgPosition* remembered = nullptr);

protected:
    void SetupWindow() override;
    void TransferOut() override;

private:
    std::string caption_, prompt1_, prompt2_;
    std::string* buffer1_;
    std::string* buffer2_;
    int maxLength_;
};

}  // namespace curvelo
