// The problems of the guessing game: which function types are allowed, and a generator per
// type that writes a formula of small integer parameters and the view that shows its
// interesting part (vertex, asymptotes, a period, intercepts). Runs without a window.
#pragma once

#include <array>
#include <cstdint>
#include <string>

#include "special/random_ints.h"

namespace curvelo {

inline constexpr int kGuessTypes = 14;
inline constexpr int kGuessAbsoluteSwitch = 0;
inline constexpr int kMinDegree = 1, kMaxDegree = 8;

struct GuessSwitches {
    // [0] absolute-value variants allowed, [1 .. 14] the function types.
    std::array<std::uint8_t, kGuessTypes + 1> on{};
    std::uint16_t minDegree = 2, maxDegree = 2;

    // Only type 3, degrees 2 ... 2.
    static GuessSwitches Reset();
    // Every type and the absolute values, degrees 1 ... 8.
    static GuessSwitches All();
    bool AnyType() const;
    bool operator==(const GuessSwitches&) const = default;
};

struct GuessProblem {
    int type = 3;
    std::string formula;       // in the formula language, y = formula
    bool absolute = false;     // the |f(x)| variant
    long double cx = 0, cy = 0, halfWidth = 4.5L;  // the view
};

// Draws a type whose switch is on (type 3 when none is) and runs its generator.
GuessProblem NewGuessProblem(const GuessSwitches& switches, RandomInts& random);
// The generator of one type (1 ... 14); the degree bounds serve the polynomials.
GuessProblem GenerateGuessProblem(int type, const GuessSwitches& switches, RandomInts& random);

}  // namespace curvelo
