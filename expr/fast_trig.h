// Sine and cosine of 80-bit arguments with the argument reduced here to [-pi/4, pi/4]:
// the library's own reduction runs its general multi-word algorithm for every argument
// beyond pi/4, which made it most of the cost of drawing a trigonometric curve. Large
// arguments go to the library unchanged.
#pragma once

#include <cmath>
#include <cstdint>
#include <cstring>

namespace curvelo {

namespace fasttrig {

// pi/2 as C1 + C2 + C3: C1 and C2 have at most 31 significant bits, so n * C1 and n * C2
// are exact for the n used below.
inline constexpr long double kC1 = 0x6487ed51p-30L;
inline constexpr long double kC2 = 0x2168c235p-63L;
inline constexpr long double kC3 = -0xece675d1fc8f8cbbp-129L;
inline constexpr long double kTwoOverPi = 0x517cc1b727220a95p-63L;
inline constexpr long double kRoundShift = 0x1.8p63L;  // adding it rounds to an integer
inline constexpr long double kMaxReduced = 1.0e6L;      // n below 2^20
inline constexpr long double kQuarterPi = 0.785398163397448309615660845819875721L;

// r = x - n pi/2 with |r| <= pi/4 (a hair more at the rounding edge); the quadrant n mod 4.
inline bool Reduce(long double x, long double& r, unsigned& quadrant) {
    if (!(std::fabs(x) <= kMaxReduced)) return false;
    if (std::fabs(x) <= kQuarterPi) {  // nothing to reduce (and -0 stays -0)
        r = x;
        quadrant = 0;
        return true;
    }
    const long double shifted = x * kTwoOverPi + kRoundShift;
    std::uint64_t mantissa;
    std::memcpy(&mantissa, &shifted, sizeof mantissa);  // the low word of the 80-bit format
    quadrant = static_cast<unsigned>(mantissa & 3u);
    const long double n = shifted - kRoundShift;
    r = ((x - n * kC1) - n * kC2) - n * kC3;
    return true;
}

// sin(r + q pi/2).
inline long double SinOfQuadrant(long double r, unsigned q) {
    switch (q & 3u) {
    case 0: return std::sin(r);
    case 1: return std::cos(r);
    case 2: return -std::sin(r);
    default: return -std::cos(r);
    }
}

}  // namespace fasttrig

inline long double FastSin(long double x) {
    long double r;
    unsigned q;
    return fasttrig::Reduce(x, r, q) ? fasttrig::SinOfQuadrant(r, q) : std::sin(x);
}

// cos x = sin(x + pi/2): one quadrant further.
inline long double FastCos(long double x) {
    long double r;
    unsigned q;
    return fasttrig::Reduce(x, r, q) ? fasttrig::SinOfQuadrant(r, q + 1) : std::cos(x);
}

}  // namespace curvelo
