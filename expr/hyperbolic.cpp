#include "expr/hyperbolic.h"

#include <cmath>

#include "expr/fast_exp.h"

namespace curvelo {

namespace {

using fasttrig::Pair;

// Below this the series; above it e^x and e^-x, whose difference then cancels little.
constexpr long double kSeriesBound = 0.5L;

// a + b + small as a pair, a + b added exactly.
Pair Combine(long double a, long double b, long double small) {
    const long double s = a + b;
    const long double bb = s - a;
    const long double error = (a - (s - bb)) + (b - bb);
    const long double tail = error + small;
    const long double hi = s + tail;
    return {hi, (s - hi) + tail};
}

}  // namespace

// sinh x = x + x^3/3! + ...: the sine's series at -x^2 with the sign of its tail turned.
Pair SinhPair(long double x) {
    if (std::fabs(x) < kSeriesBound) {
        const long double z = x * x;
        const long double rest = -(x * z * fasttrig::SinSeries(-z));
        const long double hi = x + rest;
        return {hi, (x - hi) + rest};
    }
    const Pair up = ExpPair(std::fabs(x));
    const Pair down = ExpPair(-std::fabs(x));
    Pair v = Combine(up.hi, -down.hi, up.lo - down.lo);
    v = {0.5L * v.hi, 0.5L * v.lo};
    return x < 0 ? fasttrig::Negate(v) : v;
}

// cosh x = 1 + x^2/2 + x^4/4! + ...: the cosine's series at -x^2.
Pair CoshPair(long double x) {
    if (std::fabs(x) < kSeriesBound) {
        // x = a + b with a of 31 bits: a^2/2 is exact, so the tail keeps the bits below 1.
        constexpr long double kSplit = 0x1p33L + 1.0L;
        const long double c = x * kSplit;
        const long double a = c - (c - x);
        const long double b = x - a;
        const long double half = 0.5L * (a * a);
        const long double w = 1.0L + half;
        const long double z = x * x;
        const long double rest = ((1.0L - w) + half) + (a * b + 0.5L * (b * b)) + z * z * fasttrig::CosSeries(-z);
        const long double hi = w + rest;
        return {hi, (w - hi) + rest};
    }
    const Pair up = ExpPair(std::fabs(x));
    const Pair down = ExpPair(-std::fabs(x));
    const Pair v = Combine(up.hi, down.hi, up.lo + down.lo);
    return {0.5L * v.hi, 0.5L * v.lo};
}

long double Sinh(long double x) { return SinhPair(x).hi; }
long double Cosh(long double x) { return CoshPair(x).hi; }
long double Tanh(long double x) { return fasttrig::Quotient(SinhPair(x), CoshPair(x)); }
long double Sech(long double x) { return fasttrig::Quotient({1.0L, 0.0L}, CoshPair(x)); }
long double Coth(long double x) { return fasttrig::Quotient(CoshPair(x), SinhPair(x)); }
long double Csch(long double x) { return fasttrig::Quotient({1.0L, 0.0L}, SinhPair(x)); }

// The library's value mended by one Newton step on sinh y = x, with sinh y - x formed
// from the two-part sinh so that the step itself is exact to far below an ulp.
long double Argsinh(long double x) {
    const long double y = std::asinh(x);
    if (!(std::fabs(y) < 11000.0L) || y == 0) return y;
    const Pair s = SinhPair(y);
    const long double step = ((s.hi - x) + s.lo) / CoshPair(y).hi;
    return y - step;
}

}  // namespace curvelo
