#include <cmath>
#include <numbers>
#include <string>
#include <vector>

#include "framework/automation.h"
#include "framework/dialog.h"
#include "plot2d/example_kinds.h"
#include "plot2d/measure_dlg.h"
#include "plot2d/measure_result.h"
#include "plot2d/measure_tools.h"
#include "plot2d/plot2_win.h"
#include "plot2d/riemann_strips.h"

#include <gtest/gtest.h>

using namespace curvelo;
namespace au = curvelo::fw::automation;

namespace {

class MeasureDlgTest : public ::testing::Test {
protected:
    void SetUp() override {
        au::EnsureApplication();
        au::SetMessageBoxHook([this](const std::string& text, const std::string&, unsigned) {
            messages.push_back(text);
            return fw::kIdOk;
        });
        ASSERT_TRUE(w.Create());
        Add(kKindExplicit, {"", "x^2"});
        Add(kKindPoint, {});
        Add(kKindParametric, {"cos(t)", "sin(t)"});
        Add(kKindExplicit, {"", "x"});
    }
    void TearDown() override { au::SetMessageBoxHook({}); }

    void Add(std::uint16_t kind, std::vector<std::string> texts) {
        ExampleInventory& inv = w.Inventory();
        const int i = inv.Begin(kind, -5, 5);
        for (std::size_t k = 0; k < texts.size(); ++k) inv.At(i).texts[k] = texts[k];
        inv.Commit(i, w.Engine());
    }
    TMeasureDlg& Open(int command) {
        w.EvCommand(command);
        EXPECT_NE(w.MeasureDialog(), nullptr);
        return *w.MeasureDialog();
    }
    static void Limits(TMeasureDlg& d, const char* a, const char* b, const char* n) {
        d.SetItemText(measureid::kLow, a);
        d.SetItemText(measureid::kHigh, b);
        d.SetItemText(measureid::kSteps, n);
    }

    bool appReady_ = (au::EnsureApplication(), true);  // before the window
    TPlot2Win w{nullptr, "measure.cv2"};
    std::vector<std::string> messages;
};

}  // namespace

TEST_F(MeasureDlgTest, DefiniteIntegralShowsTheCheckedSumsAndArchivesTheParabolicOne) {
    TMeasureDlg& d = Open(measurecmd::kIntegral);
    // Only the functions are offered: x^2 and x, not the point or the circle.
    EXPECT_EQ(d.GetCount(measureid::kExample), 2);
    EXPECT_FALSE(d.IsItemVisible(measureid::kSecondExample));
    d.SetSelIndex(measureid::kExample, 0);
    Limits(d, "0", "1", "1");
    for (int k = 0; k < kSumCount; ++k) d.CheckItem(measureid::kFirstCheck + k, k != kSumRandom);
    d.EvCommand(measureid::kDefinite);
    EXPECT_TRUE(messages.empty());
    EXPECT_EQ(d.GetItemText(231), "0.00000");
    EXPECT_EQ(d.GetItemText(232), "0.25000");
    EXPECT_EQ(d.GetItemText(233), "1.00000");
    EXPECT_EQ(d.GetItemText(234), "0.50000");
    EXPECT_EQ(d.GetItemText(235), "0.33333");
    EXPECT_EQ(d.GetItemText(236), "");  // unchecked
    const auto& results = w.Inventory().Slot(0).results;
    ASSERT_EQ(results.size(), 1u);
    const MeasurementResult r = MeasurementResult::Load(results[0]);
    EXPECT_EQ(r.tool, measurecmd::kIntegral);
    EXPECT_EQ(r.low, 0.0L);
    EXPECT_EQ(r.high, 1.0L);
    EXPECT_EQ(r.steps, 1);
    EXPECT_NEAR(static_cast<double>(r.value), 1.0 / 3, 1e-18);
    EXPECT_EQ(w.Measures().methods, kMethodAll & ~MethodBit(kSumRandom));
    EXPECT_TRUE(w.Strips().empty());  // "ábrázolni" is off
}

