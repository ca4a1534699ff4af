#include <gtest/gtest.h>

#include "framework/automation.h"
#include "framework/frame_window.h"
#include "framework/kit_edit_dlg.h"
#include "framework/kit_gen_dlg.h"
#include "framework/kit_inp_dlg.h"
#include "framework/kit_msg_dlg.h"
#include "framework/kit_pwd_dlg.h"
#include "framework/screen.h"

using namespace curvelo;
namespace automation = curvelo::fw::automation;

namespace {

class KitDialogs : public ::testing::Test {
protected:
    void SetUp() override {
        automation::EnsureApplication();
        parent = std::make_unique<fw::TFrameWindow>(nullptr, "szülő");
        parent->Create();
        parent->MoveWindow({20, 20, 320, 220});
        parent->Show();
        automation::ProcessEvents();
    }
    void TearDown() override {
        automation::SetDialogHook({});
        automation::SetMessageBoxHook({});
        parent->Destroy();
    }
    std::unique_ptr<fw::TFrameWindow> parent;
};

}  // namespace

TEST_F(KitDialogs, AskBoxResultsForEveryButtonAndKind) {
    struct Case { int kind; int press; int expected; const char* tmpl; };
    const Case cases[] = {
        {0, 1, 1, "OKMBOX"},   {0, 2, 2, "OKMBOX"},  {1, 88, 6, "YNMBOX"}, {1, 89, 7, "YNMBOX"},
        {1, 2, 2, "YNMBOX"},   {2, 2, 2, "YNCMBOX"}, {5, 88, 6, "YNCMBOX"}, {5, 89, 7, "YNCMBOX"},
    };
    for (const Case& c : cases) {
        std::string seenTemplate, seenText, seenCaption;
        automation::SetDialogHook([&](fw::TDialog& d) {
            seenTemplate = d.TemplateName();
            seenText = d.GetItemText(kIdMessageText);
            seenCaption = d.GetCaption();
            return c.press;
        });
        EXPECT_EQ(AskBox(parent.get(), "kérdés", "Mentsem?", c.kind), c.expected) << c.kind << " " << c.press;
        EXPECT_EQ(seenTemplate, c.tmpl);
        EXPECT_EQ(seenText, "Mentsem?");
        EXPECT_EQ(seenCaption, "kérdés");
    }
}

TEST_F(KitDialogs, MessageTemplatesShowTheRightButtons) {
    std::map<std::string, std::vector<bool>> visible;  // ok, yes, no, cancel
    automation::SetDialogHook([&](fw::TDialog& d) {
        visible[d.TemplateName()] = {d.HasItem(1) && d.IsItemVisible(1), d.IsItemVisible(88),
                                     d.HasItem(89) && d.IsItemVisible(89), d.IsItemVisible(2)};
        return 2;
    });
    for (int kind : {0, 1, 2}) AskBox(parent.get(), "", "x", kind);
    EXPECT_EQ(visible["OKMBOX"], (std::vector<bool>{true, false, false, false}));
    EXPECT_EQ(visible["YNMBOX"], (std::vector<bool>{false, true, true, false}));
    EXPECT_EQ(visible["YNCMBOX"], (std::vector<bool>{false, true, true, true}));
}

TEST_F(KitDialogs, InputBoxesCopyBackOnlyOnOkAndKeepToTheLength) {
    std::string buffer = "régi";
    automation::SetDialogHook([](fw::TDialog& d) {
        EXPECT_EQ(d.GetItemText(kIdFirstEdit), "régi");
        EXPECT_EQ(d.GetItemText(kIdMessageText), "érték:");
        d.SetItemText(kIdFirstEdit, "új szöveg");
        return 2;
    });
    TInpDlg cancel(parent.get(), "Bevitel", "érték:", &buffer, 5);
    EXPECT_EQ(cancel.Execute(), 2);
    EXPECT_EQ(buffer, "régi");

    automation::SetDialogHook([](fw::TDialog& d) {
        d.SetItemText(kIdFirstEdit, "árvíztűrő");
        return 1;
    });
    TInpDlg ok(parent.get(), "Bevitel", "érték:", &buffer, 5);
    EXPECT_EQ(ok.Execute(), 1);
    EXPECT_EQ(buffer, "árvíz");

    std::string a = "1", b = "2";
    automation::SetDialogHook([](fw::TDialog& d) {
        EXPECT_EQ(d.GetItemText(232), "második");
        d.SetItemText(211, "x");
        d.SetItemText(212, "y");
        return 1;
    });
    TInp2Dlg two(parent.get(), "Két érték", "első", "második", &a, &b, 10);
    EXPECT_EQ(two.Execute(), 1);
    EXPECT_EQ(a, "x");
    EXPECT_EQ(b, "y");
}

