#include <cmath>
#include <string>
#include <vector>

#include "expr/math_functions.h"
#include "framework/automation.h"
#include "framework/keys.h"
#include "plot2d/analysis_dlg.h"
#include "plot2d/example_kinds.h"
#include "plot2d/plot2_win.h"
#include "plot2d/running_point_dlg.h"
#include "plotwin/view_commands.h"

#include <gtest/gtest.h>

using namespace curvelo;
namespace au = curvelo::fw::automation;

namespace {

class AnalysisDlgTest : public ::testing::Test {
protected:
    void SetUp() override {
        au::SetMessageBoxHook([this](const std::string& text, const std::string&, unsigned) {
            messages.push_back(text);
            return fw::kIdOk;
        });
        ASSERT_TRUE(w.Create());
    }
    void TearDown() override { au::SetMessageBoxHook({}); }

    int Add(std::uint16_t kind, std::vector<std::string> texts, long double lo = -5, long double hi = 5) {
        ExampleInventory& inv = w.Inventory();
        const int i = inv.Begin(kind, lo, hi);
        for (std::size_t k = 0; k < texts.size(); ++k) inv.At(i).texts[k] = texts[k];
        inv.Commit(i, w.Engine());
        return i;
    }
    TAnalysisDlg& Open(int tool) {
        w.EvCommand(tool);
        EXPECT_NE(w.AnalysisDialog(), nullptr);
        return *w.AnalysisDialog();
    }
    std::string Press(TAnalysisDlg& d) {
        d.EvCommand(analysisid::kNext);
        return d.GetItemText(analysisid::kText);
    }

    bool appReady_ = (au::EnsureApplication(), true);  // before the window
    TPlot2Win w{nullptr, "analysis.cv2"};
    std::vector<std::string> messages;
};

}  // namespace

TEST_F(AnalysisDlgTest, ZerosStepWrapArchiveMarkAndSave) {
    const int sine = Add(kKindExplicit, {"", "sin(x)"});
    Add(kKindParametric, {"cos(t)", "sin(t)"}, 0, kTwoPi);  // not offered
    const int flat = Add(kKindExplicit, {"", "0"});
    TAnalysisDlg& d = Open(analysiscmd::kZeros);
    EXPECT_EQ(d.GetCount(analysisid::kFirst), 2);
    d.SetSelIndex(analysisid::kFirst, 0);
    EXPECT_EQ(Press(d), "x = -3.14159");
    EXPECT_EQ(Press(d), "x = 0.00000");
    EXPECT_EQ(Press(d), "x = 3.14159");
    EXPECT_EQ(Press(d), "x = -3.14159");
    // Each hit is archived once and the document is changed.
    EXPECT_EQ(w.Inventory().Slot(sine).results.size(), 3u);
    EXPECT_TRUE(w.IsModified());

    // "mentsd x-et mint" B, then "jelöld ki".
    d.SetSelIndex(analysisid::kLetter, 1);
    d.EvCommand(analysisid::kSave);
    EXPECT_NEAR(static_cast<double>(w.Engine().letters.LetterValues[2].re), -kPi, 1e-15);
    const int before = w.Inventory().Count();
    d.EvCommand(analysisid::kMark);
    ASSERT_EQ(w.Inventory().Count(), before + 1);
    EXPECT_EQ(w.Inventory().At(before).kind, kKindPoint);

    d.SetSelIndex(analysisid::kFirst, 1);
    EXPECT_EQ(Press(d), "túl sok");
    EXPECT_TRUE(w.Inventory().Slot(flat).results.empty());
    EXPECT_FALSE(d.HasHit());
    EXPECT_TRUE(messages.empty());
}

TEST_F(AnalysisDlgTest, ExtremaOfferTheQuantitiesOfTheCurve) {
    Add(kKindExplicit, {"", "x^2-1"});
    const int ellipse = Add(kKindParametric, {"3cos(t)", "2sin(t)"}, 0, kTwoPi);
    TAnalysisDlg& d = Open(analysiscmd::kExtrema);
    d.SetSelIndex(analysisid::kFirst, 0);
    d.EvNotify(analysisid::kFirst, fw::Notify::SelChange);
    EXPECT_EQ(d.GetCount(analysisid::kSecond), 1);  // y
    EXPECT_EQ(Press(d), "x = 0.00000   y = -1.00000");

    d.SetSelIndex(analysisid::kFirst, 1);
    d.EvNotify(analysisid::kFirst, fw::Notify::SelChange);
    ASSERT_EQ(d.GetCount(analysisid::kSecond), 3);  // x, y, r
    d.SetSelIndex(analysisid::kSecond, 0);
    EXPECT_EQ(Press(d), "x = -3.00000   y = 0.00000   t = 3.14159   r = 3.00000");
    // r is saved into A.
    d.SetSelIndex(analysisid::kValue, 3);
    d.SetSelIndex(analysisid::kLetter, 0);
    d.EvCommand(analysisid::kSave);
    EXPECT_NEAR(static_cast<double>(w.Engine().letters.LetterValues[1].re), 3, 1e-15);
    EXPECT_EQ(MeasurementResult::Load(w.Inventory().Slot(ellipse).results.at(0)).tool, analysiscmd::kExtrema);
}

