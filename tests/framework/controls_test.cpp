#include <gtest/gtest.h>

#include <vector>

#include "framework/automation.h"
#include "framework/clipboard.h"
#include "framework/controls.h"
#include "framework/dc.h"
#include "framework/frame_window.h"

namespace curvelo::fw {
namespace {

class Host : public TFrameWindow {
public:
    Host() : TFrameWindow(nullptr, "gazda") {}
    std::vector<std::pair<int, Notify>> notes;
    std::vector<Point> clicks;
    std::vector<std::string> dropped;
    int paints = 0;
    Size paintedSize;

protected:
    void EvNotify(int id, Notify code) override { notes.emplace_back(id, code); }
    void EvLButtonDown(unsigned, Point p) override { clicks.push_back(p); }
    void EvDropFiles(const std::vector<std::string>& paths) override { dropped = paths; }
    void Paint(DC& dc, bool, const Rect&) override {
        ++paints;
        paintedSize = dc.DeviceSize();
        dc.FillRect(GetClientRect(), {0, 0, 255});
    }
};

class ControlsTest : public ::testing::Test {
protected:
    void SetUp() override { automation::EnsureApplication(); }
};

TEST_F(ControlsTest, MultiLineEditKeepsItsLimitSelectionAndModifiedFlag) {
    Host host;
    auto* edit = new TEdit(&host, 30, "első sor\nmásodik\nharmadik", {true, false, false, false});
    host.Create();
    EXPECT_EQ(edit->Id(), 30);
    EXPECT_EQ(edit->GetLineCount(), 3);
    EXPECT_EQ(edit->GetLineFromChar(10), 1);
    EXPECT_FALSE(edit->IsModified());
    edit->SetLimit(30);
    edit->SetSelection(0, 0);
    edit->Insert(std::string(50, 'x'));  // more than the limit allows
    EXPECT_EQ(edit->GetTextLength(), 30);
    EXPECT_TRUE(edit->IsModified());
    edit->ClearModify();
    EXPECT_FALSE(edit->IsModified());

    edit->SetText("abc def");
    edit->SetSelection(4, 99);  // clamped to the text
    int s = 0, e = 0;
    edit->GetSelection(s, e);
    EXPECT_EQ(s, 4);
    EXPECT_EQ(e, 7);
    EXPECT_TRUE(edit->HasSelection());
    edit->Copy();
    EXPECT_EQ(clipboard::GetText(), "def");
    edit->Cut();
    EXPECT_EQ(edit->GetText(), "abc ");
    EXPECT_FALSE(edit->HasSelection());
    edit->Paste();
    EXPECT_EQ(edit->GetText(), "abc def");
    bool changed = false;
    for (auto& [id, code] : host.notes)
        if (id == 30 && code == Notify::EditChange) changed = true;
    EXPECT_TRUE(changed);
}

TEST_F(ControlsTest, SingleLineEditStaticAndScrollBar) {
    Host host;
    auto* edit = new TEdit(&host, 11, "pi/3", {});
    auto* label = new TStatic(&host, 12, "felirat");
    auto* bar = new TScrollBar(&host, 13, true);
    edit->SetLimit(3);
    EXPECT_EQ(edit->GetTextLength(), 3);  // shortened to the limit
    edit->SelectAll();
    EXPECT_TRUE(edit->HasSelection());
    label->SetText("új");
    EXPECT_EQ(label->GetText(), "új");
    bar->SetRange(0, 10);
    bar->SetPosition(15);
    EXPECT_EQ(bar->GetPosition(), 10);
    int lo = -1, hi = -1;
    bar->GetRange(lo, hi);
    EXPECT_EQ(lo, 0);
    EXPECT_EQ(hi, 10);
    bool scrolled = false;
    for (auto& [id, code] : host.notes)
        if (id == 13 && code == Notify::ScrollChange) scrolled = true;
    EXPECT_TRUE(scrolled);
    edit->MoveWindow({-1, -1, 51, 21});
    EXPECT_EQ(edit->GetWindowRect(), (Rect{-1, -1, 51, 21}));
    EXPECT_EQ(host.Children().size(), 3u);
    delete label;  // a control may go before its parent
    EXPECT_EQ(host.Children().size(), 2u);
}

TEST_F(ControlsTest, PaintCallbackAndMouseReachTheWindow) {
    Host host;
    host.MoveWindow({10, 10, 210, 110});
    host.Create();
    host.Show();
    automation::ProcessEvents();
    host.Invalidate();
    host.UpdateWindow();
    EXPECT_GE(host.paints, 1);
    EXPECT_EQ(host.paintedSize, host.GetClientSize());
    EXPECT_GT(host.GetClientSize().cx, 100);
    automation::Click(host, 7, 9);
    ASSERT_EQ(host.clicks.size(), 1u);
    EXPECT_EQ(host.clicks[0], (Point{7, 9}));
    host.Show(false);
}

TEST_F(ControlsTest, DroppedFilesArriveInOrderOnlyWhenAccepted) {
    Host host;
    host.Create();
    automation::DropFiles(host, {"/tmp/a.cv2"});
    EXPECT_TRUE(host.dropped.empty());
    host.DragAcceptFiles(true);
    automation::DropFiles(host, {"/tmp/b.cv3", "/tmp/a b.CV2"});
    EXPECT_EQ(host.dropped, (std::vector<std::string>{"/tmp/b.cv3", "/tmp/a b.CV2"}));
}

}  // namespace
}  // namespace curvelo::fw
