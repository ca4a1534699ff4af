#include <cmath>
#include <numbers>
#include <vector>

#include "expr/engine.h"
#include "expr/eval.h"
#include "plot2d/antiderivative.h"
#include "plot2d/example_kinds.h"
#include "plot2d/measure_integrand.h"
#include "plot2d/six_sum_integrator.h"

#include <gtest/gtest.h>

using namespace curvelo;

namespace {

Integrand Power(int k) {
    return [k](long double x, long double& y) {
        y = std::pow(x, static_cast<long double>(k));
        return true;
    };
}

IntegratorHooks FixedUniform(long double u) { return {nullptr, [u] { return u; }}; }

}  // namespace

TEST(SixSumIntegrator, OneStepOfXSquaredGivesEachRuleItsTextbookValue) {
    const SixSums s = IntegrateSixWays(Power(2), 0, 1, 1, FixedUniform(0.5L));
    EXPECT_EQ(s.value[kSumLeft], 0.0L);
    EXPECT_EQ(s.value[kSumMiddle], 0.25L);
    EXPECT_EQ(s.value[kSumRight], 1.0L);
    EXPECT_EQ(s.value[kSumTrapezoid], 0.5L);
    EXPECT_NEAR(static_cast<double>(s.value[kSumParabolic]), 1.0 / 3, 1e-18);
    EXPECT_EQ(s.value[kSumRandom], 0.25L);  // U = 0.5 samples the midpoint
    EXPECT_EQ(s.done, 1);
}

TEST(SixSumIntegrator, ParabolicSumIsExactOnCubicsAndOthersConverge) {
    // 2x^3 - x + 1 on [-1, 2]: exact integral 2*(16-1)/4 - (4-1)/2 + 3 = 9.
    auto cubic = [](long double x, long double& y) { y = 2 * x * x * x - x + 1; return true; };
    const SixSums s4 = IntegrateSixWays(cubic, -1, 2, 4);
    EXPECT_NEAR(static_cast<double>(s4.value[kSumParabolic]), 9.0, 1e-15);
    const SixSums s = IntegrateSixWays(cubic, -1, 2, 3000);
    for (int m = 0; m < kSumCount; ++m) EXPECT_NEAR(static_cast<double>(s.value[m]), 9.0, 0.02) << m;
    // Reversed limits change the sign of every sum.
    const SixSums r = IntegrateSixWays(cubic, 2, -1, 4);
    EXPECT_NEAR(static_cast<double>(r.value[kSumParabolic]), -9.0, 1e-15);
}

TEST(SixSumIntegrator, LastRightPointIsTheUpperLimitExactly) {
    const long double a = 0.1L, b = 1.0L / 3;
    std::vector<long double> seen;
    auto record = [&](long double x, long double& y) { seen.push_back(x); y = x; return true; };
    IntegrateSixWays(record, a, b, 9, FixedUniform(0.25L));
    ASSERT_EQ(seen.size(), 1u + 3u * 9u);
    EXPECT_EQ(seen.front(), a);
    EXPECT_EQ(seen[seen.size() - 3], b);  // right, random, middle of the last step
    // h*9 added up does not land on b in extended precision, so b must be set, not summed.
    long double x = a;
    const long double h = (b - a) / 9;
    for (int i = 0; i < 9; ++i) x += h;
    EXPECT_NE(x, b);
}

TEST(SixSumIntegrator, UndefinedPointsCountAndAddNothing) {
    // 1/x on [-1, 1] in 4 steps: x = 0 is a right end and a left end, undefined both times;
    // the sums of the two halves cancel except where the pole is left out.
    auto reciprocal = [](long double x, long double& y) {
        if (x == 0) return false;
        y = 1 / x;
        return true;
    };
    const SixSums s = IntegrateSixWays(reciprocal, -1, 1, 4, FixedUniform(0.5L));
    EXPECT_EQ(s.undefinedPoints, 1);  // the left value is carried over, not evaluated again
    EXPECT_NEAR(static_cast<double>(s.value[kSumMiddle]), 0.0, 1e-18);
    // left: h*(f(-1) + f(-.5) + 0 + f(.5)) = 0.5*(-1 -2 +2) = -0.5; right mirrors it.
    EXPECT_NEAR(static_cast<double>(s.value[kSumLeft]), -0.5, 1e-18);
    EXPECT_NEAR(static_cast<double>(s.value[kSumRight]), 0.5, 1e-18);
    EXPECT_NEAR(static_cast<double>(s.value[kSumTrapezoid]), 0.0, 1e-18);
    for (long double v : s.value) EXPECT_TRUE(std::isfinite(v));
}

TEST(SixSumIntegrator, RandomSumChangesBetweenRunsAndStaysInsideTheBounds) {
    const SixSums first = IntegrateSixWays(Power(2), 0, 1, 10);
    const SixSums second = IntegrateSixWays(Power(2), 0, 1, 10);
    EXPECT_NE(first.value[kSumRandom], second.value[kSumRandom]);
    for (const SixSums& s : {first, second}) {
        EXPECT_GE(s.value[kSumRandom], s.value[kSumLeft]);   // x^2 rises on [0,1]
        EXPECT_LE(s.value[kSumRandom], s.value[kSumRight]);
        EXPECT_EQ(s.value[kSumLeft], first.value[kSumLeft]);  // the rest are repeatable
    }
}

