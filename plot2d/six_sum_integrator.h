// The sampling integrator behind every measurement tool: six Riemann-type sums of one
// integrand over n equal subintervals, computed in a single pass.
#pragma once

#include <array>
#include <cstdint>
#include <functional>

namespace curvelo {

// The sums in the order the dialogs and the batch command list them.
enum SumMethod { kSumLeft = 0, kSumMiddle, kSumRight, kSumTrapezoid, kSumParabolic, kSumRandom, kSumCount };

// The method mask's bits (bit 1 << method), and the switch that draws the strips.
inline constexpr std::uint16_t MethodBit(int method) { return static_cast<std::uint16_t>(1u << method); }
inline constexpr std::uint16_t kMethodAll = 0x3F;
inline constexpr std::uint16_t kDrawStrips = 64;

// The most subintervals a computation may take (dialogs and the batch command alike).
inline constexpr std::int32_t kMaxSubintervals = 10'000'000;

// The integrand at one point; false where it is undefined.
using Integrand = std::function<bool(long double x, long double& y)>;

// A uniform source in [0, 1) seeded afresh, so each computation draws other points.
std::function<long double()> NewUniformSource();

struct IntegratorHooks {
    // Polls the keyboard after each subinterval; returns the last key (0: none).
    std::function<int()> pollKey;
    // A uniform number in [0, 1); the default draws from a generator seeded per run.
    std::function<long double()> uniform;
};

// Key that stops the summation.
inline constexpr int kKeyStopSum = 81;  // 'Q'

struct SixSums {
    std::array<long double, kSumCount> value{};
    int lastKey = 0;                 // kKeyStopSum when stopped early
    std::int32_t done = 0;           // subintervals summed
    std::int64_t undefinedPoints = 0;  // samples that contributed 0
};

// Sums f over [a, b] in n >= 1 equal steps; the last right point is b exactly. A sample
// where f is undefined contributes 0 and is counted. A stop keeps the sums of the steps
// done, scaled as if complete.
SixSums IntegrateSixWays(const Integrand& f, long double a, long double b, std::int32_t n,
                         const IntegratorHooks& hooks = {});

}  // namespace curvelo
