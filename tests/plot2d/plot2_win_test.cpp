#include "plot2d/plot2_win.h"

#include <gtest/gtest.h>

#include "tests/window_test.h"

#include <chrono>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <unistd.h>

#include "framework/automation.h"
#include "framework/bitmap.h"
#include "framework/dc.h"
#include "framework/dialog.h"
#include "framework/keys.h"
#include "framework/kit_inp_dlg.h"
#include "expr/eval.h"
#include "expr/eval_cancel.h"
#include "plot2d/cv2_codec.h"
#include "plot2d/equation_form.h"
#include "plot2d/example_kinds.h"
#include "plotwin/colour_table.h"
#include "plotwin/recording_surface.h"
#include "plotwin/text_dlg.h"
#include "textwin/note_win.h"
#include "expr/user_function.h"
#include "plotwin/func_dlg.h"
#include "plotwin/window_settings.h"
#include "framework/settings_dir.h"

using namespace curvelo;
namespace au = curvelo::fw::automation;

namespace {

class Plot2WinTest : public curvelo::testing::WindowTest {
protected:
};

bool NearColour(const fw::Bitmap& b, int x, int y, Rgb c) {
    for (int dy = -2; dy <= 2; ++dy) {
        const fw::Color p = b.GetPixel(x, y + dy);
        if (std::abs(p.r - c.r) < 40 && std::abs(p.g - c.g) < 40 && std::abs(p.b - c.b) < 40) return true;
    }
    return false;
}

}  // namespace

TEST_F(Plot2WinTest, F1WithATypedFormulaDrawsTheCurveAndMarksTheDocument) {
    TPlot2Win w(nullptr, "névtelen1.cv2");
    ASSERT_TRUE(w.Create());
    w.Show();
    int shown = 0;
    au::SetDialogHook([&](fw::TDialog& d) {
        ++shown;
        if (shown == 1) {
            d.SetItemText(eqid::kTextY, "x^2/2-1)");  // a typing error keeps the dialog open
            d.EvCommand(1);
            d.SetItemText(eqid::kTextY, "x^2/2-1");
        }
        return 1;
    });
    au::PostKey(w, fw::vk::F(1));
    au::ProcessEvents();
    ASSERT_EQ(w.Inventory().Count(), 1);
    EXPECT_EQ(messages.size(), 1u);  // the parser's message for the stray bracket
    EXPECT_EQ(w.Inventory().At(0).texts[1], "x^2/2-1");
    EXPECT_EQ(w.GetCaption(), "névtelen1.cv2+");

    w.RenderLayer(0);
    const fw::Bitmap& b = w.LayerBitmap(0);
    const PlotView& v = w.View();
    const Rgb colour = ColourOf(w.Inventory().At(0).penColour);
    for (long double x : {-2.0L, 0.5L, 1.5L})
        EXPECT_TRUE(NearColour(b, v.ToPixelX(x), v.ToPixelY(x * x / 2 - 1), colour)) << static_cast<double>(x);
    EXPECT_FALSE(NearColour(b, v.ToPixelX(1.5L), v.ToPixelY(2.5L), colour));
}

TEST_F(Plot2WinTest, CancelLeavesNoTraceAndAFullInventorySaysSo) {
    TPlot2Win w(nullptr, "t.cv2");
    ASSERT_TRUE(w.Create());
    au::SetDialogHook([](fw::TDialog&) { return 2; });
    EXPECT_EQ(w.AddExample(kKindPolar), -1);
    EXPECT_EQ(w.Inventory().Count(), 0);
    EXPECT_EQ(w.Inventory().CreationCounter(), 0u);

    au::SetDialogHook([](fw::TDialog&) { return 1; });
    while (w.Inventory().HasRoom()) ASSERT_GE(w.AddExample(kKindParametric), 0);
    EXPECT_TRUE(messages.empty());
    EXPECT_EQ(w.AddExample(kKindExplicit), -1);
    ASSERT_EQ(messages.size(), 1u);
    EXPECT_EQ(messages[0], "nincs hely");
}

