// e^x for 80-bit arguments as a value and its tail, to a few hundredths of an ulp before
// the last rounding: x = n ln 2 + r with |r| <= ln(2)/2, then a Taylor polynomial for
// e^r - 1 whose leading terms are added last. The hyperbolic functions build on the pair.
#pragma once

#include <cmath>
#include <cstdint>
#include <cstring>

#include "expr/fast_trig.h"

namespace curvelo {

namespace fastexp {

// ln 2 = kLn2High + kLn2Low to 2^-102; kLn2High has 29 bits so n kLn2High is exact.
inline constexpr long double kLn2High = 0x162e42ffp-29L;
inline constexpr long double kLn2Low = -0x5c610ca86c3898dp-93L;
inline constexpr long double kInvLn2 = 0x2e2a8eca5705fc2fp-61L;
inline constexpr long double kRoundShift = 0x1.8p63L;  // adding it rounds to an integer

// 1/3! + r/4! + ... + r^14/17!.
inline long double Series(long double r) {
    return 0xaaaaaaaaaaaaaaabp-66L +
           r * (0xaaaaaaaaaaaaaaabp-68L +
                r * (0x8888888888888889p-70L +
                     r * (0xb60b60b60b60b60bp-73L +
                          r * (0xd00d00d00d00d00dp-76L +
                               r * (0xd00d00d00d00d00dp-79L +
                                    r * (0xb8ef1d2ab6399c7dp-82L +
                                         r * (0x93f27dbbc4fae397p-85L +
                                              r * (0xd7322b3faa271c7fp-89L +
                                                   r * (0x47bb63bfe3625ed5p-91L +
                                                        r * (0xb092309d43684be5p-96L +
                                                             r * (0x64e5d2a301f27483p-99L +
                                                                  r * (0xd73f9f399dc0f88fp-104L +
                                                                       r * (0xd73f9f399dc0f88fp-108L +
                                                                            r * 0xca963b81856a5359p-112L)))))))))))));
}

// 2^k for -16382 <= k <= 16383.
inline long double PowerOfTwo(int k) {
    long double v = 0.0L;
    const std::uint64_t mantissa = std::uint64_t{1} << 63;
    const std::uint16_t top = static_cast<std::uint16_t>(16383 + k);
    std::memcpy(&v, &mantissa, sizeof mantissa);
    std::memcpy(reinterpret_cast<char*>(&v) + 8, &top, sizeof top);
    return v;
}

}  // namespace fastexp

// e^x as a pair for |x| < 11000 (the result stays a normal number).
inline fasttrig::Pair ExpPair(long double x) {
    using namespace fastexp;
    // Outside that range (and for NaN, which a letter read from a file may hold) the scale
    // below would come from an undefined conversion.
    if (!(std::fabs(x) < 11000.0L)) return {x != x ? x : (x > 0 ? HUGE_VALL : 0.0L), 0.0L};
    const long double n = (x * kInvLn2 + kRoundShift) - kRoundShift;
    const long double t = x - n * kLn2High;  // exact
    const long double p = n * kLn2Low;
    // r = rh + rl = t - p with the rounding error kept.
    const long double rh = t - p;
    const long double bp = t - rh;
    const long double rl = (t - (rh + bp)) + (bp - p);
    const long double rest = rh * rh * (0.5L + rh * Series(rh)) + rl * (1.0L + rh);
    const long double u = 1.0L + rh;
    const long double tail = ((1.0L - u) + rh) + rest;
    const long double hi = u + tail;
    const long double lo = (u - hi) + tail;
    const long double scale = PowerOfTwo(static_cast<int>(n));
    return {hi * scale, lo * scale};
}

inline long double FastExp(long double x) { return ExpPair(x).hi; }

}  // namespace curvelo
