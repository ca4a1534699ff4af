#include "plot2d/analysis_scan.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <vector>

#include "expr/eval.h"
#include "expr/math_functions.h"
#include "plot2d/example_kinds.h"

using namespace curvelo;

namespace {

class AnalysisScanTest : public ::testing::Test {
protected:
    // The default view: -5 ... 5 both ways.
    PlotView view;
    FormulaEngine engine;
    ExampleInventory inventory;

    int Add(std::uint16_t kind, std::vector<std::string> texts, long double lo = -5, long double hi = 5) {
        const int i = inventory.Begin(kind, lo, hi);
        for (std::size_t k = 0; k < texts.size(); ++k) inventory.At(i).texts[k] = texts[k];
        EXPECT_EQ(inventory.Commit(i, engine), 0);
        return i;
    }
    std::vector<AnalysisHit> Presses(AnalysisScan& scan, int n, ScanOutcome* last = nullptr) {
        std::vector<AnalysisHit> hits;
        for (int k = 0; k < n; ++k) {
            AnalysisHit hit;
            const ScanOutcome o = scan.Next(engine.letters, hit);
            if (last) *last = o;
            if (o == ScanOutcome::kFound) hits.push_back(hit);
        }
        return hits;
    }
};

}  // namespace

TEST(BracketRoot, EndPointRootsAndSignChanges) {
    FormulaEngine engine;
    LetterStore& s = engine.letters;
    ASSERT_EQ(engine.CompileFormula("x*x-2"), 0);
    ExprNode* f = engine.TakeCompiledTree();
    SetLetter(s, kLetterX, 7);
    long double root = 0;
    EXPECT_EQ(BracketRoot(s, f, kLetterX, 0, 2, 1e-18L, root), kRootFound);
    EXPECT_NEAR(static_cast<double>(root), std::sqrt(2.0), 1e-15);
    EXPECT_EQ(s.LetterValues[kLetterX].re, 7);  // restored
    EXPECT_EQ(BracketRoot(s, f, kLetterX, 2, 3, 1e-18L, root), kRootNoSignChange);
    FreeTree(f);

    // x(x-1): a vanishing end counts as not positive, so it is a root when the other end is
    // positive and suspicious when the other end is negative too.
    ASSERT_EQ(engine.CompileFormula("x*(x-1)"), 0);
    f = engine.TakeCompiledTree();
    EXPECT_EQ(BracketRoot(s, f, kLetterX, 1, 2, 1e-18L, root), kRootFound);
    EXPECT_EQ(root, 1);
    EXPECT_EQ(BracketRoot(s, f, kLetterX, -1, 0, 1e-18L, root), kRootFound);
    EXPECT_EQ(root, 0);
    EXPECT_EQ(BracketRoot(s, f, kLetterX, 0, 0.5, 1e-18L, root), kRootAtEndOnly);
    EXPECT_EQ(BracketRoot(s, f, kLetterX, 0.5, 1, 1e-18L, root), kRootAtEndOnly);
    FreeTree(f);

    ASSERT_EQ(engine.CompileFormula("ln(x)"), 0);
    f = engine.TakeCompiledTree();
    EXPECT_EQ(BracketRoot(s, f, kLetterX, -1, 2, 1e-18L, root), kRootUndefined);
    FreeTree(f);
}

TEST_F(AnalysisScanTest, SineZerosComeInOrderAndWrap) {
    const int i = Add(kKindExplicit, {"", "sin(x)"});
    AnalysisScan scan;
    ASSERT_EQ(scan.PrepareZeros(engine, inventory, i, view), 0);
    const std::vector<AnalysisHit> hits = Presses(scan, 4);
    ASSERT_EQ(hits.size(), 4u);
    const long double expected[] = {-kPi, 0, kPi, -kPi};
    for (int k = 0; k < 4; ++k) EXPECT_NEAR(static_cast<double>(hits[k].x), static_cast<double>(expected[k]), 1e-15);
    EXPECT_LT(hits[0].subinterval, hits[1].subinterval);
}

