#include "expr/math_functions.h"

#include <cmath>

namespace curvelo {

namespace {

constexpr int kErfTableSize = 641;
constexpr long double kErfSaturation = 6.409999L;
constexpr long double kSqrtTwoPi = 2.5066282746310005024157652848110453L;

struct ErfTable {
    long double values[kErfTableSize];
    ErfTable() {
        for (int k = 0; k < kErfTableSize; ++k) values[k] = std::erf(static_cast<long double>(k) / 100.0L);
    }
};

const ErfTable& Table() {
    static const ErfTable table;
    return table;
}

std::uint64_t gRandomState = 0x2545F4914F6CDD1DULL;

}  // namespace

std::int32_t RoundToInt(long double v) {
    if (std::isnan(v)) return 0;
    long double m = std::fabs(v);
    if (m > static_cast<long double>(kIntMax)) return v < 0 ? -kIntMax : kIntMax;
    long double whole = std::floor(m);
    if (m - whole > 0.5L) whole += 1.0L;
    auto n = static_cast<std::int32_t>(whole > kIntMax ? kIntMax : whole);
    return v < 0 ? -n : n;
}

bool ToInteger(long double re, long double im, std::int32_t& out) {
    out = RoundToInt(re);
    return std::fabs(re) <= static_cast<long double>(kIntMax) &&
           std::fabs(re - static_cast<long double>(out)) <= kIntTol && std::fabs(im) <= kIntTol;
}

long double ErfTableEntry(int k) {
    if (k < 0 || k >= kErfTableSize) return 0.0L;
    return Table().values[k];
}

long double Erf(long double x) {
    long double sign = x < 0 ? -1.0L : 1.0L;
    long double u = std::fabs(x);
    if (!(u <= kErfSaturation)) return sign;  // also catches NaN
    int k = static_cast<int>(std::floor(100.0L * u));
    if (k >= kErfTableSize) k = kErfTableSize - 1;
    long double x0 = static_cast<long double>(k) / 100.0L;
    long double h = (u - x0) / 20.0L;
    long double sum = 0.0L;
    for (int j = 0; j <= 20; ++j) {
        long double t = x0 + j * h;
        long double weight = (j == 0 || j == 20) ? 1.0L : (j % 2 ? 4.0L : 2.0L);
        sum += weight * std::exp(-t * t);
    }
    return sign * (Table().values[k] + kTwoOverSqrtPi * sum * h / 3.0L);
}

bool Gamma(long double x, long double jumpTolerance, long double& out, bool& jump) {
    out = 0.0L;
    if (std::isnan(x)) return false;
    std::int32_t nearest = RoundToInt(x);
    if ((nearest < 1 && std::fabs(x - static_cast<long double>(nearest)) < jumpTolerance) ||
        std::fabs(x) < kTiny) {
        jump = true;
        return false;
    }
    bool reflect = false;
    long double reflection = 0.0L;
    if (x < 0) {
        long double s = std::sin(kPiDouble * x);
        if (std::fabs(s) <= kTiny) {
            jump = true;
            return false;
        }
        reflection = kPiDouble * (1.0L - x) / s;
        x = 2.0L - x;
        reflect = true;
    }
    long double t = x + 5.5L;
    long double l = t * std::log(t) - t;
    if (!(std::fabs(l) < kExpLimit)) {
        jump = true;
        return false;
    }
    long double g = std::exp(l) / (x * (x + 1) * (x + 2) * (x + 3) * (x + 4) * (x + 5));
    constexpr long double c1 = 0.7125185551707076L, c2 = 5.450392255494851L, c3 = 0.3310636497758604L,
                          c4 = 2.991421067864064L, c5 = 0.2154275622150661L;
    long double s = 1.0L / (c1 * t + 1.0L / (c2 * t + 1.0L / (c3 * t + 1.0L / (c4 * t + 1.0L / (c5 * t)))));
    long double value = kSqrtTwoPi * g / (1.0L + 1.0L / (24.0L * t + s - 0.5L));
    out = reflect ? reflection / value : value;
    return true;
}

std::uint32_t RandomInt31() {
    // xorshift64*: cheap, no allocation, good enough for sampling and RAND.
    gRandomState ^= gRandomState >> 12;
    gRandomState ^= gRandomState << 25;
    gRandomState ^= gRandomState >> 27;
    return static_cast<std::uint32_t>((gRandomState * 0x2545F4914F6CDD1DULL) >> 33);
}

long double RandomUnit() { return static_cast<long double>(RandomInt31() % 1000000u) * 1e-6L; }

void SeedRandom(std::uint32_t seed) { gRandomState = 0x9E3779B97F4A7C15ULL ^ seed; }

}  // namespace curvelo
