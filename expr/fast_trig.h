// Sine and cosine of 80-bit arguments, correct to the last bit or its neighbour over the
// whole range below 2^63. The argument is reduced exactly: x - n pi/2 is formed in integer
// arithmetic with 255 fraction bits of pi/2, enough for the long doubles that lie closest to
// a multiple of pi/2. The reduced argument then goes through Taylor polynomials in two
// parts (value and tail), so the quotients tan, cot, sec and csc can be formed from them to
// within an ulp as well.
#pragma once

#include <cmath>

namespace curvelo {

namespace fasttrig {

// A value as the unevaluated sum hi + lo with |lo| below an ulp of hi.
struct Pair {
    long double hi = 0.0L;
    long double lo = 0.0L;
};

// x = r + quadrant pi/2 with |r| <= pi/4 (a hair more at the rounding edge), r = hi + lo.
struct Reduced {
    Pair r;
    unsigned quadrant = 0;
};

inline constexpr long double kQuarterPi = 0xc90fdaa22168c235p-64L;

// For pi/4 < |x| < 2^63.
Reduced ReduceLarge(long double x);

// pi/2 = kC1 + kC2 + kC3 to 2^-126: kC1 and kC2 have 31 bits, so n kC1 and n kC2 are exact
// for n below 2^33 and the first two subtractions are exact for |x| below kQuickLimit.
inline constexpr long double kC1 = 0x6487ed51p-30L;
inline constexpr long double kC2 = 0x2168c235p-63L;
inline constexpr long double kC3 = -0xece675d1fc8f8cbbp-129L;
inline constexpr long double kTwoOverPi = 0x517cc1b727220a95p-63L;
inline constexpr long double kRoundShift = 0x1.8p63L;  // adding it rounds to an integer
inline constexpr long double kQuickLimit = 0x1p20L;
// Below 2^20 the three-part reduction errs by less than 2^-104; a remainder of at least
// 2^-30 then carries it below 2^-74 of its value. Smaller remainders (the long doubles
// closest to multiples of pi/2) take the exact reduction.
inline constexpr long double kQuickRemainder = 0x1p-30L;

inline Reduced Reduce(long double x) {
    if (std::fabs(x) <= kQuarterPi) return {{x, 0.0L}, 0};  // nothing to reduce (and -0 stays -0)
    if (std::fabs(x) < kQuickLimit) {
        const long double shifted = x * kTwoOverPi + kRoundShift;
        const long double n = shifted - kRoundShift;
        const long double t = (x - n * kC1) - n * kC2;
        const long double p = n * kC3;
        const long double hi = t - p;
        if (std::fabs(hi) >= kQuickRemainder) {
            // The quadrant is n mod 4: the low bits of the shifted value's mantissa.
            unsigned low;
            __builtin_memcpy(&low, &shifted, sizeof low);
            return {{hi, (t - hi) - p}, low & 3u};
        }
    }
    return ReduceLarge(x);
}

// Taylor coefficients (-1)^k / (2k+1)! for k = 1..9 and (-1)^k / (2k)! for k = 2..10; on
// |r| <= pi/4 the first omitted terms are below 2^-72 of the value.
inline long double SinSeries(long double z) {
    return -0xaaaaaaaaaaaaaaabp-66L +
           z * (0x8888888888888889p-70L +
                z * (-0xd00d00d00d00d00dp-76L +
                     z * (0xb8ef1d2ab6399c7dp-82L +
                          z * (-0xd7322b3faa271c7fp-89L +
                               z * (0xb092309d43684be5p-96L +
                                    z * (-0xd73f9f399dc0f88fp-104L +
                                         z * (0xca963b81856a5359p-112L + z * -0x4bd26d1a05055c93p-119L)))))));
}

inline long double CosSeries(long double z) {
    return 0xaaaaaaaaaaaaaaabp-68L +
           z * (-0xb60b60b60b60b60bp-73L +
                z * (0xd00d00d00d00d00dp-79L +
                     z * (-0x93f27dbbc4fae397p-85L +
                          z * (0x47bb63bfe3625ed5p-91L +
                               z * (-0x64e5d2a301f27483p-99L +
                                    z * (0xd73f9f399dc0f88fp-108L +
                                         z * (-0x5a09e18ee5f65defp-115L + z * 0xf2a15d201011283dp-125L)))))));
}

// sin(hi + lo): the leading r and the small rest added last, so only one rounding counts.
inline Pair SinKernel(const Pair& r) {
    if (r.hi == 0) return r;  // keeps the sign of zero
    const long double z = r.hi * r.hi;
    const long double rest = r.hi * z * SinSeries(z) + r.lo * (1.0L - 0.5L * z);
    const long double hi = r.hi + rest;
    return {hi, (r.hi - hi) + rest};
}

// cos(hi + lo): hi is split so that 1 - hi^2/2 is formed from an exact square.
inline Pair CosKernel(const Pair& r) {
    constexpr long double kSplit = 0x1p33L + 1.0L;  // leaves 31 bits in the upper part
    const long double c = r.hi * kSplit;
    const long double a = c - (c - r.hi);
    const long double b = r.hi - a;
    const long double half = 0.5L * (a * a);
    const long double w = 1.0L - half;
    const long double z = r.hi * r.hi;
    const long double rest = ((1.0L - w) - half) - (a * b + 0.5L * (b * b)) + z * z * CosSeries(z) - r.lo * r.hi;
    const long double hi = w + rest;
    return {hi, (w - hi) + rest};
}

inline Pair Negate(const Pair& p) { return {-p.hi, -p.lo}; }

// sin(r + q pi/2).
inline Pair SinOfQuadrant(const Pair& r, unsigned q) {
    switch (q & 3u) {
    case 0: return SinKernel(r);
    case 1: return CosKernel(r);
    case 2: return Negate(SinKernel(r));
    default: return Negate(CosKernel(r));
    }
}

// p + error = a * b exactly (Dekker's product on halves of 32 bits).
inline void TwoProduct(long double a, long double b, long double& p, long double& error) {
    constexpr long double kHalf = 0x1p32L + 1.0L;
    const long double ca = a * kHalf, cb = b * kHalf;
    const long double ah = ca - (ca - a), al = a - ah;
    const long double bh = cb - (cb - b), bl = b - bh;
    p = a * b;
    error = ((ah * bh - p) + ah * bl + al * bh) + al * bl;
}

// a / b to within about half an ulp: the remainder of the leading quotient is exact.
inline long double Quotient(const Pair& a, const Pair& b) {
    const long double q = a.hi / b.hi;
    long double p, error;
    TwoProduct(q, b.hi, p, error);
    const long double remainder = ((a.hi - p) - error) + a.lo - q * b.lo;
    return q + remainder / b.hi;
}

// a * b to within about half an ulp.
inline long double Product(const Pair& a, const Pair& b) {
    long double p, error;
    TwoProduct(a.hi, b.hi, p, error);
    return p + (error + (a.hi * b.lo + a.lo * b.hi));
}

// Arguments the reduction does not take (|x| >= 2^63, infinities, NaN).
inline bool Reducible(long double x) { return std::fabs(x) < 0x1p63L; }

}  // namespace fasttrig

// Both values as pairs, for the quotients; false where x is not reducible.
inline bool SinCosPairs(long double x, fasttrig::Pair& sine, fasttrig::Pair& cosine) {
    if (!fasttrig::Reducible(x)) return false;
    const fasttrig::Reduced reduced = fasttrig::Reduce(x);
    sine = fasttrig::SinOfQuadrant(reduced.r, reduced.quadrant);
    cosine = fasttrig::SinOfQuadrant(reduced.r, reduced.quadrant + 1);
    return true;
}

inline long double FastSin(long double x) {
    if (!fasttrig::Reducible(x)) return std::sin(x);
    const fasttrig::Reduced reduced = fasttrig::Reduce(x);
    return fasttrig::SinOfQuadrant(reduced.r, reduced.quadrant).hi;
}

// cos x = sin(x + pi/2): one quadrant further.
inline long double FastCos(long double x) {
    if (!fasttrig::Reducible(x)) return std::cos(x);
    const fasttrig::Reduced reduced = fasttrig::Reduce(x);
    return fasttrig::SinOfQuadrant(reduced.r, reduced.quadrant + 1).hi;
}

}  // namespace curvelo
