#include "expr/math_functions.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

#include "expr/eval.h"

using namespace curvelo;

// Compares in long double; the library macro rounds to double first.
#define EXPECT_CLOSE(a, b, tol) EXPECT_LE(std::fabs(static_cast<long double>(a) - static_cast<long double>(b)), (tol)) << #a

TEST(RoundToInt, HalfRoundsDownAboveHalfUpSignReapplied) {
    EXPECT_EQ(RoundToInt(2.5L), 2);
    EXPECT_EQ(RoundToInt(2.5000001L), 3);
    EXPECT_EQ(RoundToInt(-2.5L), -2);
    EXPECT_EQ(RoundToInt(-2.6L), -3);
    EXPECT_EQ(RoundToInt(0.4L), 0);
    EXPECT_EQ(RoundToInt(1e30L), kIntMax);
    EXPECT_EQ(RoundToInt(-1e30L), -kIntMax);
    EXPECT_EQ(RoundToInt(std::numeric_limits<long double>::quiet_NaN()), 0);
    EXPECT_EQ(RoundToInt(std::numeric_limits<long double>::infinity()), kIntMax);
}

TEST(ToInteger, ToleranceAndRange) {
    std::int32_t n = 0;
    EXPECT_TRUE(ToInteger(ExtComplex{3.0L + 1e-10L, 0.0L}, n));
    EXPECT_EQ(n, 3);
    EXPECT_FALSE(ToInteger(ExtComplex{3.0L + 1e-8L, 0.0L}, n));
    EXPECT_FALSE(ToInteger(ExtComplex{3.0L, 1e-8L}, n));
    EXPECT_TRUE(ToInteger(ExtComplex{-2147483647.0L, 0.0L}, n));
    EXPECT_EQ(n, -2147483647);
    EXPECT_FALSE(ToInteger(ExtComplex{2147483648.0L, 0.0L}, n));
}

TEST(MagnitudeClass, Boundaries) {
    EXPECT_EQ(ExpLimitLow(), std::exp(-5000.0L));
    EXPECT_EQ(ExpLimitHigh(), std::exp(5000.0L));
    EXPECT_EQ(MagnitudeClass(0.0L), 1);
    EXPECT_EQ(MagnitudeClass(1e-2000L), 2);
    EXPECT_EQ(MagnitudeClass(std::exp(-5001.0L)), 1);
    EXPECT_EQ(MagnitudeClass(kTiny), 3);
    EXPECT_EQ(MagnitudeClass(kBig), 3);
    EXPECT_EQ(MagnitudeClass(1e19L), 4);
    EXPECT_EQ(MagnitudeClass(std::exp(5001.0L)), 5);
    EXPECT_EQ(MagnitudeClass(std::numeric_limits<long double>::quiet_NaN()), 5);
}

TEST(Erf, MatchesLibraryAcrossTableAndSaturates) {
    EXPECT_EQ(Erf(0.0L), 0.0L);
    EXPECT_EQ(Erf(7.0L), 1.0L);
    EXPECT_EQ(Erf(-7.0L), -1.0L);
    EXPECT_EQ(Erf(-1.0L), -Erf(1.0L));
    for (long double x = -6.4L; x <= 6.4L; x += 0.0137L)
        EXPECT_CLOSE(Erf(x), std::erf(x), 1e-16L) << static_cast<double>(x);
    EXPECT_CLOSE(ErfTableEntry(100), std::erf(1.0L), 1e-19L);
    EXPECT_EQ(ErfTableEntry(641), 0.0L);
    EXPECT_EQ(ErfTableEntry(-1), 0.0L);
}

TEST(Gamma, ValuesReflectionAndPoles) {
    long double g = 0.0L;
    bool jump = false;
    const long double xs[] = {0.5L, 1.0L, 3.0L, 5.0L, 10.25L, 100.0L, -0.5L, -1.5L, -3.7L};
    for (long double x : xs) {
        ASSERT_TRUE(Gamma(x, 0.001L, g, jump)) << static_cast<double>(x);
        EXPECT_CLOSE(g / std::tgamma(x), 1.0L, 1e-12L) << static_cast<double>(x);
    }
    EXPECT_FALSE(jump);
    for (long double pole : {0.0L, -1.0L, -2.0005L, -7.0L}) {
        jump = false;
        EXPECT_FALSE(Gamma(pole, 0.001L, g, jump)) << static_cast<double>(pole);
        EXPECT_TRUE(jump);
    }
    // Near a pole but outside the tolerance still has a value.
    EXPECT_TRUE(Gamma(-2.01L, 0.001L, g, jump));
    // The exponent bound: Gamma of about 1000 overflows the limit.
    EXPECT_FALSE(Gamma(1000.0L, 0.001L, g, jump));
    EXPECT_FALSE(Gamma(std::numeric_limits<long double>::quiet_NaN(), 0.001L, g, jump));
}

