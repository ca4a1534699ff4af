// The pseudo-random integers of the special windows: a seedable source, so that tests and
// benchmarks draw the same systems and problems every time.
#pragma once

#include <cstdint>
#include <random>

namespace curvelo {

class RandomInts {
public:
    explicit RandomInts(std::uint64_t seed) : gen_(seed) {}

    // 0 ... 2^31 - 1.
    std::int32_t Next() { return static_cast<std::int32_t>(gen_() & 0x7FFFFFFFu); }
    // a + (b - a) * 1e-6 * (r mod 1000000): a value in [a, b) on a grid of a millionth.
    long double Uniform(long double a, long double b) { return a + (b - a) * 1e-6L * (Next() % 1000000); }
    // lo ... hi inclusive (lo <= hi).
    int Between(int lo, int hi) { return lo + static_cast<int>(Next() % (hi - lo + 1)); }

private:
    std::mt19937 gen_;
};

}  // namespace curvelo
