#include "framework/kit_gen_dlg.h"

#include "framework/kit_inp_dlg.h"
#include "framework/kit_text_limit.h"

namespace curvelo {

TGenDlg::TGenDlg(fw::TWindow* parent, const std::string& templateName, int maxLength,
                 std::initializer_list<std::string*> buffers, DlgPosition* remembered)
    : TDlg(parent, templateName, remembered), maxLength_(maxLength < 0 ? 0 : maxLength) {
    int i = 0;
    for (std::string* b : buffers) {
        if (i == kMaxFields) break;
        buffers_[i++] = b;
    }
}

void TGenDlg::KeepFields(int count) {
    for (int i = count; i < kMaxFields; ++i) buffers_[i] = nullptr;
}

void TGenDlg::SetupWindow() {
    for (int i = 0; i < kMaxFields; ++i) {
        const int id = kIdFirstEdit + i;
        if (!HasItem(id)) continue;
        SetItemLimit(id, maxLength_);
        SetItemText(id, buffers_[i] ? LimitText(*buffers_[i], maxLength_) : std::string());
    }
    TDlg::SetupWindow();
}

void TGenDlg::TransferOut() {
    for (int i = 0; i < kMaxFields; ++i) {
        const int id = kIdFirstEdit + i;
        if (buffers_[i] && HasItem(id)) *buffers_[i] = LimitText(GetItemText(id), maxLength_);
    }
}

TGenBoolDlg::TGenBoolDlg(fw::TWindow* parent, const std::string& templateName, int maxLength,
                         std::initializer_list<std::string*> buffers, bool* flag1, bool* flag2,
                         DlgPosition* remembered)
    : TGenDlg(parent, templateName, maxLength, buffers, remembered), flag1_(flag1), flag2_(flag2) {}

void TGenBoolDlg::SetupWindow() {
    if (flag1_) CheckItem(kIdFirstCheck, *flag1_);
    if (flag2_) CheckItem(kIdFirstCheck + 1, *flag2_);
    TGenDlg::SetupWindow();
}

void TGenBoolDlg::TransferOut() {
    TGenDlg::TransferOut();
    if (flag1_ && HasItem(kIdFirstCheck)) *flag1_ = IsItemChecked(kIdFirstCheck);
    if (flag2_ && HasItem(kIdFirstCheck + 1)) *flag2_ = IsItemChecked(kIdFirstCheck + 1);
}

TRadBtDlg::TRadBtDlg(fw::TWindow* parent, const std::string& templateName, int maxLength,
                     std::initializer_list<std::string*> buffers, int* index,
                     DlgPosition* remembered)
    : TGenDlg(parent, templateName, maxLength, buffers, remembered), index_(index) {
    KeepFields(kMaxRadioFields);
}

int TRadBtDlg::RadioCount() const {
    int n = 0;
    while (n < 100 && HasItem(kIdFirstRadio + n)) ++n;
    return n;
}

void TRadBtDlg::SetupWindow() {
    const int n = RadioCount();
    if (index_ && n > 0) {
        // An index out of range selects the first button rather than none.
        const int i = (*index_ >= 0 && *index_ < n) ? *index_ : 0;
        CheckItem(kIdFirstRadio + i, true);
    }
    TGenDlg::SetupWindow();
}

void TRadBtDlg::TransferOut() {
    TGenDlg::TransferOut();
    if (!index_) return;
    const int n = RadioCount();
    for (int i = 0; i < n; ++i)
        if (IsItemChecked(kIdFirstRadio + i)) {
            *index_ = i;
            return;
        }
}

}  // namespace curvelo
