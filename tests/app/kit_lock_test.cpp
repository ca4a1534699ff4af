#include "framework/kit_lock.h"
#include "framework/kit_text_limit.h"

#include <gtest/gtest.h>

using namespace curvelo;

TEST(DocumentLock, ProtectNeedsTheSamePasswordTwiceAndARefusalChangesNothing) {
    DocumentLock lock;
    lock.author = "Kiss Anna";
    LockEdit e = LockEditFrom(lock);
    EXPECT_TRUE(e.password.empty());
    EXPECT_EQ(e.author, "Kiss Anna");
    e.password = "titok";
    e.repeated = "titko";
    e.protectSaving = true;
    DocumentLock before = lock;
    LockResult r = ApplyLockEdit(lock, e, LockAction::Protect);
    EXPECT_FALSE(r.accepted);
    EXPECT_EQ(lock, before);
    e.repeated = "";
    e.password = "";
    EXPECT_FALSE(ApplyLockEdit(lock, e, LockAction::Protect).accepted);

    e.password = e.repeated = "titok";
    r = ApplyLockEdit(lock, e, LockAction::Protect);
    EXPECT_TRUE(r.accepted);
    EXPECT_EQ(r.message, kMsgProtected);
    EXPECT_TRUE(lock.Protected());
    EXPECT_TRUE(lock.protectSaving);
    EXPECT_FALSE(LockAllows(lock, "TITOK"));
    EXPECT_TRUE(LockAllows(lock, "titok"));
}

TEST(DocumentLock, RemoveClearsThePasswordAndItsProtectionsButKeepsTheAuthor) {
    DocumentLock lock;
    lock.password = "x";
    lock.protectInventory = true;
    LockEdit e = LockEditFrom(lock);
    e.author = "B";
    LockResult r = ApplyLockEdit(lock, e, LockAction::Remove);
    EXPECT_TRUE(r.accepted);
    EXPECT_EQ(r.message, kMsgNotProtected);
    EXPECT_FALSE(lock.Protected());
    EXPECT_FALSE(lock.protectInventory);
    EXPECT_EQ(lock.author, "B");
    EXPECT_TRUE(LockAllows(lock, "anything"));
}

TEST(TextLimit, CountsCharactersNotBytes) {
    EXPECT_EQ(LimitText("árvíztűrő", 3), "árv");
    EXPECT_EQ(LimitText("abc", 5), "abc");
    EXPECT_EQ(LimitText("abc", 0), "");
    EXPECT_EQ(LimitText("őőő", 2), "őő");
}
