#include "framework/kit_pwd_dlg.h"

#include "framework/kit_inp_dlg.h"
#include "framework/kit_services.h"

namespace curvelo {
namespace {

constexpr int kIdRepeatEdit = 212;
constexpr int kIdAuthorEdit = 213;  // then date, e-mail, homepage
constexpr int kIdProtectSaving = 271, kIdProtectInventory = 272, kIdShowAuthor = 273;
constexpr int kMaxField = 255;

}  // namespace

TPwdDlg::TPwdDlg(fw::TWindow* parent, Mode mode, DocumentLock* lock, DlgPosition* remembered)
    : TDlg(parent, mode == Mode::Set ? "SETPW" : "ASKPW", remembered), mode_(mode), lock_(lock) {}

void TPwdDlg::SetupWindow() {
    SetItemLimit(kIdFirstEdit, kMaxField);
    if (mode_ == Mode::Set && lock_) {
        const LockEdit e = LockEditFrom(*lock_);
        SetItemLimit(kIdRepeatEdit, kMaxField);
        CheckItem(kIdProtectSaving, e.protectSaving);
        CheckItem(kIdProtectInventory, e.protectInventory);
        CheckItem(kIdShowAuthor, e.showAuthor);
        const std::string* fields[] = {&e.author, &e.date, &e.email, &e.homepage};
        for (int i = 0; i < 4; ++i) {
            SetItemLimit(kIdAuthorEdit + i, kMaxField);
            SetItemText(kIdAuthorEdit + i, *fields[i]);
        }
    }
    SetItemFocus(kIdFirstEdit);
    TDlg::SetupWindow();
}

LockEdit TPwdDlg::ReadFields() const {
    LockEdit e;
    e.password = GetItemText(kIdFirstEdit);
    e.repeated = GetItemText(kIdRepeatEdit);
    e.protectSaving = IsItemChecked(kIdProtectSaving);
    e.protectInventory = IsItemChecked(kIdProtectInventory);
    e.showAuthor = IsItemChecked(kIdShowAuthor);
    e.author = GetItemText(kIdAuthorEdit);
    e.date = GetItemText(kIdAuthorEdit + 1);
    e.email = GetItemText(kIdAuthorEdit + 2);
    e.homepage = GetItemText(kIdAuthorEdit + 3);
    return e;
}

bool TPwdDlg::EvCommand(int id) {
    if (mode_ == Mode::Set && lock_ && (id == kIdProtectButton || id == kIdRemoveButton)) {
        DocumentLock edited = *lock_;
        const LockResult r = ApplyLockEdit(edited, ReadFields(),
                                           id == kIdProtectButton ? LockAction::Protect : LockAction::Remove);
        if (r.message) ShowMessage(this, r.message);
        if (!r.accepted) {
            // The two passwords differ or are empty: let the user type them again.
            SetItemText(kIdFirstEdit, "");
            SetItemText(kIdRepeatEdit, "");
            SetItemFocus(kIdFirstEdit);
            return true;
        }
        *lock_ = edited;
        EndDialog(id);
        return true;
    }
    if (mode_ == Mode::Ask && id == fw::kIdOk) {
        authorised_ = lock_ && LockAllows(*lock_, GetItemText(kIdFirstEdit));
        EndDialog(fw::kIdOk);
        return true;
    }
    return TDlg::EvCommand(id);
}

bool AskDocumentPassword(fw::TWindow* parent, const DocumentLock& lock) {
    if (!lock.Protected()) return true;
    DocumentLock copy = lock;
    TPwdDlg dlg(parent, TPwdDlg::Mode::Ask, &copy);
    if (dlg.Execute() != fw::kIdOk) return false;
    if (!dlg.Authorised()) ShowMessage(parent, kMsgNotAuthorised);
    return dlg.Authorised();
}

bool EditDocumentLock(fw::TWindow* parent, DocumentLock& lock) {
    if (!AskDocumentPassword(parent, lock)) return false;
    TPwdDlg dlg(parent, TPwdDlg::Mode::Set, &lock);
    const int result = dlg.Execute();
    return result == kIdProtectButton || result == kIdRemoveButton;
}

}  // namespace curvelo