TEST_F(Plot2WinTest, SavedDrawingReopensAsItWasAndABadFileChangesNothing) {
    const std::string dir = ::testing::TempDir();
    const std::string path = dir + "/rajz.cv2";
    {
        TPlot2Win w(nullptr, "névtelen1.cv2");
        w.SetDocumentWindow(true);  // with a notepad
        ASSERT_TRUE(w.Create());
        ASSERT_NE(w.Notepad(), nullptr);
        w.Notepad()->SetText("jegyzet: ő és ű");
        DefineUserFunction(w.Engine(), "NEV", "x^2+1", 1);
        ExampleInventory& inv = w.Inventory();
        int i = inv.Begin(kKindExplicit, -5, 5);
        inv.At(i).texts[1] = "a*sin(x)";
        inv.Commit(i, w.Engine());
        inv.Slot(i).name = "szinusz ő";
        i = inv.Begin(kKindPolar, 0, 6.283185307179586L);
        inv.At(i).texts[2] = "1+cos(t)";
        inv.At(i).visible = 0;
        inv.Commit(i, w.Engine());
        SetLetter(w.Engine().letters, 1, 2.5L);  // A
        w.View().SetViewSquare(1.5L, -0.5L, 3.0L);
        w.Frame().spacingX = 0.5L;
        w.Frame().axisTitles[0] = "idő";
        w.Print() = {-6, 1.25L, 0.75L, 0.5L, 1, 0};  // by horizontal interval, framed, black
        TextLabel label;
        label.text = "maximum ő";
        label.x = 1.5L;
        label.anchor = TextLabel::kAnchorWindow;
        w.Labels().push_back(label);
        label.text = "-x";
        label.opaque = 0;
        label.anchor = TextLabel::kAnchorPlane;
        label.font.faceName = "DejaVu Serif";
        label.font.height = -20;
        label.font.weight = 700;
        label.pointSize = 15;
        w.Labels().push_back(label);
        ASSERT_EQ(w.WriteDocument(path), 0);
    }
    TPlot2Win r(nullptr, "névtelen2.cv2");
    r.SetDocumentWindow(true);
    ASSERT_TRUE(r.Create());
    ASSERT_EQ(r.ReadDocument(path), 0);
    EXPECT_EQ(r.Notepad()->Text(), "jegyzet: ő és ű");
    ASSERT_EQ(r.Engine().userFunctions.Size(), 1u);
    EXPECT_EQ(r.Engine().userFunctions[0].Definition(), "X^2+1");
    ExampleInventory& inv = r.Inventory();
    ASSERT_EQ(inv.Count(), 2);
    EXPECT_EQ(inv.At(0).texts[1], "a*sin(x)");
    EXPECT_EQ(inv.Slot(0).name, "szinusz ő");
    EXPECT_EQ(inv.At(1).visible, 0);
    EXPECT_NE(inv.Slot(1).trees[0], nullptr);  // compiled again: r cos t
    EXPECT_EQ(GetLetter(r.Engine().letters, 1), 2.5L);
    EXPECT_EQ(r.View().cx, 1.5L);
    EXPECT_EQ(r.View().hw, 3.0L);
    EXPECT_EQ(r.Frame().spacingX, 0.5L);
    EXPECT_EQ(r.Frame().axisTitles[0], "idő");
    EXPECT_FALSE(r.Print().UsesWidth());
    EXPECT_EQ(r.Print().interval, 0.5L);
    EXPECT_EQ(r.Print().left, 1.25L);
    EXPECT_EQ(r.Print().top, 0.75L);
    EXPECT_EQ(r.Print().frame, 1);
    EXPECT_EQ(r.Print().colour, 0);
    ASSERT_EQ(r.Labels().size(), 2u);
    EXPECT_EQ(r.Labels()[0].text, "maximum ő");
    EXPECT_EQ(r.Labels()[0].x, 1.5L);
    EXPECT_EQ(r.Labels()[0].anchor, TextLabel::kAnchorWindow);
    EXPECT_TRUE(r.Labels()[0].font.faceName.empty());
    EXPECT_EQ(r.Labels()[1].text, "-x");
    EXPECT_EQ(r.Labels()[1].opaque, 0);
    EXPECT_EQ(r.Labels()[1].anchor, TextLabel::kAnchorPlane);
    EXPECT_EQ(r.Labels()[1].font.faceName, "DejaVu Serif");
    EXPECT_EQ(r.Labels()[1].font.height, -20);
    EXPECT_EQ(r.Labels()[1].font.weight, 700);
    EXPECT_EQ(r.Labels()[1].pointSize, 15);

    // The same bytes once more: nothing the window does not use was lost.
    const std::string again = dir + "/rajz2.cv2";
    ASSERT_EQ(r.WriteDocument(again), 0);
    Cv2Document a, b;
    ASSERT_EQ(LoadCv2File(path, kFileType2D, a), 0);
    ASSERT_EQ(LoadCv2File(again, kFileType2D, b), 0);
    b.placement = a.placement;  // the second window stands elsewhere on the screen
    EXPECT_EQ(WriteCv2(a), WriteCv2(b));

    const std::string bad = dir + "/rossz.cv2";
    { std::FILE* f = std::fopen(bad.c_str(), "wb"); std::fputs("nem rajz", f); std::fclose(f); }
    EXPECT_EQ(r.ReadDocument(bad), 11);
    EXPECT_EQ(r.Inventory().Count(), 2);
    EXPECT_EQ(r.View().cx, 1.5L);

    // A page layout no dialog could make (both measures in use, no margin) is not taken.
    a.pageMeasures = {2, 5, 0, 1};
    const std::string odd = dir + "/furcsa.cv2";
    ASSERT_EQ(SaveCv2File(odd, a), 0);
    ASSERT_EQ(r.ReadDocument(odd), 0);
    EXPECT_EQ(r.Print().interval, 0.5L);
    EXPECT_EQ(r.Print().left, 1.25L);
}

