#include "expr/fast_trig.h"

#include <bit>
#include <cstdint>
#include <cstring>

namespace curvelo::fasttrig {

namespace {

using u64 = std::uint64_t;
using u128 = unsigned __int128;

// floor(pi/2 * 2^255), lowest limb first.
constexpr u64 kHalfPiFixed[4] = {0x020bbea63b139b22ULL, 0x29024e088a67cc74ULL, 0xc4c6628b80dc1cd1ULL,
                                 0xc90fdaa22168c234ULL};
constexpr int kFractionBits = 255;
constexpr int kLimbs = 5;

struct Bits {
    u64 mantissa;
    int exponent;  // unbiased, of the leading bit
    bool negative;
};

Bits Decompose(long double v) {
    Bits b{};
    std::uint16_t top = 0;
    std::memcpy(&b.mantissa, &v, sizeof b.mantissa);
    std::memcpy(&top, reinterpret_cast<const char*>(&v) + 8, sizeof top);
    b.exponent = (top & 0x7FFF) - 16383;
    b.negative = (top & 0x8000) != 0;
    return b;
}

// 2^k for the exponents met here (normal range).
long double PowerOfTwo(int k) {
    long double v = 0.0L;
    const u64 mantissa = u64{1} << 63;
    const std::uint16_t top = static_cast<std::uint16_t>(16383 + k);
    std::memcpy(&v, &mantissa, sizeof mantissa);
    std::memcpy(reinterpret_cast<char*>(&v) + 8, &top, sizeof top);
    return v;
}

// floor(v) for 0 <= v < 2^64, from the bits (no change of the rounding mode).
u64 FloorToInteger(long double v) {
    const Bits b = Decompose(v);
    if (b.exponent < 0) return 0;
    return b.mantissa >> (63 - b.exponent);
}

void AddHalfPi(u64 (&d)[kLimbs], bool subtract) {
    unsigned carry = 0;
    for (int i = 0; i < kLimbs; ++i) {
        const u64 p = i < 4 ? kHalfPiFixed[i] : 0;
        if (subtract) {
            const u128 t = static_cast<u128>(d[i]) - p - carry;
            d[i] = static_cast<u64>(t);
            carry = static_cast<unsigned>((t >> 64) & 1);
        } else {
            const u128 t = static_cast<u128>(d[i]) + p + carry;
            d[i] = static_cast<u64>(t);
            carry = static_cast<unsigned>(t >> 64);
        }
    }
}

// d / 2^192 as a signed number (the upper two limbs).
__int128 Top(const u64 (&d)[kLimbs]) { return static_cast<__int128>((static_cast<u128>(d[4]) << 64) | d[3]); }

}  // namespace

Reduced ReduceLarge(long double x) {
    const Bits b = Decompose(x);
    // |x| = mantissa * 2^(exponent - 63); fixed point with kFractionBits below the point.
    const int shift = b.exponent - 63 + kFractionBits;
    u64 d[kLimbs] = {};
    d[shift / 64] = b.mantissa << (shift % 64);
    if (shift % 64 != 0) d[shift / 64 + 1] = b.mantissa >> (64 - shift % 64);

    // n from the long double product; off by one at most, mended below.
    u64 n = FloorToInteger(std::fabs(x) * kTwoOverPi + 0.5L);
    u64 product[kLimbs] = {};
    u64 carry = 0;
    for (int i = 0; i < 4; ++i) {
        const u128 t = static_cast<u128>(n) * kHalfPiFixed[i] + carry;
        product[i] = static_cast<u64>(t);
        carry = static_cast<u64>(t >> 64);
    }
    product[4] = carry;
    unsigned borrow = 0;
    for (int i = 0; i < kLimbs; ++i) {
        const u128 t = static_cast<u128>(d[i]) - product[i] - borrow;
        d[i] = static_cast<u64>(t);
        borrow = static_cast<unsigned>((t >> 64) & 1);
    }
    // Bring the remainder into [-pi/4, pi/4] (to within 2^-63).
    const __int128 quarter = static_cast<__int128>(kHalfPiFixed[3] >> 1);
    for (int step = 0; step < 2; ++step) {
        if (Top(d) > quarter) {
            AddHalfPi(d, true);
            ++n;
        } else if (Top(d) < -quarter) {
            AddHalfPi(d, false);
            --n;
        }
    }
    bool negative = (d[4] >> 63) != 0;
    if (negative) {  // two's complement
        unsigned c = 1;
        for (u64& limb : d) {
            const u128 t = static_cast<u128>(~limb) + c;
            limb = static_cast<u64>(t);
            c = static_cast<unsigned>(t >> 64);
        }
    }
    int top = kLimbs - 1;
    while (top > 0 && d[top] == 0) --top;
    const int lead = std::countl_zero(d[top]);  // 64 for a zero remainder, impossible for real x
    auto limb = [&](int i) { return i >= 0 ? d[i] : u64{0}; };
    auto window = [&](int i) { return lead == 0 ? limb(i) : (limb(i) << lead) | (limb(i - 1) >> (64 - lead)); };
    const u64 upper = lead >= 64 ? 0 : window(top);
    const u64 lower = lead >= 64 ? 0 : window(top - 1);
    const int position = 64 * top + 63 - lead - kFractionBits;  // exponent of the leading bit
    long double hi = static_cast<long double>(upper) * PowerOfTwo(position - 63);
    long double lo = static_cast<long double>(lower) * PowerOfTwo(position - 127);
    if (negative != b.negative) {
        hi = -hi;
        lo = -lo;
    }
    const unsigned quadrant = static_cast<unsigned>(b.negative ? (0 - n) : n) & 3u;
    return {{hi, lo}, quadrant};
}

}  // namespace curvelo::fasttrig