TEST_F(KitDialogs, EditDialogShowsItsFontAndCutsToItsLimit) {
    fw::LogFont font;
    font.faceName = "Courier";
    font.height = -20;
    font.weight = 700;
    std::string buffer = "régi szöveg";
    automation::SetDialogHook([](fw::TDialog& d) {
        EXPECT_EQ(d.GetItemText(kIdFirstEdit), "régi");
        const fw::LogFont shown = d.GetItemFont(kIdFirstEdit);
        EXPECT_EQ(shown.faceName, "Courier");
        EXPECT_EQ(shown.height, -20);
        EXPECT_EQ(shown.weight, 700);
        d.SetItemText(kIdFirstEdit, "hosszú új szöveg");
        return 2;
    });
    TEditDlg cancel(parent.get(), "ONEINPUT", 4, &font, &buffer);
    EXPECT_EQ(cancel.Execute(), 2);
    EXPECT_EQ(buffer, "régi szöveg");

    automation::SetDialogHook([](fw::TDialog& d) {
        d.SetItemText(kIdFirstEdit, "hosszú új szöveg");
        return 1;
    });
    TEditDlg ok(parent.get(), "ONEINPUT", 6, nullptr, &buffer);
    EXPECT_EQ(ok.Execute(), 1);
    EXPECT_EQ(buffer, "hosszú");
}

TEST_F(KitDialogs, GenericFieldsAndFlagsFollowTheirBuffers) {
    // The lock editor's template has six edits and two check boxes from 271 on.
    std::string f1 = "egy", f3 = "három";
    bool c1 = true, c2 = false;
    automation::SetDialogHook([](fw::TDialog& d) {
        EXPECT_EQ(d.GetItemText(211), "egy");
        EXPECT_EQ(d.GetItemText(212), "");  // null buffer
        EXPECT_EQ(d.GetItemText(213), "három");
        EXPECT_TRUE(d.IsItemChecked(271));
        d.SetItemText(211, "EGY");
        d.SetItemText(212, "ignored");
        d.CheckItem(272, true);
        d.CheckItem(271, false);
        return 2;
    });
    TGenBoolDlg cancel(parent.get(), "SETPW", 20, {&f1, nullptr, &f3}, &c1, &c2);
    cancel.Execute();
    EXPECT_EQ(f1, "egy");
    EXPECT_TRUE(c1);
    EXPECT_FALSE(c2);
    // "ok" is not on this template; pressing 1 still goes through the kit's accept path.
    TGenBoolDlg ok(parent.get(), "SETPW", 20, {&f1, nullptr, &f3}, &c1, &c2);
    automation::SetDialogHook([&](fw::TDialog& d) {
        d.SetItemText(211, "EGY");
        d.CheckItem(272, true);
        d.CheckItem(271, false);
        d.EvCommand(1);
        return 2;
    });
    ok.Execute();
    EXPECT_EQ(f1, "EGY");
    EXPECT_EQ(f3, "három");
    EXPECT_FALSE(c1);
    EXPECT_TRUE(c2);
}

