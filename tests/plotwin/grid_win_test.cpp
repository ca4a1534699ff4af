#include "framework/automation.h"
#include "framework/dc.h"
#include "framework/dialog.h"
#include "framework/dialog_template.h"
#include "framework/kit_msg_dlg.h"
#include "plotwin/dialog_ids.h"
#include "plotwin/grid_win.h"
#include "textwin/col_win.h"
#include "textwin/note_win.h"
#include "textwin/palette_layout.h"

#include <gtest/gtest.h>

#include "tests/window_test.h"

#include <cmath>
#include <filesystem>
#include <fstream>
#include <unistd.h>

using namespace curvelo;
namespace au = curvelo::fw::automation;

namespace {

class GridWinTest : public curvelo::testing::WindowTest {
protected:
    static bool Enabled(fw::TWindow& w, int id) {
        fw::TCommandEnabler ce(id);
        w.EvCommandEnable(id, ce);
        return ce.Enabled().value_or(true);
    }
    static bool Checked(fw::TWindow& w, int id) {
        fw::TCommandEnabler ce(id);
        w.EvCommandEnable(id, ce);
        return ce.Checked().value_or(false);
    }
};

}  // namespace

TEST_F(GridWinTest, TitleFollowsTheDocumentNameAndItsChanges) {
    struct DocumentWin : TGridWin {
        using TGridWin::TGridWin;
        bool HasDocumentFormat() const override { return true; }
    };
    DocumentWin w(nullptr, "névtelen1.cv2");
    ASSERT_TRUE(w.Create());
    w.RefreshTitle();
    EXPECT_EQ(w.GetCaption(), "névtelen1.cv2");
    w.SetModified(true);
    EXPECT_EQ(w.GetCaption(), "névtelen1.cv2+");
    w.SetFileName("/tmp/rajz/kor.cv2");
    EXPECT_EQ(w.GetCaption(), "kor.cv2+");
    // A picture without documents never claims unsaved changes.
    TGridWin picture(nullptr, "kép");
    ASSERT_TRUE(picture.Create());
    picture.SetModified(true);
    EXPECT_EQ(picture.GetCaption(), "kép");
}

TEST_F(GridWinTest, ViewCommandsReachTheViewAndTheHistoryEnablesLastView) {
    TGridWin w(nullptr, "v.cv2");
    ASSERT_TRUE(w.Create());
    const long double hw = w.View().hw;
    EXPECT_FALSE(Enabled(w, 111));
    EXPECT_FALSE(Enabled(w, 117));  // equal units already
    w.RunCommand(106);              // zoom out
    EXPECT_NEAR(static_cast<double>(w.View().hw), static_cast<double>(hw * 1.01L), 1e-12);
    EXPECT_TRUE(w.IsModified());
    EXPECT_TRUE(Enabled(w, 111));
    w.RunCommand(323);  // pan right moves the view to positive x
    EXPECT_GT(w.View().cx, 0);
    w.RunCommand(111);
    w.RunCommand(111);
    EXPECT_NEAR(static_cast<double>(w.View().hw), static_cast<double>(hw), 1e-12);
    EXPECT_FALSE(Enabled(w, 111));

    w.Frame().spacingX = 0.5;
    w.RunCommand(106);
    w.RunCommand(103);  // reset brings the view and the tick spacing back
    EXPECT_EQ(w.View().hw, 5);
    EXPECT_EQ(w.Frame().spacingX, 1);
    EXPECT_FALSE(w.View().HasHistory());
}

TEST_F(GridWinTest, FrameTogglesAreCheckedInTheMenu) {
    TGridWin w(nullptr, "t.cv2");
    ASSERT_TRUE(w.Create());
    EXPECT_FALSE(Checked(w, 109));
    w.RunCommand(109);
    EXPECT_TRUE(w.Frame().axesShown);
    EXPECT_TRUE(Checked(w, 109));
    const bool opaque = Checked(w, 220);
    w.RunCommand(220);
    EXPECT_NE(Checked(w, 220), opaque);
}