TEST_F(AnalysisScanTest, DoubleZeroOncePolesRejectedZeroFunctionTooMany) {
    AnalysisScan scan;
    ASSERT_EQ(scan.PrepareZeros(engine, inventory, Add(kKindExplicit, {"", "x^2"}), view), 0);
    std::vector<AnalysisHit> round;
    ASSERT_EQ(scan.Round(engine.letters, round), ScanOutcome::kFound);
    ASSERT_EQ(round.size(), 1u);
    EXPECT_NEAR(static_cast<double>(round[0].x), 0.0, 1e-8);

    // tan changes sign at +-pi/2 and +-3pi/2 through poles: only 0 and +-pi are zeros.
    round.clear();
    ASSERT_EQ(scan.PrepareZeros(engine, inventory, Add(kKindExplicit, {"", "tan(x)"}), view), 0);
    ASSERT_EQ(scan.Round(engine.letters, round), ScanOutcome::kFound);
    ASSERT_EQ(round.size(), 3u);
    EXPECT_NEAR(static_cast<double>(round[0].x), -kPi, 1e-12);
    EXPECT_NEAR(static_cast<double>(round[2].x), kPi, 1e-12);

    ASSERT_EQ(scan.PrepareZeros(engine, inventory, Add(kKindExplicit, {"", "0"}), view), 0);
    ScanOutcome last{};
    EXPECT_TRUE(Presses(scan, 1, &last).empty());
    EXPECT_EQ(last, ScanOutcome::kTooMany);
    EXPECT_EQ(ScanMessage(last), kMsgTooManyRoots);

    ASSERT_EQ(scan.PrepareZeros(engine, inventory, Add(kKindExplicit, {"", "x*x+1"}), view), 0);
    EXPECT_TRUE(Presses(scan, 1, &last).empty());
    EXPECT_EQ(ScanMessage(last), kMsgNotFound);
}

TEST_F(AnalysisScanTest, ZerosOfSegmentsAndLines) {
    AnalysisScan scan;
    std::vector<AnalysisHit> round;
    // From (-1.5, 3) to (3.5, -2): crosses the x axis at x = 1.5.
    ASSERT_EQ(scan.PrepareZeros(engine, inventory, Add(kKindSegment, {"-1.5", "3", "3.5", "-2"}), view), 0);
    ASSERT_EQ(scan.Round(engine.letters, round), ScanOutcome::kFound);
    ASSERT_EQ(round.size(), 1u);
    EXPECT_NEAR(static_cast<double>(round[0].x), 1.5, 1e-12);
    // 3x + 0y = 6 is vertical and meets the axis at x = 2; 0x + 2y = 4 never does.
    round.clear();
    ASSERT_EQ(scan.PrepareZeros(engine, inventory, Add(kKindLine, {"3", "0", "6"}), view), 0);
    ASSERT_EQ(scan.Round(engine.letters, round), ScanOutcome::kFound);
    EXPECT_NEAR(static_cast<double>(round.at(0).x), 2.0, 1e-12);
    round.clear();
    ASSERT_EQ(scan.PrepareZeros(engine, inventory, Add(kKindLine, {"0", "2", "4"}), view), 0);
    EXPECT_EQ(scan.Round(engine.letters, round), ScanOutcome::kNotFound);
    EXPECT_EQ(scan.PrepareZeros(engine, inventory, Add(kKindLine, {"0", "0", "1"}), view), kMsgUndefinedCurve);
    EXPECT_EQ(scan.PrepareZeros(engine, inventory, Add(kKindSegment, {"0", "0", "ln(-1)", "1"}), view),
              kMsgUndefinedCurve);
    EXPECT_EQ(scan.PrepareZeros(engine, inventory, Add(kKindPolar, {"", "", "1"}, 0, kTwoPi), view),
              kMsgChooseExample);
}

