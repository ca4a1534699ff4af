// Real-valued numeric kernels of the evaluator: limits, magnitude classes, rounding,
// error function, gamma, and the random source. None of them allocates.
#pragma once

#include <cstdint>

namespace curvelo {

inline constexpr long double kTiny = 1e-18L;
inline constexpr long double kBig = 1e18L;
inline constexpr long double kExpLimit = 5000.0L;
inline constexpr long double kTrigLimit = 5e18L;
inline constexpr long double kIntTol = 1e-9L;
inline constexpr std::int32_t kIntMax = 2147483647;
// Pi and pi/2 rounded to double precision: the gamma function and ARCCOT are defined with them.
inline constexpr long double kPiDouble = 3.141592653589793116L;
inline constexpr long double kHalfPiDouble = 1.5707963267948965580L;
// Pi, pi/2 and 2/sqrt(pi) to the full 64-bit mantissa.
inline constexpr long double kPi = 0xc90fdaa22168c235p-62L;
inline constexpr long double kHalfPi = 0xc90fdaa22168c235p-63L;
inline constexpr long double kTwoOverSqrtPi = 0x906eba8214db688dp-63L;
inline constexpr long double kDefaultJumpTolerance = 0.001L;
inline constexpr long double kDefaultBisectTolerance = 0.01L;

// e^-5000 and e^5000, the outer bounds of the magnitude classes (exact long double
// values of the library's exp at those points).
inline constexpr long double kExpLimitLow = 0xb.8284b537225ea68p-7217L;
inline constexpr long double kExpLimitHigh = 0xb.1ef4b7bf715d351p+7210L;
inline long double ExpLimitLow() { return kExpLimitLow; }
inline long double ExpLimitHigh() { return kExpLimitHigh; }

// 1: s < e^-5000, 2: below TINY, 3: TINY..BIG, 4: up to e^5000, 5: beyond (NaN counts as 5).
inline int MagnitudeClass(long double s) {
    if (s < kExpLimitLow) return 1;
    if (s < kTiny) return 2;
    if (s <= kBig) return 3;
    if (s <= kExpLimitHigh) return 4;
    return 5;
}

// Rounds the magnitude (exactly one half rounds down), reapplies the sign, clamps to
// +-INTMAX. NaN gives 0.
std::int32_t RoundToInt(long double v);

// Integer test of a complex value given as its parts; see the letter rules for tolerances.
bool ToInteger(long double re, long double im, std::int32_t& out);

// erf by Simpson's rule from the nearest tabulated erf(k/100) below |x|.
long double Erf(long double x);
// The tabulated erf(k/100), k = 0..640; out-of-range k gives 0.
long double ErfTableEntry(int k);

// Gamma of a real argument; false where undefined. `jump` is set when undefined.
bool Gamma(long double x, long double jumpTolerance, long double& out, bool& jump);

// The program's pseudo-random source: 31-bit integers, and (q mod 1000000) * 1e-6.
std::uint32_t RandomInt31();
long double RandomUnit();
void SeedRandom(std::uint32_t seed);

}  // namespace curvelo
