#include "plot2d/plot2_win.h"

#include <gtest/gtest.h>

#include <cmath>

#include "framework/automation.h"
#include "framework/dialog.h"
#include "framework/keys.h"
#include "plot2d/equation_form.h"
#include "plot2d/example_kinds.h"
#include "plotwin/colour_table.h"

using namespace curvelo;
namespace au = curvelo::fw::automation;

namespace {

class Plot2WinTest : public ::testing::Test {
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
    }
    std::vector<std::string> messages;
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