TEST_F(Plot2WinTest, TextModeClicksPlaceAndEditLabelsAndTheAnchorDecidesWhetherTheyPan) {
    TPlot2Win w(nullptr, "t.cv2");
    ASSERT_TRUE(w.Create());
    w.Show();
    int dialogs = 0;
    std::string shownText;
    au::SetDialogHook([&](fw::TDialog& d) {
        ++dialogs;
        shownText = d.GetItemText(textdlg::kText);
        if (!shownText.empty()) return 2;
        d.SetItemText(textdlg::kText, dialogs == 1 ? "ábra" : "fix");
        d.CheckItem(textdlg::kPlane, dialogs == 1);
        d.CheckItem(textdlg::kFix, dialogs != 1);
        return 1;
    });
    au::Click(w, 100, 100);  // not in the text mode: no label
    EXPECT_EQ(dialogs, 0);
    w.RunCommand(mousecmd::kTextMode);
    EXPECT_TRUE(w.TextMode());
    au::Click(w, 100, 100);
    au::Click(w, 100, 200);
    ASSERT_EQ(w.Labels().size(), 2u);
    EXPECT_NE(w.Labels()[0].key, w.Labels()[1].key);
    au::Click(w, 103, 203);  // on the second label: edits it
    EXPECT_EQ(dialogs, 3);
    EXPECT_EQ(shownText, "fix");
    EXPECT_EQ(w.Labels().size(), 2u);

    const fw::Rect plane = w.LabelRect(w.Labels()[0]), fixed = w.LabelRect(w.Labels()[1]);
    w.RunCommand(323);  // pan right
    EXPECT_NE(w.LabelRect(w.Labels()[0]).left, plane.left);
    EXPECT_EQ(w.LabelRect(w.Labels()[1]).left, fixed.left);
    EXPECT_EQ(w.LabelRect(w.Labels()[1]).top, fixed.top);

    w.RunCommand(mousecmd::kTextMode);
    au::Click(w, 300, 100);
    EXPECT_EQ(dialogs, 3);

    // Labels are drawn over the curves, not hidden under them.
    int i = w.Inventory().Begin(kKindExplicit, -5, 5);
    w.Inventory().At(i).texts[1] = "x";
    w.Inventory().Commit(i, w.Engine());
    RecordingSurface rec(w.View());
    fw::Bitmap bitmap(100, 100);
    fw::DC dc(bitmap);
    w.PaintPicture(rec, dc, false);
    int lastCurve = -1, firstLabel = -1;
    for (int k = 0; k < static_cast<int>(rec.Ops().size()); ++k) {
        const DrawOp& op = rec.Ops()[static_cast<std::size_t>(k)];
        if (op.kind == DrawOp::kPolyline) lastCurve = k;
        if (op.kind == DrawOp::kLabel && op.text == "ábra" && firstLabel < 0) firstLabel = k;
    }
    EXPECT_GE(lastCurve, 0);
    EXPECT_GT(firstLabel, lastCurve);
}