TEST_F(GridWinTest, WidthDialogRefusesNonPositiveValues) {
    TGridWin w(nullptr, "t.cv2");
    ASSERT_TRUE(w.Create());
    au::SetDialogHook([](fw::TDialog& d) { d.SetItemText(211, "0"); return fw::kIdOk; });
    w.RunCommand(100);
    ASSERT_EQ(messages.size(), 1u);
    EXPECT_EQ(messages[0], "pozitív érték?");
    EXPECT_EQ(w.Frame().axisWidthScreen, 1);
    au::SetDialogHook([](fw::TDialog& d) { d.SetItemText(211, "3"); return fw::kIdOk; });
    w.RunCommand(151);
    EXPECT_EQ(w.Frame().gridWidthPrint, 3);
}

TEST_F(GridWinTest, FontCommandChangesTheFontOfItsKind) {
    TGridWin w(nullptr, "t.cv2");
    ASSERT_TRUE(w.Create());
    au::SetFontDialogHook([](fw::LogFont& f) { f.faceName = "Courier New"; f.height = -20; return true; });
    w.RunCommand(65);  // axis titles
    EXPECT_EQ(w.Font(5).faceName, "Courier New");
    EXPECT_NE(w.Font(1).faceName, "Courier New");
}

TEST_F(GridWinTest, AxisColourIsChosenFromThePalette) {
    TGridWin w(nullptr, "t.cv2");
    ASSERT_TRUE(w.Create());
    w.RunCommand(203);
    TColWin* pal = w.Palette();
    ASSERT_NE(pal, nullptr);
    EXPECT_EQ(pal->Kind(), kColourKindAxes);
    const fw::Size c = pal->GetClientSize();
    PaletteLayout layout(c.cx, c.cy);
    PaletteRect cell = layout.CellOf(4);
    pal->ClickAt(cell.left + 1, cell.top + 1);
    EXPECT_EQ(w.Frame().axisColour, 4);
    EXPECT_TRUE(w.IsModified());
    w.RunCommand(210);  // the same palette now edits the grid colour
    EXPECT_EQ(w.Palette(), pal);
    EXPECT_EQ(pal->Kind(), kColourKindGrid);
    EXPECT_FALSE(Enabled(w, 214));  // a colour kind this window does not have
}

TEST_F(GridWinTest, LayerPictureShowsTheAxesAtTheirMappedPixels) {
    TGridWin w(nullptr, "t.cv2");
    w.ShowDefaultFrame();
    w.Frame().axisColour = 4;  // red
    ASSERT_TRUE(w.Create());
    w.Show();
    w.RenderLayer(0);
    const fw::Bitmap& b = w.LayerBitmap(0);
    ASSERT_FALSE(b.IsNull());
    const PlotView& v = w.View();
    const int py = v.ToPixelY(0), px = v.ToPixelX(0);
    const fw::Color red{255, 0, 0}, white{255, 255, 255};
    EXPECT_EQ(b.GetPixel(v.ToPixelX(2.5L), py), red);
    EXPECT_EQ(b.GetPixel(px, v.ToPixelY(-1.5L)), red);
    EXPECT_EQ(b.GetPixel(v.ToPixelX(2.5L), v.ToPixelY(2.5L)), white);  // no grid by default
}

TEST_F(GridWinTest, PrintsToAPdfFile) {
    TGridWin w(nullptr, "t.cv2");
    w.ShowDefaultFrame();
    ASSERT_TRUE(w.Create());
    const auto path = std::filesystem::temp_directory_path() / ("gridwin_" + std::to_string(::getpid()) + ".pdf");
    ASSERT_TRUE(w.PrintToPdf(path.string(), 150));
    std::ifstream in(path, std::ios::binary);
    std::string head(4, '\0');
    in.read(head.data(), 4);
    EXPECT_EQ(head, "%PDF");
    std::filesystem::remove(path);
    // The screen view is back after printing.
    EXPECT_EQ(w.View().x0, 0);
    EXPECT_EQ(w.View().W, w.GetClientSize().cx);
}

