#include <gtest/gtest.h>

#include "framework/automation.h"
#include "framework/dialog.h"
#include "framework/frame_window.h"

namespace curvelo::fw {
namespace {

// A dialog that validates on ok and reacts to its own button, as dialogs of the program do.
class DemoDlg : public TDialog {
public:
    explicit DemoDlg(TWindow* parent) : TDialog(parent, "TEST_DEMO") {}
    std::string width = "4";
    bool frame = true;
    int applied = 0;
    bool setupRan = false;

protected:
    void SetupWindow() override {
        setupRan = true;
        SetItemText(311, width);
        CheckItem(321, frame);
        CheckItem(301, true);
        AddString(341, "egy");
        AddString(341, "kettő");
        SetSelIndex(341, 1);
        SetScrollRange(351, 0, 50);
        SetScrollPos(351, 20);
    }
    bool CanClose() override {
        if (GetItemText(311).empty()) return false;  // stays open
        width = GetItemText(311);
        frame = IsItemChecked(321);
        return true;
    }

public:
    bool EvCommand(int id) override {
        if (id == 77) {
            ++applied;
            return true;  // handled: does not close
        }
        return TDialog::EvCommand(id);
    }
};

class DialogTest : public ::testing::Test {
protected:
    void SetUp() override { automation::EnsureApplication(); }
    void TearDown() override { automation::SetDialogHook({}); }
};

TEST_F(DialogTest, ControlsAreBuiltAndDrivenByIds) {
    DemoDlg dlg(nullptr);
    ASSERT_TRUE(dlg.TemplateOk());
    automation::SetDialogHook([](TDialog& d) {
        EXPECT_EQ(d.GetCaption(), "Nyomtatási beállítások");
        EXPECT_EQ(d.GetItemText(311), "4");
        EXPECT_TRUE(d.IsItemChecked(321));
        EXPECT_EQ(d.GetSelIndex(341), 1);
        EXPECT_EQ(d.GetItemText(341), "kettő");
        EXPECT_EQ(d.GetCount(341), 2);
        EXPECT_EQ(d.GetString(341, 0), "egy");
        EXPECT_EQ(d.GetString(341, 5), "");
        EXPECT_EQ(d.GetScrollPos(351), 20);
        d.SetScrollPos(351, 99);  // clamped into the range
        EXPECT_EQ(d.GetScrollPos(351), 50);
        EXPECT_EQ(d.GetItemText(332), "titok");
        EXPECT_EQ(d.GetItemText(361), "Állapot");  // statics drop the mnemonic mark
        EXPECT_FALSE(d.HasItem(999));
        EXPECT_EQ(d.GetItemText(999), "");
        d.EnableItem(312, false);
        EXPECT_FALSE(d.IsItemEnabled(312));
        d.ShowItem(302, false);
        EXPECT_FALSE(d.IsItemVisible(302));
        d.SetItemText(311, "7.5");
        d.CheckItem(321, false);
        return kIdOk;
    });
    EXPECT_EQ(dlg.Execute(), kIdOk);
    EXPECT_TRUE(dlg.setupRan);
    EXPECT_EQ(dlg.width, "7.5");
    EXPECT_FALSE(dlg.frame);
}

TEST_F(DialogTest, RadioGroupsAreIndependent) {
    DemoDlg dlg(nullptr);
    automation::SetDialogHook([](TDialog& d) {
        d.CheckItem(302, true);
        EXPECT_FALSE(d.IsItemChecked(301));
        d.CheckItem(304, true);
        EXPECT_TRUE(d.IsItemChecked(302));  // the second group leaves the first alone
        d.CheckItem(303, true);
        EXPECT_FALSE(d.IsItemChecked(304));
        d.CheckItem(303, false);
        EXPECT_FALSE(d.IsItemChecked(303));
        return kIdCancel;
    });
    EXPECT_EQ(dlg.Execute(), kIdCancel);
}

TEST_F(DialogTest, OkWaitsForValidationCancelAndOtherButtonsClose) {
    DemoDlg dlg(nullptr);
    automation::SetDialogHook([](TDialog& d) {
        d.SetItemText(311, "");
        return kIdOk;  // refused by CanClose: the dialog stays open
    });
    EXPECT_EQ(dlg.Execute(), -1);
    EXPECT_EQ(dlg.width, "4");

    // A handled button keeps the dialog open; cancel closes without taking the fields.
    automation::SetDialogHook([](TDialog& d) {
        d.EvCommand(77);
        d.SetItemText(311, "9");
        return kIdCancel;
    });
    EXPECT_EQ(dlg.Execute(), kIdCancel);
    EXPECT_EQ(dlg.applied, 1);
    EXPECT_EQ(dlg.width, "4");

    // Without a handler a push button closes the dialog with its own id.
    TDialog plain(nullptr, "TEST_DEMO");
    automation::SetDialogHook([](TDialog&) { return 77; });
    EXPECT_EQ(plain.Execute(), 77);
}

TEST_F(DialogTest, EscapeClosesARealModalLoopWithCancel) {
    TFrameWindow owner(nullptr, "tulajdonos");
    owner.Create();
    owner.Show();
    DemoDlg dlg(&owner);
    // No hook: a real modal loop, ended by the key once the loop runs.
    automation::PostKey(dlg, 27);
    EXPECT_EQ(dlg.Execute(), kIdCancel);
    EXPECT_EQ(dlg.width, "4");
    owner.Show(false);
}

TEST_F(DialogTest, ModelessDialogIsDeletedAfterClosing) {
    struct Watched : TDialog {
        Watched(TWindow* p, bool* gone) : TDialog(p, "TEST_DEMO"), gone_(gone) {}
        ~Watched() override { *gone_ = true; }
        bool* gone_;
    };
    TFrameWindow owner(nullptr, "tulajdonos");
    owner.Create();
    bool gone = false;
    auto* dlg = new Watched(&owner, &gone);
    dlg->Create();
    dlg->Show();
    EXPECT_FALSE(dlg->IsModal());
    EXPECT_TRUE(dlg->IsVisible());
    dlg->EvCommand(kIdCancel);
    EXPECT_EQ(dlg->Result(), kIdCancel);
    automation::ProcessEvents();
    EXPECT_TRUE(gone);
}

TEST_F(DialogTest, MissingTemplateIsNotShown) {
    TDialog dlg(nullptr, "NO_SUCH_DIALOG");
    EXPECT_FALSE(dlg.TemplateOk());
    EXPECT_EQ(dlg.Execute(), -1);
}

TEST_F(DialogTest, SizeIsKnownBeforeShowingSoCallersCanPlaceIt) {
    TDialog dlg(nullptr, "TEST_DEMO");
    Size s = dlg.GetDialogSize();
    EXPECT_GT(s.cx, 50);
    EXPECT_GT(s.cy, 50);
    dlg.MoveTo(123, 45);
    Rect r = dlg.GetWindowRect();
    EXPECT_EQ(r.left, 123);
    EXPECT_EQ(r.top, 45);
}

}  // namespace
}  // namespace curvelo::fw