TEST_F(Plot2WinTest, DefiningAFunctionRecompilesTheEquationsThatCallIt) {
    TPlot2Win w(nullptr, "t.cv2");
    ASSERT_TRUE(w.Create());
    ExampleInventory& inv = w.Inventory();
    const int i = inv.Begin(kKindExplicit, -5, 5);
    inv.At(i).texts[1] = "nev(x)+1";
    inv.Commit(i, w.Engine());  // not defined yet: NEV(X) reads as the letters N, E, V times (x)

    std::vector<std::string> lines;
    au::SetDialogHook([&](fw::TDialog& d) {
        d.SetItemText(fnid::kName, "sin");
        d.SetItemText(fnid::kDefinitionX, "x");
        d.EvCommand(fnid::kDefine);  // a keyword's name: 522
        d.SetItemText(fnid::kName, "nev");
        d.SetItemText(fnid::kDefinitionX, "x^2");
        d.EvCommand(fnid::kDefine);
        for (int k = 0; k < d.GetCount(fnid::kList); ++k) lines.push_back(d.GetString(fnid::kList, k));
        EXPECT_EQ(d.GetItemText(fnid::kName), "");  // cleared for the next one
        return 2;
    });
    w.RunCommand(funccmd::kUserFunctions);
    ASSERT_EQ(messages.size(), 1u);
    EXPECT_EQ(messages[0], "a címke megkétszerezése");
    ASSERT_EQ(lines.size(), 1u);
    EXPECT_EQ(lines[0], "NEV(X) = X^2");

    ExprNode* tree = inv.Slot(i).trees[1];
    ASSERT_NE(tree, nullptr);
    SetLetter(w.Engine().letters, 24, 3.0L);
    ASSERT_TRUE(EvalNode(w.Engine(), tree));
    EXPECT_EQ(tree->value.re, 10.0L);
    EXPECT_EQ(w.GetCaption(), "t.cv2+");
}

TEST_F(Plot2WinTest, NewDrawingAsksFirstAndCancelKeepsEverything) {
    TPlot2Win w(nullptr, "névtelen3.cv2");
    ASSERT_TRUE(w.Create());
    w.SetDocumentWindow(true);
    au::SetDialogHook([](fw::TDialog&) { return 1; });
    ASSERT_EQ(w.AddExample(kKindExplicit), 0);
    ASSERT_TRUE(w.IsModified());

    au::SetDialogHook([](fw::TDialog&) { return fw::kIdCancel; });
    EXPECT_FALSE(w.NewDrawing());
    EXPECT_EQ(w.Inventory().Count(), 1);

    au::SetDialogHook([](fw::TDialog&) { return 89; });  // the "nem" button of the question
    EXPECT_TRUE(w.NewDrawing());
    EXPECT_EQ(w.Inventory().Count(), 0);
    EXPECT_FALSE(w.IsModified());
    EXPECT_EQ(w.GetCaption(), "névtelen3.cv2");
}

TEST_F(Plot2WinTest, SettingsFileCarriesPlacementPrintSetupAndTheLastDocument) {
    // A folder of its own: other tests of the run start the program, which writes cv2.ini too.
    const std::string folder = ::testing::TempDir() + "/settings-" + std::to_string(::getpid());
    ::setenv("CURVELO_CONFIG_DIR", folder.c_str(), 1);
    const std::string ini = fw::SettingsDirectory() + "/cv2.ini";
    std::remove(ini.c_str());
    const std::string doc = ::testing::TempDir() + "/utolso.cv2";
    {
        TPlot2Win w(nullptr, "névtelen1.cv2");
        w.SetStartOptions(false, true, "");
        ASSERT_TRUE(w.Create());
        w.MoveWindow({50, 60, 650, 460});
        w.Print().width = 3.5L;
        *w.ColourSlot(kColourKindBackground) = 22;
        au::SetDialogHook([](fw::TDialog&) { return 1; });
        ASSERT_EQ(w.AddExample(kKindExplicit), 0);
        ASSERT_EQ(w.WriteDocument(doc), 0);
        w.SetFileName(doc);
        w.Destroy();
    }
    ASSERT_TRUE(LoadWindowSettingsFile(ini, kSettingsKind2D));

    TPlot2Win again(nullptr, "névtelen2.cv2");
    again.SetStartOptions(true, true, "");  // open the last edited document
    ASSERT_TRUE(again.Create());
    EXPECT_EQ(again.Print().width, 3.5L);
    EXPECT_EQ(again.BackgroundColour(), 22);
    EXPECT_EQ(again.Inventory().Count(), 1);
    EXPECT_EQ(again.GetCaption(), "utolso.cv2");

    TPlot2Win plain(nullptr, "névtelen3.cv2");
    plain.SetStartOptions(false, false, "");  // "use the default settings"
    ASSERT_TRUE(plain.Create());
    EXPECT_EQ(plain.BackgroundColour(), kColourWhite);
    EXPECT_EQ(plain.Print().width, PrintSetup().width);
}