TEST_F(AnalysisScanTest, ExtremaOfFunctionsAndCurves) {
    AnalysisScan scan;
    std::vector<AnalysisHit> round;
    // x^3 - 3x: maximum at -1 (y 2), minimum at 1; x^3 has only an inflection.
    ASSERT_EQ(scan.PrepareExtrema(engine, inventory, Add(kKindExplicit, {"", "x^3-3x"}), Quantity::kY, view), 0);
    ASSERT_EQ(scan.Round(engine.letters, round), ScanOutcome::kFound);
    ASSERT_EQ(round.size(), 2u);
    EXPECT_NEAR(static_cast<double>(round[0].x), -1, 1e-12);
    EXPECT_NEAR(static_cast<double>(round[0].y), 2, 1e-12);
    round.clear();
    ASSERT_EQ(scan.PrepareExtrema(engine, inventory, Add(kKindExplicit, {"", "x^3"}), Quantity::kY, view), 0);
    EXPECT_EQ(scan.Round(engine.letters, round), ScanOutcome::kNotFound);
    EXPECT_EQ(scan.PrepareExtrema(engine, inventory, 0, Quantity::kR, view), kMsgChooseExample);

    // The ellipse (3cos t, 2sin t): x is extremal at t = pi (the end points 0 and 2pi are
    // never reported), r at pi/2, pi and 3pi/2 within the open range.
    const int ellipse = Add(kKindParametric, {"3cos(t)", "2sin(t)"}, 0, kTwoPi);
    round.clear();
    ASSERT_EQ(scan.PrepareExtrema(engine, inventory, ellipse, Quantity::kX, view), 0);
    ASSERT_EQ(scan.Round(engine.letters, round), ScanOutcome::kFound);
    ASSERT_EQ(round.size(), 1u);
    EXPECT_NEAR(static_cast<double>(round[0].x), -3, 1e-12);
    EXPECT_NEAR(static_cast<double>(round[0].t), kPi, 1e-12);
    round.clear();
    ASSERT_EQ(scan.PrepareExtrema(engine, inventory, ellipse, Quantity::kR, view), 0);
    ASSERT_EQ(scan.Round(engine.letters, round), ScanOutcome::kFound);
    ASSERT_EQ(round.size(), 3u);
    EXPECT_NEAR(static_cast<double>(round[0].r), 2, 1e-12);
    EXPECT_NEAR(static_cast<double>(round[1].r), 3, 1e-12);
}

TEST_F(AnalysisScanTest, LineMeetsParametricCircleAtHandComputedAngles) {
    // The circle of radius 2 and the line y = 1 meet at (+-sqrt 3, 1); the radius there is
    // 30 degrees above the axis, so the tangent makes 60 degrees with the line.
    const int circle = Add(kKindParametric, {"2cos(t)", "2sin(t)"}, 0, kTwoPi);
    const int line = Add(kKindLine, {"0", "1", "1"});
    AnalysisScan scan;
    ASSERT_EQ(scan.PrepareIntersections(engine, inventory, line, circle, view), 0);
    const std::vector<AnalysisHit> hits = Presses(scan, 3);
    ASSERT_EQ(hits.size(), 3u);
    EXPECT_NEAR(static_cast<double>(hits[0].x), std::sqrt(3.0), 1e-12);
    EXPECT_NEAR(static_cast<double>(hits[1].x), -std::sqrt(3.0), 1e-12);
    EXPECT_NEAR(static_cast<double>(hits[2].x), std::sqrt(3.0), 1e-12);  // round again
    for (const AnalysisHit& h : hits) {
        EXPECT_NEAR(static_cast<double>(h.y), 1, 1e-12);
        EXPECT_NEAR(static_cast<double>(h.angle * 180 / kPi), 60, 1e-9);
        // The unit tangents drawn at the point: the line's is level.
        EXPECT_NEAR(static_cast<double>(std::fabs(h.tangent2.x)), 1, 1e-15);
        EXPECT_NEAR(static_cast<double>(std::fabs(h.tangent1.x * h.tangent2.x + h.tangent1.y * h.tangent2.y)), 0.5, 1e-12);
    }
    // x + y = 2 meets it at (2, 0) and (0, 2), where the tangent is vertical or level: 45
    // degrees to the line. y = 2 only touches it at (0, 2), found through H'.
    const int slanted = Add(kKindLine, {"1", "1", "2"});
    std::vector<AnalysisHit> round;
    ASSERT_EQ(scan.PrepareIntersections(engine, inventory, circle, slanted, view), 0);
    ASSERT_EQ(scan.Round(engine.letters, round), ScanOutcome::kFound);
    ASSERT_EQ(round.size(), 2u);
    EXPECT_NEAR(static_cast<double>(round[0].x), 2, 1e-9);
    EXPECT_NEAR(static_cast<double>(round[1].y), 2, 1e-9);
    EXPECT_NEAR(static_cast<double>(round[0].angle * 180 / kPi), 45, 1e-6);
    round.clear();
    ASSERT_EQ(scan.PrepareIntersections(engine, inventory, circle, Add(kKindLine, {"0", "1", "2"}), view), 0);
    ASSERT_EQ(scan.Round(engine.letters, round), ScanOutcome::kFound);
    ASSERT_EQ(round.size(), 1u);
    EXPECT_NEAR(static_cast<double>(round[0].x), 0, 1e-9);
    EXPECT_NEAR(static_cast<double>(round[0].angle), 0, 1e-9);
}

