#include "framework/kit_lock.h"

namespace curvelo {

LockEdit LockEditFrom(const DocumentLock& lock) {
    LockEdit e;
    e.protectSaving = lock.protectSaving;
    e.protectInventory = lock.protectInventory;
    e.showAuthor = lock.showAuthor;
    e.author = lock.author;
    e.date = lock.date;
    e.email = lock.email;
    e.homepage = lock.homepage;
    return e;
}

LockResult ApplyLockEdit(DocumentLock& lock, const LockEdit& edit, LockAction action) {
    if (action == LockAction::Remove) {
        lock.password.clear();
        lock.protectSaving = lock.protectInventory = false;
        lock.showAuthor = edit.showAuthor;
        lock.author = edit.author;
        lock.date = edit.date;
        lock.email = edit.email;
        lock.homepage = edit.homepage;
        return {true, kMsgNotProtected};
    }
    if (edit.password.empty() || edit.password != edit.repeated) return {false, kMsgNotProtected};
    lock.password = edit.password;
    lock.protectSaving = edit.protectSaving;
    lock.protectInventory = edit.protectInventory;
    lock.showAuthor = edit.showAuthor;
    lock.author = edit.author;
    lock.date = edit.date;
    lock.email = edit.email;
    lock.homepage = edit.homepage;
    return {true, kMsgProtected};
}

bool LockAllows(const DocumentLock& lock, const std::string& typedPassword) {
    return !lock.Protected() || typedPassword == lock.password;
}

}  // namespace curvelo