TEST_F(Plot2WinTest, LockedDocumentKeepsItsLockAndAsksBeforeProtectedChanges) {
    const std::string path = ::testing::TempDir() + "/vedett.cv2";
    {
        TPlot2Win w(nullptr, "t.cv2");
        ASSERT_TRUE(w.Create());
        DocumentLock& lock = w.Lock();
        lock.password = "titok";
        lock.protectInventory = true;
        lock.protectSaving = true;
        lock.author = "Kovács Éva";
        au::SetDialogHook([](fw::TDialog& d) {
            d.SetItemText(211, "titok");
            return 1;
        });
        ASSERT_EQ(w.WriteDocument(path), 0);  // asks once, the right password
    }
    TPlot2Win r(nullptr, "u.cv2");
    ASSERT_TRUE(r.Create());
    ASSERT_EQ(r.ReadDocument(path), 0);
    EXPECT_EQ(r.Lock().password, "titok");
    EXPECT_TRUE(r.Lock().protectInventory);
    EXPECT_FALSE(r.Lock().showAuthor);
    EXPECT_EQ(r.Lock().author, "Kovács Éva");

    int asked = 0;
    au::SetDialogHook([&](fw::TDialog& d) {
        ++asked;
        d.SetItemText(211, "rossz");
        return 1;
    });
    EXPECT_EQ(r.AddExample(kKindExplicit), -1);
    EXPECT_EQ(r.WriteDocument(path), -1);
    EXPECT_EQ(asked, 2);
    ASSERT_EQ(messages.size(), 2u);
    EXPECT_EQ(messages[0], "nincs felhatalmazása");
    r.RunCommand(doccmd::kAuthor);  // the author data is not to be shown
    EXPECT_EQ(messages.size(), 3u);

    au::SetDialogHook([&](fw::TDialog& d) {
        if (d.TemplateName() == "ASKPW") d.SetItemText(211, "titok");
        return 1;
    });
    EXPECT_EQ(r.AddExample(kKindExplicit), 0);
    EXPECT_EQ(r.Inventory().Count(), 1);
}

TEST_F(Plot2WinTest, DerivativeCurveIsAppendedAsAnOrdinaryExample) {
    TPlot2Win w(nullptr, "t.cv2");
    ASSERT_TRUE(w.Create());
    ExampleInventory& inv = w.Inventory();
    int i = inv.Begin(kKindExplicit, -5, 5);
    inv.At(i).texts[1] = "x^3-2x";
    inv.Commit(i, w.Engine());
    const int d = w.DeriveExample(i);
    ASSERT_EQ(d, 1);
    EXPECT_EQ(inv.Slot(d).name, "(x^3-2x)'");
    ExprNode* tree = inv.Slot(d).trees[1];
    ASSERT_NE(tree, nullptr);
    SetLetter(w.Engine().letters, kLetterX, 2.0L);
    ASSERT_TRUE(EvalNode(w.Engine(), tree));
    EXPECT_NEAR(static_cast<double>(tree->value.re), 10.0, 1e-15);  // 3x^2 - 2 at 2
    // Its text compiles again, so a saved document keeps the curve.
    EXPECT_EQ(w.Engine().CompileFormula(inv.At(d).texts[1]), 0);
    FreeTree(w.Engine().TakeCompiledTree());

    i = inv.Begin(kKindParametric, 0, 6.283185307179586L);
    inv.Commit(i, w.Engine());
    const int p = w.DeriveExample(i);
    ASSERT_GE(p, 0);
    EXPECT_EQ(inv.At(p).kind, kKindParametric);
    SetLetter(w.Engine().letters, kLetterT, 0.0L);
    ASSERT_TRUE(EvalNode(w.Engine(), inv.Slot(p).trees[1]));  // (3 sin 4t)' = 12 cos 4t
    EXPECT_NEAR(static_cast<double>(inv.Slot(p).trees[1]->value.re), 12.0, 1e-15);
}

