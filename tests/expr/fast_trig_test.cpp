#include "expr/fast_exp.h"
#include "expr/fast_trig.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <random>

using namespace curvelo;

TEST(FastTrig, AgreesWithTheLibraryToTheLastBitsOverEveryQuadrant) {
    std::mt19937_64 random(7);
    std::uniform_real_distribution<double> coarse(-60, 60), fine(-1, 1);
    long double worst = 0;
    for (int i = 0; i < 200000; ++i) {
        const long double x = static_cast<long double>(coarse(random)) + static_cast<long double>(fine(random)) * 1e-16L;
        worst = std::max(worst, std::fabs(FastSin(x) - std::sin(x)));
        worst = std::max(worst, std::fabs(FastCos(x) - std::cos(x)));
    }
    EXPECT_LT(worst, 1.2e-19L);  // about two units in the last place of values below 1

    // Near the zeros the absolute error is what counts; far out the reduction still holds.
    const long double pi = 3.141592653589793238462643383279502884L;
    EXPECT_LT(std::fabs(FastSin(pi) - std::sin(pi)), 1e-30L);
    EXPECT_LT(std::fabs(FastCos(pi / 2) - std::cos(pi / 2)), 1e-30L);
    EXPECT_LT(std::fabs(FastSin(999999.5L) - std::sin(999999.5L)), 1e-18L);
}

TEST(FastTrig, SignedZeroNanAndArgumentsBeyondTheReductionBehaveLikeTheLibrary) {
    EXPECT_TRUE(std::signbit(FastSin(-0.0L)));
    EXPECT_EQ(FastCos(-0.0L), 1.0L);
    EXPECT_TRUE(std::isnan(FastSin(std::nanl(""))));
    EXPECT_TRUE(std::isnan(FastCos(INFINITY)));
    for (long double x : {0x1p63L, -1e19L, 1e300L}) {
        EXPECT_EQ(FastSin(x), std::sin(x)) << static_cast<double>(x);
        EXPECT_EQ(FastCos(x), std::cos(x)) << static_cast<double>(x);
    }
}

TEST(FastTrig, ReductionStaysInTheQuarterAndKeepsTheQuadrant) {
    std::mt19937_64 random(11);
    std::uniform_real_distribution<double> wide(-1e12, 1e12);
    for (int i = 0; i < 2000; ++i) {
        const long double x = static_cast<long double>(wide(random));
        const fasttrig::Reduced reduced = fasttrig::Reduce(x);
        EXPECT_LE(std::fabs(reduced.r.hi), fasttrig::kQuarterPi * (1 + 1e-15L)) << static_cast<double>(x);
        EXPECT_LT(std::fabs(reduced.r.lo), std::fabs(reduced.r.hi) * 1e-18L) << static_cast<double>(x);
        // The library's values pick the same quadrant and differ far below the tolerance.
        EXPECT_LT(std::fabs(FastSin(x) - std::sin(x)), 2e-19L) << static_cast<double>(x);
        EXPECT_LT(std::fabs(FastCos(x) - std::cos(x)), 2e-19L) << static_cast<double>(x);
    }
}

TEST(FastTrig, QuickReductionAgreesWithTheExactOneFarBelowAnUlp) {
    std::mt19937_64 random(13);
    std::uniform_real_distribution<double> wide(-0x1p20, 0x1p20), fine(-1, 1);
    int quick = 0;
    for (int i = 0; i < 100000; ++i) {
        // Some arguments a hair from multiples of pi/2, where the remainder is smallest.
        long double x = static_cast<long double>(wide(random));
        if (i % 3 == 0) x = std::nearbyint(x / 1.5707963267948966L) * 1.5707963267948966192313216916397514L + fine(random) * 1e-7L;
        if (std::fabs(x) <= fasttrig::kQuarterPi) continue;
        const fasttrig::Reduced r = fasttrig::Reduce(x);
        const fasttrig::Reduced exact = fasttrig::ReduceLarge(x);
        if (std::fabs(exact.r.hi) > fasttrig::kQuarterPi * (1 - 1e-12L)) continue;  // either quadrant will do
        ASSERT_EQ(r.quadrant, exact.quadrant) << static_cast<double>(x);
        const long double difference = (r.r.hi - exact.r.hi) + (r.r.lo - exact.r.lo);
        ASSERT_LE(std::fabs(difference), std::fabs(exact.r.hi) * 0x1p-72L) << static_cast<double>(x);
        quick += std::fabs(r.r.hi) >= fasttrig::kQuickRemainder;
    }
    EXPECT_GT(quick, 50000);
}

TEST(FastExp, ArgumentsOutsideItsRangeGiveTheLimitsAndNaNStaysNaN) {
    // A letter read from a file may be NaN or huge; the power of two must never come from it.
    EXPECT_TRUE(std::isnan(FastExp(std::numeric_limits<long double>::quiet_NaN())));
    EXPECT_EQ(FastExp(20000.0L), HUGE_VALL);
    EXPECT_EQ(FastExp(-20000.0L), 0.0L);
    EXPECT_EQ(FastExp(std::numeric_limits<long double>::infinity()), HUGE_VALL);
    EXPECT_EQ(FastExp(-std::numeric_limits<long double>::infinity()), 0.0L);
    EXPECT_LT(std::fabs(ExpPair(10999.0L).hi / std::exp(10999.0L) - 1.0L), 1e-18L);
}
