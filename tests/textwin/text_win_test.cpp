#include "framework/automation.h"
#include "framework/clipboard.h"
#include "framework/controls.h"
#include "framework/dialog.h"
#include "textwin/col_win.h"
#include "textwin/note_win.h"
#include "textwin/palette_layout.h"
#include "textwin/text_buffer.h"
#include "textwin/text_win.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <unistd.h>

using namespace curvelo;
namespace au = curvelo::fw::automation;

namespace {

class TextWinTest : public ::testing::Test {
protected:
    void SetUp() override {
        au::EnsureApplication();
        au::SetMessageBoxHook([this](const std::string& text, const std::string&, unsigned) {
            messages.push_back(text);
            return fw::kIdOk;
        });
    }
    void TearDown() override {
        au::SetMessageBoxHook({});
        au::SetDialogHook({});
        au::SetFileDialogHook({});
    }
    // The next one-line input dialogs answer these texts with "ok".
    void Answer(std::vector<std::string> answers) {
        auto queue = std::make_shared<std::vector<std::string>>(std::move(answers));
        au::SetDialogHook([queue](fw::TDialog& dlg) {
            if (queue->empty()) return fw::kIdCancel;
            dlg.SetItemText(211, queue->front());
            queue->erase(queue->begin());
            return fw::kIdOk;
        });
    }
    bool Enabled(fw::TWindow& w, int id) {
        fw::TCommandEnabler ce(id);
        w.EvCommandEnable(id, ce);
        return ce.Enabled().value_or(true);
    }
    std::vector<std::string> messages;
};

int SelStart(TTextWin& w) {
    int s = 0, e = 0;
    w.Edit()->GetSelection(s, e);
    return s;
}

}  // namespace

TEST_F(TextWinTest, CreationCutsTheTextAt64000Characters) {
    TTextWin w(nullptr, "t", "a.txt", std::string(kTextWinMaxChars + 500, 'q'), 0);
    ASSERT_TRUE(w.Create());
    EXPECT_EQ(w.Text().size(), kTextWinMaxChars);
    w.SetText(std::string(kTextWinMaxChars + 1, 'z'));
    EXPECT_EQ(w.Edit()->GetTextLength(), static_cast<int>(kTextWinMaxChars));
    EXPECT_FALSE(w.IsModified());
}

TEST_F(TextWinTest, SearchCommandsFindNextAndResetWhenNothingIsLeft) {
    TTextWin w(nullptr, "t", "a.txt", "Abc def abc", 0);
    ASSERT_TRUE(w.Create());
    EXPECT_FALSE(Enabled(w, textcmd::kNext));
    Answer({"abc"});
    w.RunCommand(textcmd::kSearch);
    EXPECT_EQ(SelStart(w), 0);  // right after refresh position 0 counts
    EXPECT_TRUE(Enabled(w, textcmd::kNext));
    w.RunCommand(textcmd::kNext);
    EXPECT_EQ(SelStart(w), 8);
    EXPECT_TRUE(messages.empty());
    w.RunCommand(textcmd::kNext);
    ASSERT_EQ(messages.size(), 1u);
    EXPECT_EQ(messages[0], "nem találom");
    EXPECT_EQ(SelStart(w), 0);
    w.RunCommand(textcmd::kNext);  // starts over at the beginning
    EXPECT_EQ(SelStart(w), 0);

    // Restart after the caret moved on: the match at 0 is found again.
    w.RunCommand(textcmd::kNext);
    w.RunCommand(textcmd::kRestart);
    w.RunCommand(textcmd::kNext);
    EXPECT_EQ(SelStart(w), 0);
}

TEST_F(TextWinTest, MatchesAfterWideCharactersAreSelectedExactly) {
    TTextWin w(nullptr, "t", "a.txt", "\U0001F600 ab \U0001F600 ab", 0);
    ASSERT_TRUE(w.Create());
    Answer({"AB"});
    w.RunCommand(textcmd::kSearch);
    int s = 0, e = 0;
    w.Edit()->GetSelection(s, e);
    EXPECT_EQ(s, 3);  // the emoji takes two positions in the control
    EXPECT_EQ(e, 5);
    w.RunCommand(textcmd::kNext);
    w.Edit()->GetSelection(s, e);
    EXPECT_EQ(s, 9);
    EXPECT_EQ(e, 11);
}

TEST_F(TextWinTest, EmptySearchTextIsRefusedAndCancelKeepsTheOldOne) {
    TTextWin w(nullptr, "t", "a.txt", "xyz", 0);
    ASSERT_TRUE(w.Create());
    Answer({""});
    w.RunCommand(textcmd::kSearch);
    ASSERT_EQ(messages.size(), 1u);
    EXPECT_EQ(messages[0], "nem tudom folytatni");
    EXPECT_FALSE(w.Search().HasNeedle());
    Answer({});  // cancel
    w.RunCommand(textcmd::kSearch);
    EXPECT_EQ(messages.size(), 1u);
}

TEST_F(TextWinTest, MinusSignRewritesHyphensOrRefusesBadCodes) {
    TTextWin w(nullptr, "t", "a.txt", "x-1", 0);
    ASSERT_TRUE(w.Create());
    Answer({"256"});
    w.RunCommand(textcmd::kMinusSign);
    ASSERT_EQ(messages.size(), 1u);
    EXPECT_EQ(messages[0], "nem értem");
    EXPECT_EQ(w.Text(), "x-1");
    Answer({"150"});
    w.RunCommand(textcmd::kMinusSign);
    EXPECT_EQ(w.Text(), "x\u20131");
}