TEST_F(Plot2WinTest, InventorySizeCanGrowButNeverBelowItsExamples) {
    TPlot2Win w(nullptr, "t.cv2");
    ASSERT_TRUE(w.Create());
    for (int k = 0; k < 3; ++k) w.Inventory().Commit(w.Inventory().Begin(kKindExplicit, -5, 5), w.Engine());
    std::string answer = "2";
    au::SetDialogHook([&](fw::TDialog& d) {
        d.SetItemText(kIdFirstEdit, answer);
        return 1;
    });
    w.RunCommand(invcmd::kResizeInventory);
    EXPECT_EQ(w.Inventory().Capacity(), kDefaultInventoryCapacity);
    ASSERT_EQ(messages.size(), 1u);
    EXPECT_EQ(messages[0], "túl a határokon");
    answer = "25*2";
    w.RunCommand(invcmd::kResizeInventory);
    EXPECT_EQ(w.Inventory().Capacity(), 50);
    EXPECT_EQ(w.Inventory().Count(), 3);
}

TEST_F(Plot2WinTest, SimultaneousPrintingPutsSeveralDocumentsOnOnePage) {
    const std::string dir = ::testing::TempDir();
    const std::string left = dir + "/bal.cv2", right = dir + "/jobb.cv2";
    {
        TPlot2Win w(nullptr, "a.cv2");
        ASSERT_TRUE(w.Create());
        w.Inventory().Commit(w.Inventory().Begin(kKindExplicit, -5, 5), w.Engine());
        w.Print().width = 3;
        w.Print().left = 0.5L;
        ASSERT_EQ(w.WriteDocument(left), 0);
        w.Print().left = 4;
        w.Inventory().At(0).texts[1] = "cos(x)";
        ASSERT_EQ(w.WriteDocument(right), 0);
    }
    TPlot2Win w(nullptr, "b.cv2");
    ASSERT_TRUE(w.Create());
    const std::string pdf = dir + "/egyutt.pdf";
    EXPECT_TRUE(w.PrintSimultaneously({left, right}, 0, pdf));
    std::FILE* f = std::fopen(pdf.c_str(), "rb");
    ASSERT_NE(f, nullptr);
    char head[5] = {};
    EXPECT_EQ(std::fread(head, 1, 4, f), 4u);
    std::fclose(f);
    EXPECT_STREQ(head, "%PDF");
    EXPECT_EQ(w.GetCaption(), "jobb.cv2");  // the last document stays open
    EXPECT_EQ(w.Inventory().At(0).texts[1], "cos(x)");
    EXPECT_FALSE(w.PrintSimultaneously({left, dir + "/nincs.cv2"}, 0, dir + "/hianyos.pdf"));
}

