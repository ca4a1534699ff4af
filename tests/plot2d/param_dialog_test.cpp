#include <gtest/gtest.h>

#include "tests/window_test.h"

#include <cmath>
#include <cstdlib>
#include <string>
#include <unistd.h>

#include "expr/eval.h"
#include "framework/automation.h"
#include "framework/dialog.h"
#include "plot2d/example_kinds.h"
#include "plot2d/plot2_win.h"
#include "plot2d/slide_dlg.h"
#include "plotwin/colour_table.h"

using namespace curvelo;
namespace au = curvelo::fw::automation;

namespace {

constexpr int kA = 1, kB = 2;

class ParamDialogTest : public curvelo::testing::WindowTest {
protected:
    // y = a*sin(b*x) in a shown window.
    static void AddWave(TPlot2Win& w) {
        ExampleInventory& inv = w.Inventory();
        const int i = inv.Begin(kKindExplicit, -10, 10);
        inv.At(i).texts[1] = "a*sin(b*x)";
        ASSERT_EQ(inv.Commit(i, w.Engine()), 0);
    }
};

long double Letter(TPlot2Win& w, int k) { return GetLetter(w.Engine().letters, k); }

}  // namespace

TEST_F(ParamDialogTest, ScrollBarAndTypedValuesSetTheLetterAndMarkTheDocument) {
    TPlot2Win w(nullptr, "param1.cv2");
    ASSERT_TRUE(w.Create());
    w.Show();
    AddWave(w);
    w.SetModified(false);
    ASSERT_TRUE(w.RunCommand(paramcmd::kFirstLetter));  // "A ..."
    TSlideDlg* d = w.ParamDialog(kA);
    ASSERT_NE(d, nullptr);
    EXPECT_TRUE(d->IsVisible());
    EXPECT_EQ(d->GetCaption(), "aktuális A-érték");
    EXPECT_EQ(d->GetScrollPos(paramid::kBar), 50);

    d->SetScrollPos(paramid::kBar, 37);
    EXPECT_NEAR(static_cast<double>(Letter(w, kA)), -2.6, 1e-15);
    EXPECT_EQ(d->GetItemText(paramid::kValue), "-2.60000");
    EXPECT_EQ(w.GetCaption(), "param1.cv2+");

    d->SetItemText(paramid::kValue, "25");
    d->EvNotify(paramid::kValue, fw::Notify::EditEnter);
    EXPECT_EQ(Letter(w, kA), 25.0L);
    EXPECT_EQ(w.Engine().letters.LetterHigh[kA].re, 25.0L);
    EXPECT_EQ(d->GetScrollPos(paramid::kBar), 100);

    // Typed values are formulas; nonsense is refused with "nem értem" and changes nothing.
    d->SetItemText(paramid::kValue, "pi/2");
    d->EvNotify(paramid::kValue, fw::Notify::EditEnter);
    EXPECT_NEAR(static_cast<double>(Letter(w, kA)), M_PI / 2, 1e-15);
    d->SetItemText(paramid::kValue, "2+");
    d->EvNotify(paramid::kValue, fw::Notify::EditEnter);
    ASSERT_EQ(messages.size(), 1u);
    EXPECT_EQ(messages[0], "nem értem");
    EXPECT_NEAR(static_cast<double>(Letter(w, kA)), M_PI / 2, 1e-15);

    // "bal határ" above the upper bound does nothing; below it the bound moves.
    d->SetItemText(paramid::kValue, "30");
    d->EvCommand(paramid::kLowerBound);
    EXPECT_EQ(w.Engine().letters.LetterLow[kA].re, -10.0L);
    d->SetItemText(paramid::kValue, "-1");
    d->EvCommand(paramid::kLowerBound);
    EXPECT_EQ(w.Engine().letters.LetterLow[kA].re, -1.0L);
    EXPECT_EQ(Letter(w, kA), -1.0L);
    EXPECT_EQ(d->GetScrollPos(paramid::kBar), 0);

    // Closing only hides the dialog; it keeps its place for the next opening.
    d->EvCommand(fw::kIdCancel);
    EXPECT_FALSE(d->IsVisible());
    w.RunCommand(paramcmd::kFirstLetter);
    EXPECT_EQ(w.ParamDialog(kA), d);
    EXPECT_TRUE(d->IsVisible());
}