TEST_F(GridWinTest, PrintSetupRefusesADistanceBelowAQuarterInch) {
    TGridWin w(nullptr, "t.cv2");
    ASSERT_TRUE(w.Create());
    const long double left = w.Print().left;
    au::SetDialogHook([](fw::TDialog& d) { d.SetItemText(dlg::kPrintLeft, "0.5"); return fw::kIdOk; });
    w.RunCommand(304);
    ASSERT_EQ(messages.size(), 1u);
    EXPECT_EQ(messages[0], "túl a határokon");
    EXPECT_EQ(w.Print().left, left);
    au::SetDialogHook([](fw::TDialog& d) { d.SetItemText(dlg::kPrintLeft, "2.54"); return fw::kIdOk; });
    w.RunCommand(304);
    EXPECT_NEAR(static_cast<double>(w.Print().left), 1.0, 1e-9);
}

TEST_F(GridWinTest, DocumentWindowOwnsANotepadWhoseDismissalMarksTheDocument) {
    TGridWin w(nullptr, "rajz.cv2");
    w.SetDocumentWindow(true);
    ASSERT_TRUE(w.Create());
    ASSERT_NE(w.Notepad(), nullptr);
    ASSERT_NE(w.HelpWindow(0), nullptr);
    EXPECT_FALSE(w.Notepad()->IsVisible());
    w.RunCommand(358);
    EXPECT_TRUE(w.Notepad()->IsVisible());
    EXPECT_EQ(w.Notepad()->GetCaption(), "Jegyzettömb [rajz.cv2]");
    w.Notepad()->CloseWindow();
    EXPECT_FALSE(w.Notepad()->IsVisible());
    EXPECT_TRUE(w.IsModified());

    TGridWin plain(nullptr, "g.cv2");
    ASSERT_TRUE(plain.Create());
    EXPECT_EQ(plain.Notepad(), nullptr);
    EXPECT_FALSE(Enabled(plain, 358));
}

TEST_F(GridWinTest, ClosingAModifiedWindowWithoutDocumentsDoesNotAsk) {
    TGridWin w(nullptr, "t.cv2");
    w.SetDocumentWindow(true);
    ASSERT_TRUE(w.Create());
    w.SetModified(true);
    int asked = 0;
    au::SetDialogHook([&](fw::TDialog&) { ++asked; return fw::kIdCancel; });
    EXPECT_TRUE(w.CanClose());
    EXPECT_EQ(asked, 0);
    w.Destroy();
    EXPECT_FALSE(w.IsCreated());
}

TEST_F(GridWinTest, AxisTitlesAndGridDialogStoreTheirFields) {
    TGridWin w(nullptr, "t.cv2");
    ASSERT_TRUE(w.Create());
    au::SetDialogHook([](fw::TDialog& d) {
        d.SetItemText(dlg::kTitleFirst, "idő");
        d.SetItemText(dlg::kTitleFirst + 1, "út");
        return fw::kIdOk;
    });
    w.RunCommand(102);
    EXPECT_EQ(w.Frame().axisTitles[0], "idő");
    EXPECT_EQ(w.Frame().axisTitles[1], "út");
    EXPECT_EQ(w.Frame().axisTitles[2], "z");

    w.RunCommand(320);
    TDlg* grid = w.GridDialog();
    ASSERT_NE(grid, nullptr);
    EXPECT_EQ(grid->GetItemText(dlg::kGridSpacingX).find('1'), 0u);
    grid->SetItemText(dlg::kGridSpacingX, "0.5");
    grid->CheckItem(dlg::kGridAxes, true);
    grid->EvCommand(dlg::kGridApply);
    EXPECT_EQ(w.Frame().spacingX, 0.5L);
    EXPECT_TRUE(w.Frame().axesShown);
    EXPECT_TRUE(messages.empty());
    grid->EvCommand(dlg::kGridClose);  // hides; the same dialog comes back
    EXPECT_FALSE(grid->IsVisible());
    w.RunCommand(320);
    EXPECT_EQ(w.GridDialog(), grid);
    EXPECT_TRUE(grid->IsVisible());
}

