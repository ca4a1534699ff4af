// Generic dialogs on a template chosen by the creator: up to seven text fields (edits 211..),
// optionally two check boxes (271, 272) or a group of radio buttons (251, 252, ...).
// A null buffer leaves its edit empty and ignored. Only "ok" copies anything back.
#pragma once

#include <array>
#include <initializer_list>
#include <string>

#include "framework/kit_dlg.h"

namespace curvelo {

inline constexpr int kIdFirstCheck = 271;
inline constexpr int kIdFirstRadio = 251;

class TGenDlg : public TDlg {
public:
    static constexpr int kMaxFields = 7;
    TGenDlg(fw::TWindow* parent, const std::string& templateName, int maxLength,
            std::initializer_list<std::string*> buffers, DlgPosition* remembered = nullptr);

protected:
    void SetupWindow() override;
    void TransferOut() override;
    // Fewer fields for the variants that keep to five.
    void KeepFields(int count);

private:
    std::array<std::string*, kMaxFields> buffers_{};
    int maxLength_;
};

class TGenBoolDlg : public TGenDlg {
public:
    TGenBoolDlg(fw::TWindow* parent, const std::string& templateName, int maxLength,
                std::initializer_list<std::string*> buffers, bool* flag1, bool* flag2,
                DlgPosition* remembered = nullptr);

protected:
    void SetupWindow() override;
    void TransferOut() override;

private:
    bool* flag1_;
    bool* flag2_;
};

class TRadBtDlg : public TGenDlg {
public:
    static constexpr int kMaxRadioFields = 5;
    // index: 0 selects radio 251, 1 selects 252, ...
    TRadBtDlg(fw::TWindow* parent, const std::string& templateName, int maxLength,
              std::initializer_list<std::string*> buffers, int* index,
              DlgPosition* remembered = nullptr);

protected:
    void SetupWindow() override;
    void TransferOut() override;

private:
    int RadioCount() const;
    int* index_;
};

}  // namespace curvelo
