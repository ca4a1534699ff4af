// The differential-equation kinds in a real 2D window: the Equation-menu dialogs, the
// initial-condition dialogs, the solution-curve mouse mode, the pictures and the document.
#include <gtest/gtest.h>

#include "tests/window_test.h"

#include <cmath>

#include "framework/automation.h"
#include "framework/bitmap.h"
#include "framework/dialog.h"
#include "plot2d/cv2_codec.h"
#include "plot2d/example_kinds.h"
#include "plot2d/ivp_form.h"
#include "plot2d/ode_form.h"
#include "plot2d/plot2_win.h"
#include "plotwin/colour_table.h"
#include "textwin/text_win.h"

using namespace curvelo;
namespace au = curvelo::fw::automation;

namespace {

class OdeWindowTest : public curvelo::testing::WindowTest {};

bool ColourNear(const fw::Bitmap& b, int x, int y, Rgb c) {
    for (int dy = -2; dy <= 2; ++dy)
        for (int dx = -2; dx <= 2; ++dx) {
            const fw::Color p = b.GetPixel(x + dx, y + dy);
            if (std::abs(p.r - c.r) < 40 && std::abs(p.g - c.g) < 40 && std::abs(p.b - c.b) < 40) return true;
        }
    return false;
}

// A dy/dx example made through the menu with the dialog's fields.
int AddSlope(TPlot2Win& w, const char* formula, bool field) {
    au::SetDialogHook([&](fw::TDialog& d) {
        if (d.TemplateName() == "EQUA211") {
            d.SetItemText(odeid::kDyDx, formula);
            d.CheckItem(odeid::kFieldNone, !field);
            d.CheckItem(odeid::kFieldNone + 1, field);
            return 1;
        }
        return 2;  // the inventory opens by itself after the first example
    });
    w.EvCommand(911);
    au::SetDialogHook({});
    return w.Inventory().Count() - 1;
}

}  // namespace

TEST_F(OdeWindowTest, SlopeDialogMakesTheExampleAndTheConditionDialogDrawsItsSolution) {
    TPlot2Win w(nullptr, "ode.cv2");
    ASSERT_TRUE(w.Create());
    w.Show();
    const int i = AddSlope(w, "x-y", false);
    ASSERT_EQ(i, 0);
    const TExample& e = w.Inventory().At(0);
    EXPECT_EQ(e.kind, kKindSlope);
    EXPECT_EQ(e.texts[2], "x-y");
    EXPECT_EQ(e.penColour, 4);
    EXPECT_EQ(e.fieldRows, 20);

    int shown = 0;
    au::SetDialogHook([&](fw::TDialog& d) {
        if (d.TemplateName() != "IVP11") return 2;
        ++shown;
        d.SetItemText(ivpid::kX, "-4");
        d.SetItemText(ivpid::kY, "3");
        d.SetItemText(ivpid::kStep, "0.01");
        d.SetItemText(ivpid::kSteps, "0");  // refused: 414
        d.CheckItem(ivpid::kEuler + 2, true);
        d.EvCommand(ivpid::kDraw);
        d.SetItemText(ivpid::kSteps, "800");
        d.SetSelIndex(ivpid::kColour, 2);
        d.EvCommand(ivpid::kDraw);
        EXPECT_EQ(d.GetCount(ivpid::kList), 1);
        return 2;
    });
    w.EvCommand(781);
    EXPECT_EQ(shown, 1);
    ASSERT_EQ(messages.size(), 1u);
    EXPECT_EQ(messages[0], "pozitív érték?");
    ASSERT_EQ(w.Inventory().Slot(0).initialConditions.size(), 1u);
    const TInitialCondition c = TInitialCondition::Load(w.Inventory().Slot(0).initialConditions[0]);
    EXPECT_EQ(c.x0, -4);
    EXPECT_EQ(c.steps, 800);
    EXPECT_EQ(c.Method(), SlopeMethod::kRungeKutta);

    // The solution y = x - 1 + 8 e^(-x - 4) passes through (0, 8e^-4 - 1) and (3, 2 + ...).
    w.RenderLayer(0);
    const fw::Bitmap& b = w.LayerBitmap(0);
    const PlotView& v = w.View();
    const Rgb colour = ColourOf(2);
    for (long double x : {-3.5L, 0.0L, 3.0L}) {
        const long double y = x - 1 + 8 * std::exp(-x - 4);
        EXPECT_TRUE(ColourNear(b, v.ToPixelX(x), v.ToPixelY(y), colour)) << static_cast<double>(x);
    }
    EXPECT_FALSE(ColourNear(b, v.ToPixelX(0), v.ToPixelY(3), colour));
}

TEST_F(OdeWindowTest, AClickInTheSolutionModeAddsAConditionThereAndDrawsIt) {
    TPlot2Win w(nullptr, "ode.cv2");
    ASSERT_TRUE(w.Create());
    w.Show();
    AddSlope(w, "-x/4", true);
    w.EvCommand(122);
    ASSERT_TRUE(w.SolutionMode());
    const PlotView& v = w.View();
    au::Click(w, v.ToPixelX(0), v.ToPixelY(2));
    au::ProcessEvents();
    auto& list = w.Inventory().Slot(0).initialConditions;
    ASSERT_EQ(list.size(), 2u);  // one each way from the point
    const TInitialCondition right = TInitialCondition::Load(list[0]), left = TInitialCondition::Load(list[1]);
    EXPECT_NEAR(static_cast<double>(right.x0), 0, 2 * static_cast<double>(v.upx));
    EXPECT_NEAR(static_cast<double>(right.y0), 2, 2 * static_cast<double>(v.upy));
    EXPECT_GT(right.step, 0);
    EXPECT_LT(left.step, 0);
    // y = 2 - x^2 / 8 through the point, on both sides of it.
    w.RenderLayer(0);
    const Rgb colour = ColourOf(right.colour);
    for (long double x : {-3.0L, 3.0L})
        EXPECT_TRUE(ColourNear(w.LayerBitmap(0), v.ToPixelX(x), v.ToPixelY(2 - x * x / 8), colour)) << static_cast<double>(x);
}