TEST_F(MeasureDlgTest, BadFieldsAreRefusedAndNothingIsArchived) {
    TMeasureDlg& d = Open(measurecmd::kIntegral);
    for (const char* steps : {"0", "-3", "0.2", "1/0", "10^9"}) {
        messages.clear();
        Limits(d, "0", "1", steps);
        EXPECT_FALSE(d.Compute()) << steps;
        EXPECT_EQ(messages.size(), 1u) << steps;
    }
    Limits(d, "0", "pi(", "4");
    EXPECT_FALSE(d.Compute());
    EXPECT_TRUE(w.Inventory().Slot(0).results.empty());
    // Limits and count are formulas.
    Limits(d, "-pi/2", "pi/2", "2*2");
    d.SetSelIndex(measureid::kExample, 1);  // y = x
    d.CheckItem(271 + kSumParabolic, true);
    ASSERT_TRUE(d.Compute());
    EXPECT_NEAR(static_cast<double>(d.Sums().value[kSumParabolic]), 0.0, 1e-18);
    EXPECT_EQ(w.Inventory().Slot(3).results.size(), 1u);
}

TEST_F(MeasureDlgTest, StripsOfTheFirstCheckedMethodStayUntilTheDialogCloses) {
    TMeasureDlg& d = Open(measurecmd::kIntegral);
    d.SetSelIndex(measureid::kExample, 0);
    Limits(d, "0", "2", "5");
    for (int k = 0; k < kSumCount; ++k) d.CheckItem(measureid::kFirstCheck + k, k == kSumRandom || k == kSumTrapezoid);
    d.CheckItem(measureid::kDrawStrips, true);
    ASSERT_TRUE(d.Compute());
    ASSERT_EQ(w.Strips().size(), 5u);
    EXPECT_EQ(w.Strips()[4].size(), 4u);  // trapezoids come before random
    EXPECT_EQ(w.Strips()[4][2].x, 2.0L);
    EXPECT_NEAR(static_cast<double>(w.Strips()[4][2].y), 4.0, 1e-18);
    // Too many strips to draw: the sums still come, the picture loses the old strips.
    Limits(d, "0", "2", "6000");
    ASSERT_TRUE(d.Compute());
    EXPECT_TRUE(w.Strips().empty());
    Limits(d, "0", "2", "3");
    ASSERT_TRUE(d.Compute());
    EXPECT_EQ(w.Strips().size(), 3u);
    d.EvCommand(2);
    au::ProcessEvents();
    EXPECT_EQ(w.MeasureDialog(), nullptr);
    EXPECT_TRUE(w.Strips().empty());
}

TEST_F(MeasureDlgTest, DifferenceAndArcLengthVariants) {
    TMeasureDlg& d = Open(measurecmd::kIntegralOfDifference);
    EXPECT_TRUE(d.IsItemVisible(measureid::kSecondExample));
    d.SetSelIndex(measureid::kExample, 1);        // x
    d.SetSelIndex(measureid::kSecondExample, 0);  // x^2
    Limits(d, "0", "1", "2");
    ASSERT_TRUE(d.Compute());
    EXPECT_NEAR(static_cast<double>(d.Sums().value[kSumParabolic]), 1.0 / 6, 1e-18);

    TMeasureDlg& a = Open(measurecmd::kArcLength);  // replaces the integration dialog
    EXPECT_EQ(a.Command(), measurecmd::kArcLength);
    EXPECT_EQ(a.GetCount(measureid::kExample), 3);  // x^2, the circle, x
    a.SetSelIndex(measureid::kExample, 1);
    Limits(a, "0", "2pi", "8");
    ASSERT_TRUE(a.Compute());
    EXPECT_EQ(a.GetItemText(235), "6.28319");
    for (long double v : a.Sums().value) EXPECT_NEAR(static_cast<double>(v), 2 * std::numbers::pi, 1e-15);
    EXPECT_EQ(MeasurementResult::Load(w.Inventory().Slot(2).results.at(0)).tool, measurecmd::kArcLength);
}