TEST(SixSumIntegrator, StoppingWithQScalesTheStepsDoneSoFar) {
    int polls = 0;
    IntegratorHooks hooks{[&] { return ++polls == 3 ? kKeyStopSum : 0; }, [] { return 0.5L; }};
    auto one = [](long double, long double& y) { y = 1; return true; };
    const SixSums s = IntegrateSixWays(one, 0, 10, 10, hooks);
    EXPECT_EQ(s.lastKey, kKeyStopSum);
    EXPECT_EQ(s.done, 3);
    for (long double v : s.value) EXPECT_NEAR(static_cast<double>(v), 3.0, 1e-18);
}

TEST(SixSumIntegrator, StepCountIsKeptWithinItsBounds) {
    int calls = 0;
    auto count = [&](long double, long double& y) { ++calls; y = 1; return true; };
    const SixSums s = IntegrateSixWays(count, 0, 1, 0);
    EXPECT_EQ(s.done, 1);
    EXPECT_EQ(calls, 4);
    EXPECT_EQ(s.value[kSumParabolic], 1.0L);
}

TEST(MeasureIntegrand, ArcLengthOfTheUnitCircleIsTwoPiByEveryMethod) {
    FormulaEngine engine;
    ExampleInventory inventory;
    const int i = inventory.Begin(kKindParametric, 0, 1);
    inventory.At(i).texts[0] = "cos(t)";
    inventory.At(i).texts[1] = "sin(t)";
    ASSERT_EQ(inventory.Commit(i, engine), 0);
    SetLetter(engine.letters, kLetterT, 42);
    {
        OwnedTree speed(BuildSpeedTree(engine, inventory.Slot(i)));
        ASSERT_TRUE(speed);
        TreeIntegrand f(engine.letters, speed.get(), SampledLetter(inventory.At(i)));
        const SixSums s = IntegrateSixWays(f.AsIntegrand(), 0, 2 * std::numbers::pi_v<long double>, 16);
        for (int m = 0; m < kSumCount; ++m)
            EXPECT_NEAR(static_cast<double>(s.value[m]), 2 * std::numbers::pi, 1e-15) << m;
    }
    EXPECT_EQ(GetLetter(engine.letters, kLetterT), 42);  // the sampled letter is given back
}

TEST(MeasureIntegrand, ExplicitArcLengthAndTheDifferenceOfTwoFunctions) {
    FormulaEngine engine;
    ExampleInventory inventory;
    const int f = inventory.Begin(kKindExplicit, -5, 5);
    inventory.At(f).texts[1] = "3*x/4";
    ASSERT_EQ(inventory.Commit(f, engine), 0);
    const int g = inventory.Begin(kKindExplicit, -5, 5);
    inventory.At(g).texts[1] = "x^2";
    ASSERT_EQ(inventory.Commit(g, engine), 0);

    OwnedTree speed(BuildSpeedTree(engine, inventory.Slot(f)));
    TreeIntegrand line(engine.letters, speed.get(), kLetterX);
    // The line y = 3x/4 over [0, 4] is 5 long.
    EXPECT_NEAR(static_cast<double>(IntegrateSixWays(line.AsIntegrand(), 0, 4, 3).value[kSumLeft]), 5.0, 1e-15);

    OwnedTree diff(BuildDifferenceTree(inventory.Slot(f).trees[1], inventory.Slot(g).trees[1]));
    TreeIntegrand between(engine.letters, diff.get(), kLetterX);
    // 3x/4 - x^2 on [0, 3/4]: (3/4)^3 / 6.
    EXPECT_NEAR(static_cast<double>(IntegrateSixWays(between.AsIntegrand(), 0, 0.75L, 2).value[kSumParabolic]),
                0.421875 / 6, 1e-17);
    EXPECT_EQ(BuildSpeedTree(engine, InventorySlot{}), nullptr);  // kind 0 has no curve
}

TEST(Antiderivative, PassesThroughTheOriginWhereverTheViewIs) {
    auto twice = [](long double x, long double& y) { y = 2 * x; return true; };
    // Away from 0: the first sample is reached from the origin, then step by step.
    const std::vector<WorldPoint> far = AntiderivativePoints(twice, 3, 5, 4);
    ASSERT_EQ(far.size(), 5u);
    for (const WorldPoint& p : far) EXPECT_NEAR(static_cast<double>(p.y), static_cast<double>(p.x * p.x), 1e-15);
    EXPECT_EQ(far.back().x, 5.0L);
    // Across 0, and with an undefined point that adds nothing.
    auto stepless = [](long double x, long double& y) { y = 1; return x != 0.5L; };
    const std::vector<WorldPoint> across = AntiderivativePoints(stepless, -1, 1, 4);
    EXPECT_NEAR(static_cast<double>(across[2].y), 0.0, 1e-18);  // x = 0
    EXPECT_NEAR(static_cast<double>(across[0].y), -1.0, 1e-18);
    EXPECT_LT(across[4].y, 1.0L);  // the hole at 0.5 is missing from the sum
    EXPECT_TRUE(AntiderivativePoints(twice, 1, 1, 10).empty());
    EXPECT_EQ(AntiderivativePoints(twice, 0, 1, 1 << 30).size(), static_cast<std::size_t>(kMaxAntiderivativeSamples) + 1);
}