TEST_F(Plot2WinTest, EquationLabelsFollowTheirExamplesIntoTheDocument) {
    TPlot2Win w(nullptr, "t.cv2");
    ASSERT_TRUE(w.Create());
    w.Show();
    ExampleInventory& inv = w.Inventory();
    for (const char* text : {"x^2/4", "sin(x)+2"}) {
        const int i = inv.Begin(kKindExplicit, -5, 5);
        inv.At(i).texts[1] = text;
        inv.Commit(i, w.Engine());
    }
    fw::TCommandEnabler none(exmpcmd::kHideAllEquationLabels);
    w.EvCommandEnable(exmpcmd::kHideAllEquationLabels, none);
    EXPECT_EQ(none.Enabled(), false);

    w.ToggleEquationLabel(1);
    ASSERT_EQ(w.EquationLabels().size(), 1u);
    const TextLabel& label = w.EquationLabels()[0];
    EXPECT_EQ(label.key, 1);
    EXPECT_EQ(label.text, "y = sin(x)+2");
    EXPECT_NEAR(static_cast<double>(label.y), std::sin(static_cast<double>(label.x)) + 2, 1e-9);  // on the curve
    EXPECT_TRUE(w.IsModified());

    // The label is drawn in the curve's colour (red) just right of and below its point.
    const PlotView& v = w.View();
    ASSERT_EQ(ColourOf(inv.At(1).penColour).r, 255);
    const auto inkOfCurveColour = [&] {
        w.RenderLayer(0);
        const fw::Bitmap& b = w.LayerBitmap(0);
        int ink = 0;
        for (int y = v.ToPixelY(label.y) + 6; y < v.ToPixelY(label.y) + 16; ++y)
            for (int x = v.ToPixelX(label.x) + 2; x < v.ToPixelX(label.x) + 70; ++x)
                if (const fw::Color p = b.GetPixel(x, y); p.r >= p.g + 60 && p.r >= p.b + 60) ++ink;  // reddish
        return ink;
    };
    const int shown = inkOfCurveColour();
    w.RunCommand(exmpcmd::kHideAllEquationLabels);
    const int hidden = inkOfCurveColour();  // the curve itself crosses the box too
    EXPECT_GT(shown, hidden + 30);
    w.RunCommand(exmpcmd::kHideAllEquationLabels);

    const std::string path = ::testing::TempDir() + "/cimkek.cv2";
    ASSERT_EQ(w.WriteDocument(path), 0);
    w.RemoveExample(0);  // the label's example moves up a slot and the label with it
    ASSERT_EQ(w.EquationLabels().size(), 1u);
    EXPECT_EQ(w.EquationLabels()[0].key, 0);
    w.RemoveExample(0);
    EXPECT_TRUE(w.EquationLabels().empty());

    TPlot2Win r(nullptr, "r.cv2");
    ASSERT_TRUE(r.Create());
    ASSERT_EQ(r.ReadDocument(path), 0);
    ASSERT_EQ(r.EquationLabels().size(), 1u);
    EXPECT_EQ(r.EquationLabels()[0].key, 1);
    r.ToggleEquationLabel(1);  // a second use hides it
    EXPECT_EQ(r.EquationLabels()[0].shown, 0);
}

namespace {

// Counts the paints that come while the picture is still being drawn.
class WatchingWin : public TPlot2Win {
public:
    using TPlot2Win::TPlot2Win;
    int paintsWhileDrawing = 0;
    bool drawing = false;
    void Redraw() {
        drawing = true;
        RepaintAll();
        drawing = false;
    }

protected:
    void Paint(fw::DC& dc, bool erase, const fw::Rect& rect) override {
        if (drawing) ++paintsWhileDrawing;
        TPlot2Win::Paint(dc, erase, rect);
    }
};

}  // namespace

TEST_F(Plot2WinTest, WatchedFamilyPutsEachPassOnTheScreen) {
    WatchingWin w(nullptr, "t.cv2");
    ASSERT_TRUE(w.Create());
    w.Show();
    au::ProcessEvents();
    ExampleInventory& inv = w.Inventory();
    const int i = inv.Begin(kKindExplicit, -5, 5);
    inv.At(i).texts[1] = "a*sin(x)";
    inv.At(i).familyActive = 1;
    inv.At(i).familySteps = 3;  // not watched: one picture at the end
    inv.At(i).familyDelay = 0;
    inv.Commit(i, w.Engine());
    w.Redraw();
    EXPECT_EQ(w.paintsWhileDrawing, 0);
    inv.At(i).familySteps = -3;  // watched: 4 passes, each but the last shown when it ends
    w.Redraw();
    EXPECT_GE(w.paintsWhileDrawing, 3);
}

TEST_F(Plot2WinTest, QStopsADrawingInsideOneLongEvaluation) {
    TPlot2Win w(nullptr, "hosszu.cv2");
    ASSERT_TRUE(w.Create());
    w.Show();
    ExampleInventory& inv = w.Inventory();
    const int i = inv.Begin(kKindExplicit, -5, 5);
    inv.At(i).texts[1] = "sum(1,n,1,2000000000)";  // one sample alone takes many seconds
    inv.Commit(i, w.Engine());
    au::PostKey(w, 'Q');
    const auto start = std::chrono::steady_clock::now();
    w.RenderLayer(0);
    EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(3));
    // The stop does not linger: the next evaluation runs in full.
    long double v = 0;
    EXPECT_EQ(EvaluateText(w.Engine(), "sum(n,n,1,10000)", v), 0);
    EXPECT_EQ(v, 50005000.0L);
    EXPECT_FALSE(EvalCancelled(w.Engine().letters));
}