TEST_F(TextWinTest, CopyAndCutFollowTheSelectionPasteTheClipboard) {
    TTextWin w(nullptr, "t", "a.txt", "hello world", 0);
    ASSERT_TRUE(w.Create());
    EXPECT_FALSE(Enabled(w, textcmd::kCopy));
    EXPECT_FALSE(Enabled(w, textcmd::kCut));
    w.Edit()->SetSelection(0, 6);
    EXPECT_TRUE(Enabled(w, textcmd::kCopy));
    EXPECT_TRUE(Enabled(w, textcmd::kCut));
    w.RunCommand(textcmd::kCut);
    EXPECT_EQ(w.Text(), "world");
    EXPECT_EQ(fw::clipboard::GetText(), "hello ");
    EXPECT_FALSE(Enabled(w, textcmd::kCut));
    EXPECT_TRUE(Enabled(w, textcmd::kPaste));
    w.Edit()->SetSelection(5, 5);
    w.RunCommand(textcmd::kPaste);
    EXPECT_EQ(w.Text(), "worldhello ");
    fw::clipboard::Clear();
    EXPECT_FALSE(Enabled(w, textcmd::kPaste));
    w.RunCommand(textcmd::kSelectAll);
    EXPECT_TRUE(Enabled(w, textcmd::kCopy));
}

TEST_F(TextWinTest, SaveAsThenOpenInAnotherWindowRoundTrips) {
    auto dir = std::filesystem::temp_directory_path() / ("textwin_win_" + std::to_string(::getpid()));
    std::filesystem::create_directories(dir);
    const std::string path = (dir / "jegyzet.txt").string();
    au::SetFileDialogHook([&](bool, fw::FileDialogOptions& setup) {
        setup.fileName = path;
        return true;
    });
    TTextWin a(nullptr, "t", "a.txt", "első\nmásodik", 0);
    ASSERT_TRUE(a.Create());
    a.RunCommand(textcmd::kSaveAs);
    EXPECT_EQ(a.FileName(), path);
    TTextWin b(nullptr, "t", "b.txt", "", 0);
    ASSERT_TRUE(b.Create());
    b.RunCommand(textcmd::kOpen);
    EXPECT_EQ(b.Text(), "első\nmásodik");
    EXPECT_EQ(b.FileName(), path);
    EXPECT_TRUE(messages.empty());

    std::filesystem::remove(path);
    b.RunCommand(textcmd::kOpen);
    ASSERT_EQ(messages.size(), 1u);
    EXPECT_EQ(messages[0], "nem tudom megnyitni az állományt");
    EXPECT_EQ(b.Text(), "első\nmásodik");  // a failed open keeps the text
    std::filesystem::remove_all(dir);
}

TEST_F(TextWinTest, CloseQueryAsksOnlyForEditedShownText) {
    TTextWin w(nullptr, "t", "a.txt", "abc", 0);
    ASSERT_TRUE(w.Create());
    w.Show();
    EXPECT_TRUE(w.CanClose());
    w.Edit()->SetSelection(3, 3);
    w.Edit()->Insert("d");
    ASSERT_TRUE(w.IsModified());
    int asked = 0;
    au::SetDialogHook([&](fw::TDialog&) { ++asked; return fw::kIdCancel; });
    EXPECT_FALSE(w.CanClose());
    au::SetDialogHook([&](fw::TDialog&) { ++asked; return 89; });  // "nem"
    EXPECT_TRUE(w.CanClose());
    EXPECT_EQ(asked, 2);
}

TEST_F(TextWinTest, NotepadHidesWhenDismissedAndTellsItsOwner) {
    TNoteWin note(nullptr, "/home/x/rajz.cv2", 0);
    EXPECT_EQ(note.GetCaption(), "Jegyzettömb [rajz.cv2]");
    ASSERT_TRUE(note.Create());
    note.Show();
    int dismissed = 0;
    note.SetDismissListener([&] { ++dismissed; });
    note.SetText("megjegyzés");
    note.Edit()->Insert("!");
    note.CloseWindow();
    EXPECT_FALSE(note.IsVisible());
    EXPECT_TRUE(note.IsCreated());
    EXPECT_EQ(dismissed, 1);
    EXPECT_TRUE(note.CanClose());
    note.Renew("uj.cv2");
    EXPECT_EQ(note.Text(), "");
    EXPECT_EQ(note.GetCaption(), "Jegyzettömb [uj.cv2]");
}

TEST_F(TextWinTest, PaletteClickStoresTheIndexAndTellsTheKind) {
    TColWin::Palette colours{};
    for (int i = 0; i < 25; ++i) colours[i] = {static_cast<std::uint8_t>(i * 10), 0, 0};
    int index = 3;
    int changedKind = -1;
    TColWin pal(nullptr, colours, 7, &index, [&](int kind) { changedKind = kind; });
    ASSERT_TRUE(pal.Create());
    const fw::Size client = pal.GetClientSize();
    PaletteLayout layout(client.cx, client.cy);
    ASSERT_GT(layout.CellWidth(), 0);
    PaletteRect cell = layout.CellOf(17);
    pal.ClickAt(cell.left + 1, cell.top + 1);
    EXPECT_EQ(index, 17);
    EXPECT_EQ(changedKind, 7);
    changedKind = -1;
    pal.ClickAt(3 * layout.CellWidth() + 1, 2 * layout.CellHeight() + 1);  // row 0, column 3
    EXPECT_EQ(index, 17);
    EXPECT_EQ(changedKind, -1);
}