TEST_F(AnalysisDlgTest, IntersectionsShowTheAngleAndRefuseTwoCurvesWithParameters) {
    const int circle = Add(kKindParametric, {"2cos(t)", "2sin(t)"}, 0, kTwoPi);
    Add(kKindLine, {"0", "1", "1"});
    Add(kKindPolar, {"", "", "1"}, 0, kTwoPi);
    TAnalysisDlg& d = Open(analysiscmd::kIntersections);
    d.SetSelIndex(analysisid::kFirst, 0);
    d.SetSelIndex(analysisid::kSecond, 1);
    EXPECT_EQ(Press(d), "x = 1.73205   y = 1.00000   szög = 60.00000°");
    EXPECT_EQ(Press(d), "x = -1.73205   y = 1.00000   szög = 60.00000°");
    d.CheckItem(analysisid::kDegrees, false);
    EXPECT_EQ(Press(d), "x = 1.73205   y = 1.00000   szög = 1.04720");
    EXPECT_EQ(w.Inventory().Slot(circle).results.size(), 2u);

    d.SetSelIndex(analysisid::kSecond, 2);  // the polar circle
    EXPECT_EQ(Press(d), MessageText(kMsgTwoParametric));
    EXPECT_FALSE(d.HasHit());
}

TEST_F(AnalysisDlgTest, HitsTravelWithTheDocument) {
    const int sine = Add(kKindExplicit, {"", "sin(x)"});
    TAnalysisDlg& d = Open(analysiscmd::kZeros);
    Press(d);
    Press(d);
    const std::string path = ::testing::TempDir() + "/analysis_doc.cv2";
    ASSERT_EQ(w.WriteDocument(path), 0);
    TPlot2Win other(nullptr, "other.cv2");
    ASSERT_TRUE(other.Create());
    ASSERT_EQ(other.ReadDocument(path), 0);
    ASSERT_EQ(other.Inventory().Slot(sine).results.size(), 2u);
    EXPECT_EQ(other.Inventory().Slot(sine).results, w.Inventory().Slot(sine).results);
    const MeasurementResult r = MeasurementResult::Load(other.Inventory().Slot(sine).results[1]);
    EXPECT_EQ(r.tool, analysiscmd::kZeros);
    EXPECT_NEAR(static_cast<double>(r.low), 0, 1e-15);
}

TEST_F(AnalysisDlgTest, RunningPointFollowsArrowsAndMouseAndEndsWithQ) {
    Add(kKindExplicit, {"", "x^2"});
    w.Inventory().Select(0);
    w.EvCommand(analysiscmd::kRunningPoint);
    TRunningPointDlg* d = w.RunningPointDialog();
    ASSERT_NE(d, nullptr);
    ASSERT_TRUE(d->HasPoint());
    // It starts in the middle of the range, where the parabola's osculating circle has
    // radius 1/2 about (0, 1/2).
    EXPECT_NEAR(static_cast<double>(d->Picture().x), 0, 1e-15);
    EXPECT_TRUE(d->Picture().hasCircle);
    EXPECT_NEAR(static_cast<double>(d->Picture().radius), 0.5, 1e-15);
    EXPECT_NEAR(static_cast<double>(d->Picture().cy), 0.5, 1e-15);
    EXPECT_EQ(d->GetItemText(traceid::kSlope), "0.00000");
    const PlotView before = w.View();
    w.EvCommand(kCmdPanRight);  // moves the point, not the view
    EXPECT_EQ(w.View().xmin, before.xmin);
    EXPECT_NEAR(static_cast<double>(d->Picture().x), 10.0 / RunningPoint::kDefaultSteps, 1e-15);
    w.EvCommand(kCmdPanUp);
    EXPECT_NEAR(static_cast<double>(d->Picture().x), 11 * 10.0 / RunningPoint::kDefaultSteps, 1e-15);
    // A click near (1, 1) puts the point there, with slope 2.
    const int px = w.View().ToPixelX(1), py = w.View().ToPixelY(1);
    au::Click(w, px, py);
    EXPECT_NEAR(static_cast<double>(d->Picture().x), 1, 0.05);
    EXPECT_NEAR(static_cast<double>(d->Picture().slope), 2, 0.1);

    au::PostKey(w, 'Q');
    au::ProcessEvents();
    EXPECT_EQ(w.RunningPointDialog(), nullptr);
    w.EvCommand(kCmdPanRight);
    EXPECT_GT(w.View().xmin, before.xmin);
}

TEST(RunningPoint, StepsStayInTheRangeAndTheNearestSampleWins) {
    RunningPoint p;
    p.Reset(0, 10, 10);
    EXPECT_EQ(p.T(), 5);
    p.Step(3);
    EXPECT_EQ(p.T(), 8);
    p.Step(100);
    EXPECT_EQ(p.T(), 10);
    p.Step(-1000000);
    EXPECT_EQ(p.T(), 0);
    // Undefined samples are skipped; nothing defined leaves the point where it is.
    EXPECT_TRUE(p.MoveNearest([](long double t, long double& d2) { d2 = (t - 7.2L) * (t - 7.2L); return t != 7; }, 10));
    EXPECT_EQ(p.T(), 8);
    EXPECT_FALSE(p.MoveNearest([](long double, long double&) { return false; }, 10));
    EXPECT_EQ(p.T(), 8);
    p.Reset(3, 3);  // an empty range becomes one unit wide
    EXPECT_EQ(p.High(), 4);
}
