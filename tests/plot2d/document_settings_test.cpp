// Every setting a command of the 2D window changes comes back when the document is saved
// and opened again.
#include <gtest/gtest.h>

#include "tests/window_test.h"

#include <filesystem>
#include <unistd.h>

#include "framework/automation.h"
#include "framework/dialog.h"
#include "framework/kit_inp_dlg.h"
#include "plot2d/example_kinds.h"
#include "plot2d/plot2_win.h"
#include "plotwin/dialog_ids.h"
#include "textwin/col_win.h"
#include "textwin/palette_layout.h"

using namespace curvelo;
namespace au = curvelo::fw::automation;

namespace {

class DocumentSettingsTest : public curvelo::testing::WindowTest {
protected:
};

// Answers the next one-line dialog with text.
void Answer(TPlot2Win& w, int command, const std::string& text) {
    au::SetDialogHook([text](fw::TDialog& d) {
        d.SetItemText(kIdFirstEdit, text);
        return fw::kIdOk;
    });
    w.RunCommand(command);
    au::SetDialogHook({});
}

void PickColour(TPlot2Win& w, int command, int index) {
    w.RunCommand(command);
    TColWin* pal = w.Palette();
    ASSERT_NE(pal, nullptr);
    const fw::Size c = pal->GetClientSize();
    const PaletteRect cell = PaletteLayout(c.cx, c.cy).CellOf(index);
    pal->ClickAt(cell.left + 1, cell.top + 1);
}

// What the document keeps of the frame; the rest follows from the view.
FrameSettings Kept(FrameSettings f) {
    f.halfTickX = f.halfTickY = f.arrowX = f.arrowY = f.halfDecorationX = f.halfDecorationY = 0;
    return f;
}

// Changes everything through the window's commands, as a user would.
void ChangeEverySetting(TPlot2Win& w) {
    w.RunCommand(109);  // axes off
    w.RunCommand(110);  // solid arrowheads
    w.RunCommand(220);  // transparent labels
    w.RunCommand(221);  // copy without the background
    w.RunCommand(796);  // black graphs
    w.RunCommand(360);  // texts hidden
    Answer(w, 100, "3");
    Answer(w, 101, "5");
    Answer(w, 150, "4");
    Answer(w, 151, "6");
    Answer(w, 92, "45");
    Answer(w, 73, "182");
    Answer(w, 108, "1.5");
    Answer(w, 321, "7");
    Answer(w, 628, "60");
    au::SetDialogHook([](fw::TDialog& d) {
        d.SetItemText(dlg::kTitleFirst, "idő");
        d.SetItemText(dlg::kTitleFirst + 1, "út");
        d.SetItemText(dlg::kTitleFirst + 2, "ő");
        return fw::kIdOk;
    });
    w.RunCommand(102);
    au::SetDialogHook([](fw::TDialog& d) {
        d.CheckItem(dlg::kPrintByWidth, false);
        d.CheckItem(dlg::kPrintByInterval, true);
        d.SetItemText(dlg::kPrintInterval, "3");
        d.SetItemText(dlg::kPrintLeft, "2");
        d.SetItemText(dlg::kPrintTop, "4");
        d.CheckItem(dlg::kPrintFrame, true);
        d.CheckItem(dlg::kPrintColour, false);
        return fw::kIdOk;
    });
    w.RunCommand(304);
    au::SetDialogHook({});
    au::SetFontDialogHook([](fw::LogFont& f) {
        f.faceName = "DejaVu Serif";
        f.height = -19;
        f.weight = 700;
        return true;
    });
    w.RunCommand(61);  // tick numbers
    au::SetFontDialogHook([](fw::LogFont& f) {
        f.faceName = "DejaVu Sans Mono";
        f.height = -23;
        f.italic = 0;
        return true;
    });
    w.RunCommand(65);  // axis titles
    PickColour(w, 203, 4);
    PickColour(w, 210, 7);
    PickColour(w, 200, 18);

    w.RunCommand(320);
    TDlg* grid = w.GridDialog();
    ASSERT_NE(grid, nullptr);
    grid->CheckItem(dlg::kGridModeBoth, false);
    grid->CheckItem(dlg::kGridModeY, true);
    grid->CheckItem(dlg::kGridTicks, false);
    grid->CheckItem(dlg::kGridArrows, true);
    grid->CheckItem(dlg::kGridPoints, true);
    grid->CheckItem(dlg::kGridTitles, true);
    grid->SetItemText(dlg::kGridTickLength, "2.5");
    grid->SetItemText(dlg::kGridSpacingX, "0.5");
    grid->SetItemText(dlg::kGridSpacingX + dlg::kGridRowYOffset, "2");
    grid->CheckItem(dlg::kGridNumbersX, false);
    grid->SetItemText(dlg::kGridDecimalsX, "3");
    grid->SetItemText(dlg::kGridDecimalsX + dlg::kGridRowYOffset, "0");
    grid->SetItemText(dlg::kGridFrequencyX, "2");
    grid->SetItemText(dlg::kGridFrequencyX + dlg::kGridRowYOffset, "3");
    grid->CheckItem(dlg::kGridPiX, true);
    grid->CheckItem(dlg::kGridNumbersOnAxes, false);
    grid->CheckItem(dlg::kGridNumbersAtEdge, true);
    grid->CheckItem(dlg::kGridDotted, true);
    grid->CheckItem(dlg::kGridPolar, true);
    grid->SetItemText(dlg::kGridSectors, "8");
    grid->CheckItem(dlg::kGridSquare, true);
    grid->CheckItem(dlg::kGridQuadrant1 + 2, false);
    grid->EvCommand(dlg::kGridApply);

    w.RunCommand(107);  // zoom in by the new factor
    w.RunCommand(323);  // and pan by the new fraction
}

TEST_F(DocumentSettingsTest, EverySettingOfTheMenusSurvivesSaveAndOpen) {
    const std::string path = ::testing::TempDir() + "/beallitasok_" + std::to_string(::getpid()) + ".cv2";
    const FrameSettings fresh = [] {
        TPlot2Win n(nullptr, "uj.cv2");
        return Kept(n.Frame());
    }();
    TPlot2Win w(nullptr, "névtelen1.cv2");
    ASSERT_TRUE(w.Create());
    w.Labels().push_back(TextLabel{});  // so that the texts can be hidden
    ChangeEverySetting(w);
    ASSERT_TRUE(messages.empty()) << messages[0];

    // Each command did change something a new window has otherwise.
    const FrameSettings& f = w.Frame();
    EXPECT_EQ(f.axisWidthScreen, 3);
    EXPECT_EQ(f.minusChar, 45);
    EXPECT_NE(f.axesMode, fresh.axesMode);
    EXPECT_NE(f.gridFlags, fresh.gridFlags);
    EXPECT_NE(f.tickLength, fresh.tickLength);
    EXPECT_TRUE(w.IsModified());

    au::SetFileDialogHook([&](bool, fw::FileDialogOptions& o) {
        o.fileName = path;
        return true;
    });
    w.RunCommand(58);  // save as
    ASSERT_TRUE(std::filesystem::exists(path));
    EXPECT_FALSE(w.IsModified());

    TPlot2Win r(nullptr, "névtelen2.cv2");
    ASSERT_TRUE(r.Create());
    r.Labels().push_back(TextLabel{});
    r.RunCommand(59);  // open
    ASSERT_EQ(r.FileName(), path);
    EXPECT_TRUE(messages.empty());

    EXPECT_EQ(Kept(r.Frame()), Kept(w.Frame()));
    EXPECT_EQ(r.Frame().axisWidthScreen, 3);
    EXPECT_EQ(r.Frame().minusChar, 45);
    EXPECT_EQ(r.BackgroundColour(), w.BackgroundColour());
    for (int kind : {1, 5}) {
        EXPECT_EQ(r.Font(kind).Store(), w.Font(kind).Store()) << "font kind " << kind;
        EXPECT_EQ(r.FontColour(kind), w.FontColour(kind));
    }
    EXPECT_EQ(r.Font(1).faceName, "DejaVu Serif");
    EXPECT_FALSE(r.CopyWithBackground());
    EXPECT_FALSE(r.LabelsShown());
    EXPECT_TRUE(r.Inventory().BlackGraphs());
    EXPECT_EQ(r.Inventory().Capacity(), 60);
    const PlotView &a = r.View(), &b = w.View();
    EXPECT_EQ(a.cx, b.cx);
    EXPECT_EQ(a.cy, b.cy);
    EXPECT_EQ(a.hw, b.hw);
    EXPECT_EQ(a.zoomFactor, 1.5L);
    EXPECT_EQ(a.panFraction, b.panFraction);
    const PrintSetup &p = r.Print(), &q = w.Print();
    // Page measures are kept in hundredths of an inch.
    EXPECT_FALSE(p.UsesWidth());
    EXPECT_NEAR(static_cast<double>(p.interval), static_cast<double>(q.interval), 0.005);
    EXPECT_NEAR(static_cast<double>(p.left), static_cast<double>(q.left), 0.005);
    EXPECT_NEAR(static_cast<double>(p.top), static_cast<double>(q.top), 0.005);
    EXPECT_EQ(p.frame, 1);
    EXPECT_EQ(p.colour, 0);
    std::filesystem::remove(path);
}

}  // namespace