TEST_F(OdeWindowTest, PendulumTrajectoriesAreTracedAndTheDocumentReopensExactly) {
    const std::string path = ::testing::TempDir() + "/inga.cv2";
    {
        TPlot2Win w(nullptr, "inga.cv2");
        ASSERT_TRUE(w.Create());
        w.Show();
        au::SetDialogHook([&](fw::TDialog& d) {
            if (d.TemplateName() == "EQUA210") {
                d.SetItemText(odeid::kDxDt, "y");
                d.SetItemText(odeid::kDyDt, "-sin(x)");
                d.CheckItem(odeid::kFieldNone + 2, true);
                return 1;
            }
            if (d.TemplateName() != "IVP10") return 2;
            d.SetItemText(ivpid::kX, "0");
            d.SetItemText(ivpid::kY, "a");
            d.CheckItem(ivpid::kAsText, true);
            d.SetSelIndex(ivpid::kColour, 5);
            d.EvCommand(ivpid::kDraw);
            d.CheckItem(ivpid::kAsText, false);
            d.SetItemText(ivpid::kY, "2.5");
            d.EvCommand(ivpid::kDraw);
            return 2;
        });
        SetLetter(w.Engine().letters, 1, 1.0L);  // A
        w.EvCommand(780);
        au::SetDialogHook({});
        ASSERT_EQ(w.Inventory().Count(), 1);
        ASSERT_EQ(w.Inventory().Slot(0).initialConditions.size(), 2u);
        EXPECT_EQ(w.Inventory().Slot(0).initialConditions[0].Field30(), kConditionAsText);
        EXPECT_EQ(w.Inventory().Slot(0).initialConditions[1].Field30(), kConditionPlain);
        // The closed orbit through (0, 1) crosses the x axis at +-2 asin(1/2) = +-pi/3.
        w.RenderLayer(0);
        const PlotView& v = w.View();
        const Rgb colour = ColourOf(5);
        EXPECT_TRUE(ColourNear(w.LayerBitmap(0), v.ToPixelX(1.0471975512L), v.ToPixelY(0), colour));
        EXPECT_TRUE(ColourNear(w.LayerBitmap(0), v.ToPixelX(-1.0471975512L), v.ToPixelY(0), colour));
        // A moves the condition kept as text.
        SetLetter(w.Engine().letters, 1, 1.5L);
        w.RenderLayer(0);
        EXPECT_EQ(TInitialCondition::Load(w.Inventory().Slot(0).initialConditions[0]).y0, 1.5L);
        ASSERT_EQ(w.WriteDocument(path), 0);
    }
    TPlot2Win r(nullptr, "masik.cv2");
    ASSERT_TRUE(r.Create());
    r.Show();
    ASSERT_EQ(r.ReadDocument(path), 0);
    ASSERT_EQ(r.Inventory().Count(), 1);
    const auto& list = r.Inventory().Slot(0).initialConditions;
    ASSERT_EQ(list.size(), 2u);
    EXPECT_EQ(list[0].texts[TInitialCondition::kTextY0], "a");
    EXPECT_EQ(TInitialCondition::Load(list[1]).y0, 2.5L);
    EXPECT_EQ(r.Inventory().At(0).reserved16, 2);  // vectors
    const std::string again = ::testing::TempDir() + "/inga2.cv2";
    ASSERT_EQ(r.WriteDocument(again), 0);
    Cv2Document a, b;
    ASSERT_EQ(LoadCv2File(path, kFileType2D, a), 0);
    ASSERT_EQ(LoadCv2File(again, kFileType2D, b), 0);
    b.placement = a.placement;  // the second window stands elsewhere on the screen
    ASSERT_EQ(a.examples.size(), b.examples.size());
    EXPECT_EQ(a.examples[0], b.examples[0]);
    EXPECT_EQ(WriteCv2(a), WriteCv2(b));
}

TEST_F(OdeWindowTest, TheComparisonTableOpensInATextWindow) {
    TPlot2Win w(nullptr, "ode.cv2");
    ASSERT_TRUE(w.Create());
    AddSlope(w, "x-y", true);
    au::SetDialogHook([&](fw::TDialog& d) {
        if (d.TemplateName() != "IVP11") return 2;
        d.SetItemText(ivpid::kX, "0");
        d.SetItemText(ivpid::kY, "0");
        d.SetItemText(ivpid::kStep, "0.1");
        d.SetItemText(ivpid::kSteps, "10");
        d.EvCommand(ivpid::kCompare);
        return 2;
    });
    w.EvCommand(781);
    TTextWin* text = w.HelpWindow(1);
    ASSERT_NE(text, nullptr);
    const std::string& table = text->Text();
    EXPECT_NE(table.find("0.0048375"), std::string::npos);
    EXPECT_NE(table.find("0.005 "), std::string::npos);
    EXPECT_EQ(text->GetCaption(), "módszerek összehasonlítása");
}