namespace {
// Exposes the mouse handlers so that a drag can be played without a pointer device.
class DragWin : public TGridWin {
public:
    using TGridWin::TGridWin;
    using TGridWin::EvLButtonDown;
    using TGridWin::EvLButtonUp;
    using TGridWin::EvMouseMove;
    using TGridWin::EvMouseWheel;
};
}  // namespace

TEST_F(GridWinTest, DraggingARectangleZoomsIntoItAndAClickDoesNot) {
    DragWin w(nullptr, "t.cv2");
    ASSERT_TRUE(w.Create());
    w.Show();
    const PlotView& v = w.View();
    const long double hw = v.hw;
    au::Click(w, 40, 40);  // press and release at one point
    EXPECT_EQ(v.hw, hw);
    EXPECT_FALSE(v.HasHistory());

    const int x1 = v.ToPixelX(-2), x2 = v.ToPixelX(2), y1 = v.ToPixelY(1), y2 = v.ToPixelY(-1);
    w.EvLButtonDown(fw::kLeftButton, {x1, y1});
    w.EvMouseMove(fw::kLeftButton, {x2, y2});
    w.EvLButtonUp(0, {x2, y2});
    EXPECT_TRUE(v.HasHistory());
    EXPECT_LT(v.hw, hw);
    EXPECT_LE(v.xmin, -1.9L);  // the whole rectangle stays visible
    EXPECT_GE(v.xmax, 1.9L);

    const long double before = v.hw;
    w.EvMouseWheel(0, 120, {x1, y1});  // away from the user: zoom in
    EXPECT_LT(v.hw, before);
}

TEST_F(GridWinTest, WheelZoomsByAComfortableStepAndOneLastViewUndoesTheWholeBurst) {
    DragWin w(nullptr, "t.cv2");
    ASSERT_TRUE(w.Create());
    w.Show();
    const PlotView& v = w.View();
    const long double cx = v.cx, cy = v.cy, hw = v.hw;
    for (int i = 0; i < 6; ++i) w.EvMouseWheel(0, 120, {30 + 5 * i, 40});
    EXPECT_LT(v.hw, hw / 2);  // six notches, about 15 % each
    EXPECT_TRUE(w.IsModified());
    w.RunCommand(111);
    EXPECT_EQ(v.cx, cx);
    EXPECT_EQ(v.cy, cy);
    EXPECT_EQ(v.hw, hw);
    EXPECT_FALSE(v.HasHistory());
    w.RunCommand(107);  // PgUp keeps the factor of "Szorzó"
    EXPECT_NEAR(static_cast<double>(hw / v.hw), 1.01, 1e-12);
}

TEST_F(GridWinTest, BlackAndWhiteOutputDrawsARedAxisBlackAndRestoresTheScreenView) {
    TGridWin w(nullptr, "t.cv2");
    w.ShowDefaultFrame();
    w.Frame().axisColour = 4;
    ASSERT_TRUE(w.Create());
    w.Print().colour = 0;
    fw::Bitmap page(800, 600);
    {
        fw::DC dc(page);
        w.RenderTo(dc, 400, 300, 100, 50, true, false);
    }
    // The output rectangle's own mapping: y = 0 lies in its middle row.
    const int midY = 50 + 150, midX = 100 + 200;
    EXPECT_EQ(page.GetPixel(midX + 120, midY), (fw::Color{0, 0, 0}));
    EXPECT_EQ(page.GetPixel(50, 20), (fw::Color{255, 255, 255}));  // outside stays untouched
    EXPECT_FALSE(w.Printing());
    EXPECT_EQ(w.View().x0, 0);
    EXPECT_EQ(w.View().W, w.GetClientSize().cx);
}

