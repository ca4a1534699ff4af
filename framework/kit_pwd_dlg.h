// The document lock dialogs: "SETPW" sets or removes the password and edits the author
// data, "ASKPW" asks for the password before a protected action.
#pragma once

#include "framework/kit_dlg.h"
#include "framework/kit_lock.h"

namespace curvelo {

inline constexpr int kIdProtectButton = 88;
inline constexpr int kIdRemoveButton = 89;

class TPwdDlg : public TDlg {
public:
    enum class Mode { Set, Ask };
    // Set edits the lock (unchanged on cancel); Ask checks a typed password against it.
    TPwdDlg(fw::TWindow* parent, Mode mode, DocumentLock* lock, DlgPosition* remembered = nullptr);
    bool EvCommand(int id) override;
    // Ask: whether the right password was typed.
    bool Authorised() const { return authorised_; }

protected:
    void SetupWindow() override;

private:
    LockEdit ReadFields() const;
    Mode mode_;
    DocumentLock* lock_;
    bool authorised_ = false;
};

// True when the action may go on: at once for an unprotected document, else after ASKPW
// with the right password (a wrong one shows message 427).
bool AskDocumentPassword(fw::TWindow* parent, const DocumentLock& lock);
// The lock editor; a protected document first asks for its password. True when changed.
bool EditDocumentLock(fw::TWindow* parent, DocumentLock& lock);

}  // namespace curvelo