TEST(Random, UnitValuesUseSixDigitsAndStayInRange) {
    SeedRandom(7);
    for (int i = 0; i < 1000; ++i) {
        const long double r = RandomUnit();
        ASSERT_GE(r, 0.0L);
        ASSERT_LT(r, 1.0L);
        EXPECT_CLOSE(r * 1e6L, std::round(r * 1e6L), 1e-6L);
        ASSERT_LT(RandomInt31(), 1u << 31);
    }
    SeedRandom(7);
    const long double first = RandomUnit();
    SeedRandom(7);
    EXPECT_EQ(RandomUnit(), first);
}

TEST(Multiply, RealOverflowClasses) {
    ExtComplex out;
    EXPECT_TRUE(Multiply({3, 0}, {4, 0}, false, out));
    EXPECT_EQ(out.re, 12);
    // Class 4 by class 3 is still a plain product.
    EXPECT_TRUE(Multiply({1e19L, 0}, {-2, 0}, false, out));
    EXPECT_EQ(out.re, -2e19L);
    // Class 4 by class 4 fails with a signed BIG.
    EXPECT_FALSE(Multiply({1e19L, 0}, {-1e19L, 0}, false, out));
    EXPECT_EQ(out.re, -kBig);
    // Class 2 by class 4 goes through logarithms.
    EXPECT_TRUE(Multiply({1e-20L, 0}, {1e25L, 0}, false, out));
    EXPECT_CLOSE(out.re, 1e5L, 1e-10L);
    EXPECT_FALSE(Multiply({1e-20L, 0}, {1e40L, 0}, false, out));  // ln product beyond 42
    // Class 1 by class 3 is a plain (zero) product.
    EXPECT_TRUE(Multiply({0, 0}, {5, 0}, false, out));
    EXPECT_EQ(out.re, 0);
}

TEST(Multiply, ComplexProductAndBounds) {
    ExtComplex out;
    EXPECT_TRUE(Multiply({1, 2}, {3, -1}, true, out));
    EXPECT_EQ(out.re, 5);
    EXPECT_EQ(out.im, 5);
    EXPECT_FALSE(Multiply({1e10L, 0}, {1e10L, 0}, true, out));
    EXPECT_TRUE(Multiply({1e-10L, 0}, {1e-10L, 0}, true, out));
    EXPECT_EQ(out.re, 0);
    EXPECT_FALSE(Multiply({1e19L, 0}, {1, 0}, true, out));
}

TEST(Divide, ThresholdsOfTinyAndBig) {
    ExtComplex out;
    EXPECT_FALSE(Divide({1, 0}, {0, 0}, false, out));
    EXPECT_FALSE(Divide({1, 0}, {1e-19L, 0}, false, out));
    ASSERT_TRUE(Divide({1, 0}, {1e-17L, 0}, false, out));
    EXPECT_CLOSE(out.re, 1e17L, 1e3L);
    EXPECT_FALSE(Divide({1e19L, 0}, {1, 0}, false, out));
    EXPECT_TRUE(Divide({1e-10L, 0}, {1e10L, 0}, false, out));
    EXPECT_EQ(out.re, 0);
    // Real mode divides real parts only: a purely imaginary divisor cannot give infinity.
    EXPECT_FALSE(Divide({1, 0}, {0, 1}, false, out));
    ASSERT_TRUE(Divide({1, 0}, {0, 1}, true, out));
    EXPECT_EQ(out.re, 0);
    EXPECT_EQ(out.im, -1);
    ExtComplex a{6, 0};
    ASSERT_TRUE(Divide(a, a, false, a));  // the result may alias an operand
    EXPECT_EQ(a.re, 1);
}

TEST(IntegerPower, SquareAndMultiplyWithOverflowRules) {
    ExtComplex out;
    EXPECT_TRUE(IntegerPower({-2, 0}, 3, false, out));
    EXPECT_EQ(out.re, -8);
    EXPECT_TRUE(IntegerPower({0, 0}, 0, false, out));
    EXPECT_EQ(out.re, 1);
    EXPECT_FALSE(IntegerPower({0, 0}, -1, false, out));
    EXPECT_TRUE(IntegerPower({2, 0}, -2, false, out));
    EXPECT_EQ(out.re, 0.25L);
    // 2^100 passes through 2^64 (class 4) times 2^36 without a spurious last square.
    ASSERT_TRUE(IntegerPower({2, 0}, 100, false, out));
    EXPECT_EQ(out.re, std::ldexp(1.0L, 100));
    EXPECT_FALSE(IntegerPower({2, 0}, 128, false, out));
    // Intermediate squares in class 4 follow the class rules, not plain overflow.
    ASSERT_TRUE(IntegerPower({1e10L, 0}, 3, false, out));
    EXPECT_EQ(out.re, 1e30L);
    EXPECT_FALSE(IntegerPower({1e10L, 0}, 4, false, out));
    EXPECT_TRUE(IntegerPower({0, 1}, 2, true, out));
    EXPECT_EQ(out.re, -1);
    EXPECT_TRUE(IntegerPower({1, 0}, -2147483647, false, out));
    EXPECT_EQ(out.re, 1);
}
