#include <gtest/gtest.h>

#include "plotwin/frame_commands.h"
#include "plotwin/frame_settings.h"
#include "plotwin/plot_view.h"
#include "plotwin/print_layout.h"
#include "plotwin/view_commands.h"

namespace curvelo {
namespace {

// The layers with an engine evaluate formulas; this stands in with one named value.
bool PiAware(std::string_view text, long double* v) {
    if (text == "pi/3") {
        *v = 3.14159265358979323846L / 3;
        return true;
    }
    return ParsePlainNumber(text, v);
}

PlotView View400x300() {
    PlotView v;
    v.SetClientSize(400, 300);
    v.ApplyView();
    return v;
}

TEST(ViewCommandTest, MenuCommandsAndTheirEnabling) {
    PlotView v = View400x300();
    FrameSettings s;
    EXPECT_FALSE(ViewCommandEnabled(kCmdLastView, v));
    EXPECT_FALSE(ViewCommandEnabled(kCmdMakeSquare, v));
    EXPECT_TRUE(RunViewCommand(kCmdPanRight, v, s));
    EXPECT_TRUE(ViewCommandEnabled(kCmdLastView, v));
    EXPECT_NEAR(static_cast<double>(v.cx), 0.1, 1e-15);
    EXPECT_TRUE(RunViewCommand(kCmdLastView, v, s));
    EXPECT_EQ(v.cx, 0);
    s.spacingX = 0.5L;
    s.piModeY = 1;
    v.SetViewFree(2, 2, 1, 3, true);
    EXPECT_TRUE(ViewCommandEnabled(kCmdMakeSquare, v));
    EXPECT_TRUE(RunViewCommand(kCmdResetView, v, s));
    EXPECT_EQ(s.spacingX, 1);
    EXPECT_EQ(s.piModeY, 0);
    EXPECT_FALSE(v.HasHistory());
    EXPECT_NEAR(static_cast<double>(s.halfTickX), 5 * 0.025, 1e-15);
    EXPECT_FALSE(RunViewCommand(999, v, s));
}

TEST(ViewCommandTest, ZoomFactorAndPanPercentDialogs) {
    PlotView v = View400x300();
    EXPECT_EQ(ZoomFactorText(v, NumberFormat{}), "1.01000");
    EXPECT_EQ(ApplyZoomFactorText("2", nullptr, v), 0);
    EXPECT_EQ(v.zoomFactor, 2);
    EXPECT_EQ(ApplyZoomFactorText("0", nullptr, v), kMsgNotUnderstood);
    EXPECT_EQ(ApplyZoomFactorText("1e-19", nullptr, v), kMsgNotUnderstood);
    EXPECT_EQ(ApplyZoomFactorText("zwei", nullptr, v), kMsgNotUnderstood);
    EXPECT_EQ(ApplyZoomFactorText("inf", nullptr, v), kMsgNotUnderstood);
    EXPECT_EQ(v.zoomFactor, 2);
    EXPECT_EQ(ApplyZoomFactorText("pi/3", PiAware, v), 0);
    EXPECT_NEAR(static_cast<double>(v.zoomFactor), 1.0471975511965976, 1e-15);

    EXPECT_EQ(PanPercentText(v), "1.00");
    EXPECT_EQ(ApplyPanPercentText("25", nullptr, v), 0);
    EXPECT_EQ(v.panFraction, 0.25L);
    EXPECT_EQ(ApplyPanPercentText("-3", nullptr, v), kMsgNotUnderstood);
    EXPECT_EQ(v.panFraction, 0.25L);
}

TEST(ViewCommandTest, ViewDialogGroups) {
    PlotView v = View400x300();
    ViewDialogFields f = ViewDialogFieldsFor(v, NumberFormat{});
    EXPECT_FALSE(f.edges);
    EXPECT_EQ(f.edge[2], "-3.75000");
    EXPECT_EQ(f.centre[2], "10.00000");

    // Unchanged centre fields in equal units change nothing and push nothing.
    EXPECT_EQ(ApplyViewDialog(f, nullptr, v), 0);
    EXPECT_FALSE(v.HasHistory());
    f.centre = {"1", "2", "0"};
    EXPECT_EQ(ApplyViewDialog(f, nullptr, v), kMsgPositiveValue);
    f.centre = {"1", "2", "4"};
    EXPECT_EQ(ApplyViewDialog(f, nullptr, v), 0);
    EXPECT_EQ(v.cx, 1);
    EXPECT_EQ(v.hw, 2);
    EXPECT_EQ(v.unequal, 0);

    f.edges = true;
    f.edge = {"-1", "3", "0", "10"};
    EXPECT_EQ(ApplyViewDialog(f, nullptr, v), 0);
    EXPECT_EQ(v.unequal, 1);
    EXPECT_EQ(v.xmin, -1);
    EXPECT_EQ(v.ymax, 10);
    f.edge = {"3", "-1", "0", "10"};
    EXPECT_EQ(ApplyViewDialog(f, nullptr, v), kMsgPositiveValue);
    f.edge = {"a", "1", "0", "10"};
    EXPECT_EQ(ApplyViewDialog(f, nullptr, v), kMsgNotUnderstood);
    EXPECT_EQ(v.xmin, -1);
    EXPECT_TRUE(ViewDialogFieldsFor(v, NumberFormat{}).edges);
}

TEST(FrameCommandTest, TogglesAndRepaints) {
    FrameSettings s;
    EXPECT_EQ(ToggleFrameSetting(kCmdOpaqueLabels, s), FrameRepaint::kNone);  // axes hidden
    EXPECT_EQ(s.labelBackground, kLabelsTransparent);
    EXPECT_EQ(ToggleFrameSetting(kCmdAxesToggle, s), FrameRepaint::kRepaint);
    EXPECT_TRUE(FrameCommandChecked(kCmdAxesToggle, s));
    EXPECT_EQ(ToggleFrameSetting(kCmdSolidArrows, s), FrameRepaint::kNone);  // no arrows
    s.arrows = 1;
    EXPECT_EQ(ToggleFrameSetting(kCmdSolidArrows, s), FrameRepaint::kRepaint);
    EXPECT_EQ(s.solidArrows, 0);
}

TEST(FrameCommandTest, WidthAndCharacterDialogs) {
    FrameSettings s;
    s.axesShown = 1;
    FrameRepaint r;
    EXPECT_EQ(WidthPromptString(kCmdAxisWidthPrint), 15);
    EXPECT_EQ(WidthPromptString(kCmdGridWidthScreen), 16);
    EXPECT_EQ(WidthText(kCmdGridWidthPrint, s), "2");
    EXPECT_EQ(ApplyWidthText(kCmdAxisWidthScreen, "0", s, &r), kMsgPositiveValue);
    EXPECT_EQ(ApplyWidthText(kCmdAxisWidthScreen, "x", s, &r), kMsgPositiveValue);
    EXPECT_EQ(s.axisWidthScreen, 1);
    EXPECT_EQ(ApplyWidthText(kCmdAxisWidthScreen, "3", s, &r), 0);
    EXPECT_EQ(r, FrameRepaint::kRepaint);
    EXPECT_EQ(ApplyWidthText(kCmdGridWidthPrint, "4", s, &r), 0);
    EXPECT_EQ(r, FrameRepaint::kNone);
    EXPECT_EQ(s.gridWidthPrint, 4);

    EXPECT_EQ(ApplyMinusCharText("31", s, &r), kMsgOutOfLimits);
    EXPECT_EQ(ApplyMinusCharText("256", s, &r), kMsgOutOfLimits);
    EXPECT_EQ(s.longMinus, 0);
    EXPECT_EQ(ApplyMinusCharText("150", s, &r), 0);
    EXPECT_EQ(r, FrameRepaint::kRepaint);
    EXPECT_EQ(s.longMinus, 1);
    EXPECT_EQ(ApplyMinusCharText("150", s, &r), 0);
    EXPECT_EQ(r, FrameRepaint::kNone);
    EXPECT_EQ(CancelMinusChar(s), FrameRepaint::kRepaint);
    EXPECT_EQ(s.longMinus, 0);

    EXPECT_EQ(ApplyPiCharText("20", s), kMsgOutOfLimits);
    EXPECT_EQ(ApplyPiCharText("80", s), 0);
    EXPECT_EQ(s.piChar, 80);

    ApplyAxisTitles({"idő (másodperc) és még több", "", "z"}, s);
    EXPECT_EQ(s.axisTitles[0], "idő (másodperc) és m");
    EXPECT_EQ(s.axisTitles[1], "");
}

TEST(FrameCommandTest, GridDialogRoundTripAndRefusal) {
    FrameSettings s;
    GridDialogFields f = GridDialogFieldsFor(s, 1000, NumberFormat{});
    EXPECT_EQ(f.tickLengthPercent, "1.0");
    EXPECT_EQ(f.spacing[0], "1.00000");
    EXPECT_TRUE(f.quadrants[2]);
    f.axesShown = true;
    f.axesMode = kAxesPolar;
    f.spacing[1] = "pi/3";
    f.piMode[1] = true;
    f.numbers[0] = true;
    f.numbersAtEdge = true;
    f.polar = true;
    f.sectors = "8";
    f.quadrants = {true, false, false, false};
    f.square = true;
    f.tickLengthPercent = "2.5";
    ASSERT_EQ(ApplyGridDialog(f, PiAware, 1000, s), 0);
    EXPECT_EQ(s.axesMode, kAxesPolar);
    EXPECT_NEAR(static_cast<double>(s.spacingY), 1.0471975511965976, 1e-15);
    EXPECT_EQ(s.numberFlags, kNumbersX | kNumbersAtEdge);
    EXPECT_EQ(s.gridFlags, kGridQuadrant1 | kGridSquare | kGridPolar);
    EXPECT_EQ(s.polarSectors, 8);
    EXPECT_EQ(s.tickLength, 25);
    const GridDialogFields back = GridDialogFieldsFor(s, 1000, NumberFormat{});
    EXPECT_EQ(back.tickLengthPercent, "2.5");
    EXPECT_TRUE(back.piMode[1]);

    const FrameSettings before = s;
    f.spacing[1] = "1";
    f.spacing[0] = "0";
    EXPECT_EQ(ApplyGridDialog(f, nullptr, 1000, s), kMsgPositiveValue);
    f.spacing[0] = "1";
    f.frequency[1] = "0";
    EXPECT_EQ(ApplyGridDialog(f, nullptr, 1000, s), kMsgPositiveValue);
    f.frequency[1] = "1";
    f.sectors = "100000";
    EXPECT_EQ(ApplyGridDialog(f, nullptr, 1000, s), kMsgPositiveValue);
    EXPECT_EQ(s.polarSectors, before.polarSectors);
    EXPECT_EQ(s.spacingX, before.spacingX);
}

TEST(PrintLayoutTest, PrintedSizeKeepsTheWindowProportions) {
    PrintSetup setup;
    setup.width = 4;
    setup.left = 1;
    setup.top = 0.5L;
    PrinterMetrics printer{600, 600, 30, 40};
    const OutputRect r = ComputePrintRect(setup, 400, 300, 10, printer);
    EXPECT_EQ(r.W, 2400);
    EXPECT_EQ(r.H, 1800);
    EXPECT_EQ(r.x0, 570);
    EXPECT_EQ(r.y0, 260);
    setup.width = -4;
    setup.interval = 0.5L;  // half an inch per x unit, 10 units wide
    EXPECT_EQ(ComputePrintRect(setup, 400, 300, 10, printer).W, 3000);
}

TEST(PrintLayoutTest, SetupDialogLimits) {
    PrintSetup setup;
    PrintSetupFields f = PrintSetupFieldsFor(setup);
    EXPECT_EQ(f.width, "15.24");
    EXPECT_EQ(f.left, "2.54");
    EXPECT_TRUE(f.byWidth);
    f.left = "0.5";  // below a quarter inch
    EXPECT_EQ(ApplyPrintSetupFields(f, setup), kMsgOutOfLimits);
    EXPECT_EQ(setup.left, 1);
    f.left = "0.64";
    f.byWidth = false;
    f.interval = "1.27";
    ASSERT_EQ(ApplyPrintSetupFields(f, setup), 0);
    EXPECT_LT(setup.width, 0);
    EXPECT_NEAR(static_cast<double>(setup.interval), 0.5, 1e-15);
    EXPECT_NEAR(static_cast<double>(setup.left), 0.64 / 2.54, 1e-15);
    f.interval = "0";
    EXPECT_EQ(ApplyPrintSetupFields(f, setup), kMsgOutOfLimits);
}

}  // namespace
}  // namespace curvelo