TEST_F(AnalysisScanTest, IntersectionPairs) {
    const int parabola = Add(kKindExplicit, {"", "x^2"});
    const int line = Add(kKindExplicit, {"", "x+2"});
    const int segment = Add(kKindSegment, {"0", "-1", "0", "5"});
    const int circle = Add(kKindParametric, {"cos(t)", "sin(t)"}, 0, kTwoPi);
    const int polarCircle = Add(kKindPolar, {"", "", "1"}, 0, kTwoPi);
    AnalysisScan scan;
    std::vector<AnalysisHit> round;
    // x^2 = x + 2 at -1 and 2; the segment on the y axis crosses x^2 at the origin, at
    // right angles.
    ASSERT_EQ(scan.PrepareIntersections(engine, inventory, parabola, line, view), 0);
    ASSERT_EQ(scan.Round(engine.letters, round), ScanOutcome::kFound);
    ASSERT_EQ(round.size(), 2u);
    EXPECT_NEAR(static_cast<double>(round[0].x), -1, 1e-12);
    EXPECT_NEAR(static_cast<double>(round[1].y), 4, 1e-12);
    round.clear();
    ASSERT_EQ(scan.PrepareIntersections(engine, inventory, parabola, segment, view), 0);
    ASSERT_EQ(scan.Round(engine.letters, round), ScanOutcome::kFound);
    ASSERT_EQ(round.size(), 1u);
    EXPECT_NEAR(static_cast<double>(round[0].y), 0, 1e-9);
    EXPECT_NEAR(static_cast<double>(round[0].angle * 180 / kPi), 90, 1e-6);
    // The segment from (0,-1) to (0,5) meets the unit circle at (0, 1) and (0, -1).
    round.clear();
    ASSERT_EQ(scan.PrepareIntersections(engine, inventory, segment, circle, view), 0);
    ASSERT_EQ(scan.Round(engine.letters, round), ScanOutcome::kFound);
    EXPECT_EQ(round.size(), 2u);

    EXPECT_EQ(scan.PrepareIntersections(engine, inventory, circle, polarCircle, view), kMsgTwoParametric);
    EXPECT_EQ(scan.PrepareIntersections(engine, inventory, line, line, view), kMsgSameExample);
    EXPECT_EQ(IntersectionRefusal(kKindImplicit, kKindImplicit), kMsgTwoParametric);
    EXPECT_EQ(IntersectionRefusal(kKindPoint, kKindExplicit), kMsgChooseExample);
}

TEST_F(AnalysisScanTest, HitsArchiveOnceAndBecomePoints) {
    const int f = Add(kKindExplicit, {"", "sin(x)"});
    AnalysisScan scan;
    ASSERT_EQ(scan.PrepareZeros(engine, inventory, f, view), 0);
    AnalysisHit hit;
    ASSERT_EQ(scan.Next(engine.letters, hit), ScanOutcome::kFound);
    const NumberFormat format;
    EXPECT_EQ(HitText(analysiscmd::kZeros, kKindExplicit, hit, format), "x = -3.14159");
    InventorySlot& slot = inventory.Slot(f);
    ArchiveResult(slot, HitRecord(analysiscmd::kZeros, hit));
    ArchiveResult(slot, HitRecord(analysiscmd::kZeros, hit));
    ASSERT_EQ(slot.results.size(), 1u);
    const MeasurementResult back = MeasurementResult::Load(slot.results[0]);
    EXPECT_TRUE(IsHitRecord(back));
    EXPECT_EQ(back.low, hit.x);

    const int p = AddHitPoint(inventory, engine, hit.x, hit.y);
    ASSERT_GE(p, 0);
    EXPECT_EQ(inventory.At(p).kind, kKindPoint);
    long double x = 0;
    ASSERT_EQ(EvaluateText(engine, inventory.At(p).texts[0], x), 0);
    EXPECT_NEAR(static_cast<double>(x), -kPi, 1e-14);
    EXPECT_EQ(AddHitPoint(inventory, engine, 1e300L, 0), -1);
}

TEST_F(AnalysisScanTest, BoundsFromAHostileFileFindNothing) {
    const int i = Add(kKindExplicit, {"", "sin(x)"});
    AnalysisScan scan;
    std::vector<AnalysisHit> round;
    const long double bad[][2] = {{std::nanl(""), 5}, {-5, std::numeric_limits<long double>::infinity()}, {5, -5}};
    for (const auto& b : bad) {
        inventory.At(i).low = b[0];
        inventory.At(i).high = b[1];
        ASSERT_EQ(scan.PrepareZeros(engine, inventory, i, view), 0);
        round.clear();
        EXPECT_EQ(scan.Round(engine.letters, round), ScanOutcome::kNotFound);
    }
}