TEST_F(ParamDialogTest, AllLettersDialogAndSingleLetterDialogsTakeTurns) {
    TPlot2Win w(nullptr, "param2.cv2");
    ASSERT_TRUE(w.Create());
    w.Show();
    w.RunCommand(paramcmd::kFirstLetter + 1);  // B
    w.RunCommand(paramcmd::kAt);
    TSlideDlg* single = w.ParamDialog(kB);
    TSlideDlg* at = w.ParamDialog(kLetterAt);
    ASSERT_TRUE(single && at);
    EXPECT_EQ(at->GetCaption(), "aktuális @-érték");
    w.RunCommand(paramcmd::kAllLetters);
    TSlideDlg* all = w.ParamDialog(kAllLettersDialog);
    ASSERT_NE(all, nullptr);
    EXPECT_FALSE(single->IsVisible());
    EXPECT_TRUE(at->IsVisible());
    EXPECT_EQ(all->GetCount(paramid::kChooser), 23);

    all->SetSelIndex(paramid::kChooser, 4);  // E
    EXPECT_EQ(all->Letter(), 5);
    EXPECT_EQ(all->GetCaption(), "aktuális E-érték");
    EXPECT_EQ(all->GetItemText(paramid::kValue), "2.71828");
    all->SetScrollPos(paramid::kBar, 100);
    EXPECT_EQ(Letter(w, 5), 10.0L);

    w.RunCommand(paramcmd::kFirstLetter + 1);
    EXPECT_FALSE(all->IsVisible());
    EXPECT_TRUE(single->IsVisible());

    // While the parameters are fixed the dialogs show them but change nothing.
    w.RunCommand(paramcmd::kFixParams);
    EXPECT_FALSE(single->IsItemEnabled(paramid::kBar));
    single->SetItemText(paramid::kValue, "4");
    single->EvNotify(paramid::kValue, fw::Notify::EditEnter);
    EXPECT_EQ(Letter(w, kB), 0.0L);
    w.RunCommand(paramcmd::kFixParams);
    EXPECT_TRUE(single->IsItemEnabled(paramid::kBar));
}

TEST_F(ParamDialogTest, ScrollScaleAndFrameCountAreChecked) {
    TPlot2Win w(nullptr, "param3.cv2");
    ASSERT_TRUE(w.Create());
    w.Show();
    w.RunCommand(paramcmd::kFirstLetter);
    TSlideDlg* d = w.ParamDialog(kA);
    ASSERT_NE(d, nullptr);

    std::string small = "5", large = "10";
    au::SetDialogHook([&](fw::TDialog& dlg) {
        EXPECT_EQ(dlg.GetItemText(211), "100");
        EXPECT_EQ(dlg.GetItemText(212), "10");
        dlg.SetItemText(211, small);
        dlg.SetItemText(212, large);
        return 1;
    });
    w.RunCommand(paramcmd::kScrollScale);
    ASSERT_EQ(messages.size(), 1u);
    EXPECT_EQ(messages[0], "túl a határokon");
    EXPECT_EQ(w.Params().SmallSteps, 100);

    small = "1000";
    large = "4";
    au::SetDialogHook([&](fw::TDialog& dlg) {
        dlg.SetItemText(211, small);
        dlg.SetItemText(212, large);
        return 1;
    });
    w.RunCommand(paramcmd::kScrollScale);
    EXPECT_EQ(w.Params().SmallSteps, 1000);
    EXPECT_EQ(w.Params().PageSteps, 250);
    d->SetScrollPos(paramid::kBar, 1000);  // the open dialog's bar has the new range
    EXPECT_EQ(Letter(w, kA), 10.0L);

    d->CheckItem(paramid::kFramesOn, true);
    for (const char* count : {"2", "201", "3+"}) {
        messages.clear();
        d->SetItemText(paramid::kFrames, count);
        d->EvCommand(paramid::kPlay);
        ASSERT_EQ(messages.size(), 1u) << count;
        if (std::string(count) == "3+") EXPECT_NE(messages[0], "túl a határokon");  // the parser's own message
        else EXPECT_EQ(messages[0], "túl a határokon");
        EXPECT_TRUE(d->IsVisible());  // no animation started
    }
}

TEST_F(ParamDialogTest, FrameAnimationRestoresTheLetterAndLiveAnimationKeepsIt) {
    TPlot2Win w(nullptr, "param4.cv2");
    ASSERT_TRUE(w.Create());
    w.MoveWindow({0, 0, 300, 240});
    w.Show();
    AddWave(w);
    SetLetter(w.Engine().letters, kB, 1);
    w.RunCommand(paramcmd::kFirstLetter);
    TSlideDlg* d = w.ParamDialog(kA);
    ASSERT_NE(d, nullptr);
    d->SetItemText(paramid::kValue, "2");
    d->EvNotify(paramid::kValue, fw::Notify::EditEnter);

    // Three frames, then Q stops the playback.
    d->CheckItem(paramid::kFramesOn, true);
    d->SetItemText(paramid::kFrames, "3");
    for (int k : {'X', 'X', 'X', 'Q'}) au::PostKey(w, k);
    d->EvCommand(paramid::kRepeat);
    EXPECT_EQ(Letter(w, kA), 2.0L);
    EXPECT_TRUE(d->IsVisible());
    EXPECT_EQ(w.GetCaption(), "param4.cv2+");

    // Live: one picture, then Q; the letter keeps the value it reached.
    d->CheckItem(paramid::kFramesOn, false);
    au::PostKey(w, 'X');
    au::PostKey(w, 'Q');
    d->EvCommand(paramid::kPlay);
    EXPECT_NEAR(static_cast<double>(Letter(w, kA)), 2.2, 1e-12);
    EXPECT_EQ(d->GetItemText(paramid::kValue), "2.20000");
    EXPECT_FALSE(w.Animating());
}