TEST_F(Plot2WinTest, DamagedFrameCountsAreClampedOnReading) {
    Cv2Document doc;
    doc.plotWords[12] = 0x7FFF;  // polar sectors
    doc.plotWords[13] = 0xFFFF;  // decimals x: -1
    doc.plotWords[16] = 0;       // number frequency x
    doc.plotWords[17] = 0x7FFF;  // number frequency y
    doc.plotWords[28] = 0x7FFF;  // tick length
    const std::string path = ::testing::TempDir() + "/keret.cv2";
    ASSERT_EQ(SaveCv2File(path, doc), 0);
    TPlot2Win w(nullptr, "keret.cv2");
    ASSERT_TRUE(w.Create());
    ASSERT_EQ(w.ReadDocument(path), 0);
    const FrameSettings& f = w.Frame();
    EXPECT_EQ(f.polarSectors, 360);
    EXPECT_EQ(f.decimalsX, 0);
    EXPECT_EQ(f.frequencyX, 1);
    EXPECT_EQ(f.frequencyY, 10000);
    EXPECT_EQ(f.tickLength, 10000);
}

TEST_F(Plot2WinTest, APaintLeavesTheDrawingToTheEventLoop) {
    // Drawn inside a paint event, a slow picture could not poll for Q: the paint only shows
    // what there is and asks for the drawing, which runs next from the event loop (where
    // QStopsADrawingInsideOneLongEvaluation shows Q working).
    TPlot2Win w(nullptr, "kesobb.cv2");
    ASSERT_TRUE(w.Create());
    ExampleInventory& inv = w.Inventory();
    const int i = inv.Begin(kKindExplicit, -5, 5);
    inv.At(i).texts[1] = "sin(x)";
    inv.Commit(i, w.Engine());
    w.InvalidateAllLayers();
    w.Show();
    w.UpdateWindow();
    EXPECT_FALSE(w.LayerValid(0));
    for (int k = 0; k < 20 && !w.LayerValid(0); ++k) au::ProcessEvents();
    EXPECT_TRUE(w.LayerValid(0));
}

TEST_F(Plot2WinTest, AnEgyebLabelFollowsItsPointExample) {
    TPlot2Win w(nullptr, "t.cv2");
    ASSERT_TRUE(w.Create());
    w.Show();
    ExampleInventory& inv = w.Inventory();
    int i = inv.Begin(kKindExplicit, -5, 5);  // not a point: not offered
    inv.At(i).texts[1] = "x";
    inv.Commit(i, w.Engine());
    const int point = inv.Begin(kKindPoint, 0, 1);
    inv.At(point).texts[0] = "1";
    inv.At(point).texts[1] = "2";
    inv.Commit(point, w.Engine());
    int rows = -1;
    au::SetDialogHook([&](fw::TDialog& d) {
        rows = d.GetCount(textdlg::kPointList);
        d.SetItemText(textdlg::kText, "P");
        d.CheckItem(textdlg::kFix, false);
        d.CheckItem(textdlg::kPlane, false);
        d.CheckItem(textdlg::kPoint, true);
        d.SetSelIndex(textdlg::kPointList, 0);
        return 1;
    });
    w.RunCommand(mousecmd::kTextMode);
    au::Click(w, 100, 100);
    au::SetDialogHook({});
    EXPECT_EQ(rows, 1);
    ASSERT_EQ(w.Labels().size(), 1u);
    EXPECT_EQ(w.Labels()[0].anchor, 0);
    const fw::Rect before = w.LabelRect(w.Labels()[0]);
    // The point moves one unit right: the label goes with it, by one unit's pixels.
    inv.At(point).texts[0] = "2";
    inv.Compile(point, w.Engine());
    const fw::Rect after = w.LabelRect(w.Labels()[0]);
    const long double unit = 1 / w.View().upx;
    EXPECT_NEAR(static_cast<double>(after.left - before.left), static_cast<double>(unit), 1.0);
    EXPECT_EQ(after.top, before.top);
}