TEST_F(MeasureDlgTest, SettingsAndResultsTravelWithTheDocument) {
    TMeasureDlg& d = Open(measurecmd::kIntegral);
    d.SetSelIndex(measureid::kExample, 0);
    Limits(d, "1", "3", "7");
    d.CheckItem(measureid::kDrawStrips, true);
    ASSERT_TRUE(d.Compute());
    const std::string path = ::testing::TempDir() + "/measure_doc.cv2";
    ASSERT_EQ(w.WriteDocument(path), 0);
    const MeasureSettings saved = w.Measures();

    TPlot2Win other(nullptr, "other.cv2");
    ASSERT_TRUE(other.Create());
    ASSERT_EQ(other.ReadDocument(path), 0);
    EXPECT_EQ(other.Measures().low, saved.low);
    EXPECT_EQ(other.Measures().high, saved.high);
    EXPECT_EQ(other.Measures().steps, 7);
    // The long-minus switch shares the mask's place in the file and must not change.
    EXPECT_EQ(other.Frame().longMinus, w.Frame().longMinus);
    ASSERT_EQ(other.Inventory().Slot(0).results.size(), 1u);
    EXPECT_EQ(other.Inventory().Slot(0).results[0], w.Inventory().Slot(0).results[0]);
}

TEST(RiemannStrips, ShapesFollowTheirMethod) {
    auto square = [](long double x, long double& y) { y = x * x; return true; };
    EXPECT_EQ(FirstCheckedMethod(MethodBit(kSumRight) | MethodBit(kSumParabolic) | kDrawStrips), kSumRight);
    EXPECT_EQ(FirstCheckedMethod(kDrawStrips), -1);
    auto left = BuildStrips(square, 0, 1, 2, kSumLeft, {});
    ASSERT_EQ(left.size(), 2u);
    EXPECT_EQ(left[1][1].y, 0.25L);  // height at x = 0.5
    auto random = BuildStrips(square, 0, 1, 1, kSumRandom, {0.5L});
    EXPECT_EQ(random[0][1].y, 0.25L);
    // The parabolic strip's top is the parabola itself, exact for x^2.
    auto parabolic = BuildStrips(square, 0, 1, 1, kSumParabolic, {});
    ASSERT_EQ(parabolic[0].size(), static_cast<std::size_t>(kParabolaPieces + 3));
    for (std::size_t k = 1; k + 1 < parabolic[0].size(); ++k)
        EXPECT_NEAR(static_cast<double>(parabolic[0][k].y), static_cast<double>(parabolic[0][k].x * parabolic[0][k].x), 1e-18);
    EXPECT_TRUE(BuildStrips(square, 0, 1, kMaxDrawnStrips + 1, kSumLeft, {}).empty());
}

TEST_F(MeasureDlgTest, IndefiniteAddsTheAntiderivativeAsAnExampleThatFollowsTheView) {
    TMeasureDlg& two = Open(measurecmd::kIntegralOfDifference);
    EXPECT_FALSE(two.IsItemVisible(measureid::kIndefinite));
    TMeasureDlg& d = Open(measurecmd::kIntegral);
    EXPECT_TRUE(d.IsItemVisible(measureid::kIndefinite));
    d.SetSelIndex(measureid::kExample, 0);  // x^2
    const int before = w.Inventory().Count();
    d.EvCommand(measureid::kIndefinite);
    ASSERT_EQ(w.Inventory().Count(), before + 1);
    const InventorySlot& slot = w.Inventory().Slot(before);
    EXPECT_EQ(slot.example.kind, kKindIndefiniteIntegral);
    EXPECT_EQ(slot.example.texts[1], "x^2");
    EXPECT_EQ(slot.name, "int x^2");
    EXPECT_NE(slot.trees[1], nullptr);
    EXPECT_EQ(w.Inventory().Selected(), before);
    EXPECT_EQ(d.GetCount(measureid::kExample), 2);  // the chooser offers functions only
    // Its view range follows the view, as an explicit curve's does.
    w.View().SetViewSquare(10, 0, 2);
    w.ViewApplied();
    EXPECT_EQ(w.Inventory().Slot(before).example.low, w.View().xmin);
}

TEST_F(MeasureDlgTest, AreaCountsTheGraphBelowTheAxisAsPositive) {
    TMeasureDlg& d = Open(measurecmd::kArea);
    EXPECT_EQ(d.GetCount(measureid::kExample), 2);  // x^2 and x
    d.SetSelIndex(measureid::kExample, 1);          // y = x
    Limits(d, "-1", "1", "2");
    ASSERT_TRUE(d.Compute());
    EXPECT_EQ(d.GetItemText(235), "1.00000");  // an integral would give 0
    EXPECT_EQ(MeasurementResult::Load(w.Inventory().Slot(3).results.at(0)).tool, measurecmd::kArea);
}