TEST_F(ParamDialogTest, OnlyPicturesThatUseTheLetterAreDrawnAgain) {
    TPlot2Win w(nullptr, "param5.cv2");
    ASSERT_TRUE(w.Create());
    w.Show();
    AddWave(w);
    EXPECT_TRUE(w.DependsOnLetter(kA));
    EXPECT_TRUE(w.DependsOnLetter(kB));
    EXPECT_FALSE(w.DependsOnLetter(3));
    w.RenderLayer(0);
    ASSERT_TRUE(w.LayerValid(0));
    w.InvalidateLayer(0);
    w.ParameterChanged(3);  // C: nothing to draw again
    EXPECT_FALSE(w.LayerValid(0));
    w.ParameterChanged(kA);
    EXPECT_TRUE(w.LayerValid(0));
    // A family of A sets A itself for each curve: A's own value changes nothing there.
    w.Inventory().At(0).familyActive = 1;
    w.Inventory().At(0).familyParam = kA;
    EXPECT_FALSE(w.DependsOnLetter(kA));
    EXPECT_TRUE(w.DependsOnLetter(kB));
}

TEST_F(ParamDialogTest, LinkedWindowFollowsTheLetters) {
    TPlot2Win a(nullptr, "linka.cv2"), b(nullptr, "linkb.cv2");
    ASSERT_TRUE(a.Create());
    ASSERT_TRUE(b.Create());
    au::SetDialogHook([](fw::TDialog& dlg) {
        EXPECT_GE(dlg.GetCount(293), 2);  // "-" and at least the other window
        for (int i = 0; i < dlg.GetCount(293); ++i)
            if (dlg.GetString(293, i) == "linkb.cv2") dlg.SetSelIndex(293, i);
        return 1;
    });
    a.RunCommand(paramcmd::kLinkedWindow);
    ASSERT_EQ(a.LinkedWindow(), &b);
    b.SetLinkedWindow(&a);  // both ways: the change must not echo forever
    StoreTypedValue(a.Engine().letters, kA, 42);
    a.ParameterChanged(kA);
    EXPECT_EQ(Letter(b, kA), 42.0L);
    EXPECT_EQ(b.Engine().letters.LetterHigh[kA].re, 42.0L);
    // Where a live animation leaves the letter, the linked window follows.
    a.Show();
    a.RunCommand(paramcmd::kFirstLetter);
    au::PostKey(a, 'X');
    au::PostKey(a, 'Q');
    a.Animate(a.ParamDialog(kA), kA, AnimMode::Wrap, false, 0);
    EXPECT_NE(Letter(a, kA), 42.0L);
    EXPECT_EQ(Letter(b, kA), Letter(a, kA));
    {
        TPlot2Win c(nullptr, "linkc.cv2");
        a.SetLinkedWindow(&c);
    }
    EXPECT_EQ(a.LinkedWindow(), nullptr);  // a closed window is no longer followed
}

