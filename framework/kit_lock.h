// The document lock: an optional password with what it protects, and the author data.
// The dialogs "SETPW" and "ASKPW" edit and check it; the document stores it.
#pragma once

#include <string>

namespace curvelo {

struct DocumentLock {
    std::string password;          // empty: the document is not protected
    bool protectSaving = false;    // saving under the same or a new name
    bool protectInventory = false; // changing the list of examples
    bool showAuthor = false;       // the Author command may show the author data
    std::string author, date, email, homepage;

    bool Protected() const { return !password.empty(); }
    bool operator==(const DocumentLock&) const = default;
};

inline constexpr int kMsgNotAuthorised = 27;  // 400 + 27 "nincs felhatalmazása"
inline constexpr int kMsgNotProtected = 28;   // "nem védett"
inline constexpr int kMsgProtected = 29;      // "védett"

enum class LockAction { Protect, Remove };

struct LockEdit {
    std::string password, repeated;
    bool protectSaving = false, protectInventory = false, showAuthor = false;
    std::string author, date, email, homepage;
};

// The fields "SETPW" opens with: the lock's flags and author data, empty password fields.
LockEdit LockEditFrom(const DocumentLock& lock);

struct LockResult {
    bool accepted = false;  // false: the dialog stays open and the lock is unchanged
    int message = 0;        // message number to show (400 + n), 0 for none
};

// Protect needs a non-empty password typed twice alike; Remove clears the password and keeps
// the author data. A refused Protect leaves the lock as it was.
LockResult ApplyLockEdit(DocumentLock& lock, const LockEdit& edit, LockAction action);

// Whether an action guarded by the lock may go on: unprotected documents always may, a
// protected one only with its password.
bool LockAllows(const DocumentLock& lock, const std::string& typedPassword);

}  // namespace curvelo