TEST_F(KitDialogs, YesNoInputReturnsTheTextOnlyWithYes) {
    std::string buffer = "a";
    automation::SetDialogHook([](fw::TDialog& d) {
        d.SetItemText(211, "b");
        return 89;
    });
    TYNInpDlg no(parent.get(), "Kérdés", "Átnevezzem?", &buffer, 10);
    EXPECT_EQ(no.Execute(), 7);
    EXPECT_EQ(buffer, "a");
    automation::SetDialogHook([](fw::TDialog& d) {
        d.SetItemText(211, "b");
        return 88;
    });
    TYNInpDlg yes(parent.get(), "Kérdés", "Átnevezzem?", &buffer, 10);
    EXPECT_EQ(yes.Execute(), 6);
    EXPECT_EQ(buffer, "b");
}

TEST_F(KitDialogs, DialogReopensWhereTheUserLeftIt) {
    DlgPosition pos;
    std::string buffer;
    automation::SetDialogHook([](fw::TDialog& d) {
        d.MoveTo(300, 210);
        return 2;
    });
    TInpDlg first(parent.get(), "", "", &buffer, 10, &pos);
    first.Execute();
    EXPECT_EQ(pos.left, 300);
    EXPECT_EQ(pos.top, 210);
    fw::Rect seen;
    automation::SetDialogHook([&](fw::TDialog& d) {
        seen = d.GetWindowRect();
        return 2;
    });
    TInpDlg second(parent.get(), "", "", &buffer, 10, &pos);
    second.Execute();
    EXPECT_EQ(seen.left, 300);
    EXPECT_EQ(seen.top, 210);
}

TEST_F(KitDialogs, ParentAtTheRightEdgeOpensTheDialogLeftOfIt) {
    const fw::ScreenMetrics screen = fw::PrimaryScreen();
    parent->MoveWindow({screen.width - 300, 100, screen.width, 300});
    automation::ProcessEvents();
    const fw::Rect p = parent->GetWindowRect();
    fw::Rect seen;
    automation::SetDialogHook([&](fw::TDialog& d) {
        seen = d.GetWindowRect();
        return 2;
    });
    for (int i = 0; i < 5; ++i) {
        AskBox(parent.get(), "", "balra", 0);
        EXPECT_LE(seen.right, p.left + 10);
        EXPECT_GE(seen.top, 40 - 9);
        EXPECT_LE(seen.bottom, screen.height - 40 + 10);
    }
}

TEST_F(KitDialogs, LockDialogsSetAndCheckThePassword) {
    DocumentLock lock;
    automation::SetMessageBoxHook([](const std::string&, const std::string&, unsigned) { return 1; });
    automation::SetDialogHook([](fw::TDialog& d) {
        EXPECT_EQ(d.TemplateName(), "SETPW");
        EXPECT_EQ(d.GetCaption(), "Védelem");
        d.SetItemText(211, "titok");
        d.SetItemText(212, "titok");
        d.SetItemText(213, "Kiss Anna");
        d.CheckItem(271, true);
        return kIdProtectButton;
    });
    EXPECT_TRUE(EditDocumentLock(parent.get(), lock));
    EXPECT_EQ(lock.password, "titok");
    EXPECT_EQ(lock.author, "Kiss Anna");
    EXPECT_TRUE(lock.protectSaving);

    std::string message;
    automation::SetMessageBoxHook([&](const std::string& t, const std::string&, unsigned) {
        message = t;
        return 1;
    });
    automation::SetDialogHook([](fw::TDialog& d) {
        EXPECT_EQ(d.TemplateName(), "ASKPW");
        d.SetItemText(211, "rossz");
        return 1;
    });
    EXPECT_FALSE(AskDocumentPassword(parent.get(), lock));
    EXPECT_EQ(message, "nincs felhatalmazása");
    // Cancel of the editor after the right password leaves the lock as it was.
    DocumentLock before = lock;
    int step = 0;
    automation::SetDialogHook([&](fw::TDialog& d) {
        if (step++ == 0) {
            d.SetItemText(211, "titok");
            return 1;
        }
        d.SetItemText(213, "más");
        return 2;
    });
    EXPECT_FALSE(EditDocumentLock(parent.get(), lock));
    EXPECT_EQ(lock, before);
}