TEST_F(ParamDialogTest, LettersBoundsAndScrollSettingsSurviveSaveAndReopen) {
    char dir[] = "/tmp/cvparamXXXXXX";
    ASSERT_NE(mkdtemp(dir), nullptr);
    const std::string path = std::string(dir) + "/letters.cv2";
    {
        TPlot2Win w(nullptr, "letters.cv2");
        ASSERT_TRUE(w.Create());
        AddWave(w);
        StoreTypedValue(w.Engine().letters, kA, 25);
        ASSERT_TRUE(SetLowerBoundTo(w.Engine().letters, kB, -3));
        SetLetter(w.Engine().letters, kB, 0.5L);
        SetAtStep(w.Engine().letters, 0.25L);
        ParamSettings& p = w.Params();
        p.SmallSteps = 400;
        p.PageSteps = 40;
        p.AnimSpeed = 1.5625L;
        p.FrameDelay = 95;
        p.LinkedLetters[kA] = p.LinkedLetters[kB] = true;
        ASSERT_EQ(w.WriteDocument(path), 0);
    }
    TPlot2Win r(nullptr, "other.cv2");
    ASSERT_TRUE(r.Create());
    r.RunCommand(paramcmd::kFirstLetter + 1);
    ASSERT_EQ(r.OpenDocument(path), 0);
    const LetterStore& s = r.Engine().letters;
    EXPECT_EQ(GetLetter(s, kA), 25.0L);
    EXPECT_EQ(s.LetterHigh[kA].re, 25.0L);
    EXPECT_EQ(s.LetterLow[kB].re, -3.0L);
    EXPECT_EQ(GetLetter(s, kB), 0.5L);
    EXPECT_EQ(AtStep(s), 0.25L);
    const ParamSettings& p = r.Params();
    EXPECT_EQ(p.SmallSteps, 400);
    EXPECT_EQ(p.PageSteps, 40);
    EXPECT_EQ(p.AnimSpeed, 1.5625L);
    EXPECT_EQ(p.FrameDelay, 95);
    EXPECT_TRUE(p.LinkedLetters[kA] && p.LinkedLetters[kB]);
    EXPECT_FALSE(p.LinkedLetters[3]);
    // The open dialog shows the document's letter on the document's scale: 0.5 of -3..10.
    EXPECT_EQ(r.ParamDialog(kB)->GetScrollPos(paramid::kBar), 108);

    // A new drawing starts again from the defaults.
    r.SetModified(false);
    ASSERT_TRUE(r.NewDrawing());
    EXPECT_EQ(r.Params().SmallSteps, 100);
    EXPECT_FALSE(r.Params().LinkedLetters[kA]);
    std::remove(path.c_str());
    rmdir(dir);
}

namespace {

// Stops a live animation after a number of frames and keeps a copy of each frame shown.
class TFrameGrabWin : public TPlot2Win {
public:
    using TPlot2Win::TPlot2Win;
    int framesWanted = 1;
    std::vector<fw::Bitmap> shown;
    std::vector<long double> letterA;

protected:
    int NextKey() override { return static_cast<int>(shown.size()) >= framesWanted ? 'Q' : 0; }
    void DrawAnimationFrame() override {
        TPlot2Win::DrawAnimationFrame();
        if (ShownPicture()) shown.push_back(*ShownPicture());
        letterA.push_back(GetLetter(Engine().letters, 1));
    }
};

bool RowHasColour(const fw::Bitmap& b, int y, Rgb c) {
    for (int x = 0; x < b.Width(); x += 7) {
        const fw::Color p = b.GetPixel(x, y);
        if (std::abs(p.r - c.r) < 40 && std::abs(p.g - c.g) < 40 && std::abs(p.b - c.b) < 40) return true;
    }
    return false;
}

}  // namespace

TEST_F(ParamDialogTest, LiveFramesDrawTheStillCurvesOnceAndTheMovingOnesAtTheirNewValue) {
    TFrameGrabWin w(nullptr, "live.cv2");
    ASSERT_TRUE(w.Create());
    w.MoveWindow({0, 0, 320, 260});
    w.Show();
    ExampleInventory& inv = w.Inventory();
    int i = inv.Begin(kKindExplicit, -10, 10);
    inv.At(i).texts[1] = "a";
    ASSERT_EQ(inv.Commit(i, w.Engine()), 0);
    i = inv.Begin(kKindExplicit, -10, 10);
    inv.At(i).texts[1] = "-3";
    ASSERT_EQ(inv.Commit(i, w.Engine()), 0);
    // A family of A draws a line at each of its values and leaves A where its last one was.
    i = inv.Begin(kKindExplicit, -10, 10);
    inv.At(i).texts[1] = "a-10";
    inv.At(i).familyActive = 1;
    inv.At(i).familyParam = 1;
    inv.At(i).familyLow = 0;
    inv.At(i).familyHigh = 1;
    inv.At(i).familySteps = 1;
    ASSERT_EQ(inv.Commit(i, w.Engine()), 0);
    w.View().SetViewSquare(0, 0, 5);
    SetLetter(w.Engine().letters, kA, 1);
    w.framesWanted = 3;
    w.Animate(nullptr, kA, AnimMode::Bounce, false, 0);
    ASSERT_EQ(w.shown.size(), 3u);
    EXPECT_NEAR(static_cast<double>(w.letterA[2]), 1.6, 1e-12);  // steps of 0.2, not upset by the family
    EXPECT_NEAR(static_cast<double>(Letter(w, kA)), 1.6, 1e-12);
    EXPECT_EQ(w.ShownPicture(), nullptr);

    const PlotView& v = w.View();
    const fw::Bitmap& last = w.shown.back();
    const Rgb moving = ColourOf(inv.At(0).penColour), still = ColourOf(inv.At(1).penColour);
    EXPECT_TRUE(RowHasColour(last, v.ToPixelY(1.6L), moving));
    EXPECT_FALSE(RowHasColour(last, v.ToPixelY(1.2L), moving));  // the earlier frame's line is gone
    EXPECT_TRUE(RowHasColour(last, v.ToPixelY(-3), still));
}