namespace {
// A window kind with documents, to see the file layer route open, save and close.
class DocWin : public TGridWin {
public:
    using TGridWin::TGridWin;
    bool HasDocumentFormat() const override { return true; }
    int ReadDocument(const std::string& path) override {
        read.push_back(path);
        return path.ends_with("bad.cv2") ? 11 : 0;
    }
    int WriteDocument(const std::string& path) override {
        written.push_back(path);
        return 0;
    }
    std::vector<std::string> read, written;
};
}  // namespace

TEST_F(GridWinTest, StartFileOpensOnceAndAFailureKeepsTheNewDrawing) {
    DocWin good(nullptr, "névtelen1.cv2");
    good.SetStartOptions(false, true, "/tmp/x/kor.cv2");
    ASSERT_TRUE(good.Create());
    EXPECT_EQ(good.read, std::vector<std::string>{"/tmp/x/kor.cv2"});
    EXPECT_EQ(good.GetCaption(), "kor.cv2");
    EXPECT_EQ(good.OpenStartFile(), 0);
    EXPECT_EQ(good.read.size(), 1u);

    DocWin bad(nullptr, "névtelen2.cv2");
    bad.SetStartOptions(false, true, "/tmp/x/bad.cv2");
    ASSERT_TRUE(bad.Create());
    ASSERT_EQ(messages.size(), 1u);
    EXPECT_EQ(messages[0], "nem tudom megnyitni az állományt");
    EXPECT_EQ(bad.FileName(), "névtelen2.cv2");
}

TEST_F(GridWinTest, SaveChangesQuestionDecidesTheClose) {
    DocWin w(nullptr, "névtelen1.cv2");
    w.SetDocumentWindow(true);
    ASSERT_TRUE(w.Create());
    w.SetModified(true);
    au::SetDialogHook([](fw::TDialog&) { return fw::kIdCancel; });
    EXPECT_FALSE(w.CanClose());
    au::SetDialogHook([](fw::TDialog&) { return kIdNoButton; });
    EXPECT_TRUE(w.CanClose());
    EXPECT_TRUE(w.written.empty());
    // "igen" on an untitled drawing asks for a name, then writes there.
    au::SetDialogHook([](fw::TDialog&) { return kIdYesButton; });
    au::SetFileDialogHook([](bool save, fw::FileDialogOptions& setup) {
        setup.fileName = "/tmp/x/uj.cv2";
        return save;
    });
    EXPECT_TRUE(w.CanClose());
    EXPECT_EQ(w.written, std::vector<std::string>{"/tmp/x/uj.cv2"});
    EXPECT_FALSE(w.IsModified());
    EXPECT_EQ(w.GetCaption(), "uj.cv2");
    au::SetFileDialogHook({});
}

TEST(GridDialogTemplate, TickFieldsShareTheColumnsOfTheirHeadersAndATableHoldsOnlyRows) {
    using Kind = fw::DialogItem::Kind;
    fw::DialogTemplate t;
    std::string error;
    ASSERT_TRUE(fw::LoadDialogTemplate("SETGRID", t, error)) << error;
    const fw::DialogItem* table = nullptr;
    for (const fw::DialogItem& item : t.root.items)
        if (item.kind == Kind::Table) table = &item;
    ASSERT_NE(table, nullptr);
    ASSERT_EQ(table->items.size(), 3u);
    for (const fw::DialogItem& row : table->items) ASSERT_EQ(row.items.size(), 6u);
    EXPECT_EQ(table->items[0].items[5].caption, "pi");
    EXPECT_EQ(table->items[1].items[5].id, 115);  // the x pi check under "pi"
    EXPECT_EQ(table->items[2].items[3].id, 123);  // y decimals under "tiz.hely"

    EXPECT_FALSE(fw::ParseDialogTemplate("caption \"c\"\ntable\n  edit 1 \"\"\nend\n", t, error));
    EXPECT_TRUE(fw::ParseDialogTemplate("caption \"c\"\ntable\n  row\n    edit 1 \"\"\n  end\nend\n", t, error)) << error;
    ASSERT_EQ(fw::TemplateControls(t).size(), 1u);  // controls inside a table are found
}