TEST_F(MeasureDlgTest, GeometricToolsOfferTheirExamplesComputeAndArchiveEachQuantity) {
    // The solid of revolution takes curves; the x-axis preset and a typed axis.
    TMeasureDlg& r = Open(geometrycmd::kRevolution);
    EXPECT_EQ(r.GetCount(measureid::kExample), 3);  // x^2, the circle, x
    r.SetSelIndex(measureid::kExample, 2);          // y = x
    Limits(r, "0", "1", "10");
    r.EvCommand(measureid::kYAxis);
    EXPECT_EQ(r.GetItemText(measureid::kAxisA), "1");
    ASSERT_TRUE(r.Compute());
    EXPECT_EQ(r.GetItemText(231), "1.04720");  // pi/3, the cone
    EXPECT_EQ(r.GetItemText(232), "4.44288");  // pi sqrt(2)
    const auto& results = w.Inventory().Slot(3).results;
    ASSERT_EQ(results.size(), 2u);
    const MeasurementResult volume = MeasurementResult::Load(results[0]), surface = MeasurementResult::Load(results[1]);
    EXPECT_EQ(volume.tool, geometrycmd::kRevolution);
    EXPECT_EQ(volume.quantity, 0);
    EXPECT_EQ(surface.quantity, 1);
    EXPECT_EQ(w.Measures().axisA, 1.0L);
    // a = b = 0 is refused and nothing more is archived.
    r.SetItemText(measureid::kAxisA, "0");
    r.SetItemText(measureid::kAxisB, "0");
    messages.clear();
    EXPECT_FALSE(r.Compute());
    EXPECT_EQ(messages.size(), 1u);
    EXPECT_EQ(results.size(), 2u);

    // The Két-menu centroid shows g and marks a region of zero area as undefined.
    TMeasureDlg& c = Open(geometrycmd::kCentroidBetween);
    EXPECT_TRUE(c.IsItemVisible(measureid::kSecondExample));
    c.SetSelIndex(measureid::kExample, 1);        // x
    c.SetSelIndex(measureid::kSecondExample, 1);  // x again
    Limits(c, "0", "1", "40");
    ASSERT_TRUE(c.Compute());
    EXPECT_EQ(c.GetItemText(231), "0.00000");
    EXPECT_EQ(c.GetItemText(232), "nem definiált");
    c.SetSelIndex(measureid::kSecondExample, 0);  // x^2
    ASSERT_TRUE(c.Compute());
    EXPECT_EQ(c.GetItemText(232), "0.50000");
    EXPECT_EQ(c.GetItemText(233), "0.40000");

    // The cross-section solid offers the shapes and keeps the chosen one in the window.
    TMeasureDlg& x = Open(geometrycmd::kCrossSection);
    EXPECT_FALSE(x.IsItemVisible(measureid::kSecondExample));
    EXPECT_EQ(x.GetCount(measureid::kShape), static_cast<int>(CrossSectionShape::Count));
    x.SetSelIndex(measureid::kExample, 1);  // x
    x.SetSelIndex(measureid::kShape, 4);    // right isosceles on a leg: x^2/2
    Limits(x, "0", "3", "2");
    ASSERT_TRUE(x.Compute());
    EXPECT_EQ(x.GetItemText(231), "4.50000");
    EXPECT_EQ(w.Measures().crossSection, 4);

    // Axis and shape travel with the document.
    const std::string path = ::testing::TempDir() + "/geometry_doc.cv2";
    ASSERT_EQ(w.WriteDocument(path), 0);
    TPlot2Win other(nullptr, "other.cv2");
    ASSERT_TRUE(other.Create());
    ASSERT_EQ(other.ReadDocument(path), 0);
    EXPECT_EQ(other.Measures().crossSection, 4);
    EXPECT_EQ(other.Measures().axisA, 1.0L);
    EXPECT_EQ(other.Measures().axisB, 0.0L);
}
