#include "plot2d/ordered_midpoint.h"

#include <cstdint>
#include <cstring>
#include <limits>

namespace curvelo {

namespace {

static_assert(std::numeric_limits<long double>::digits == 64, "the 80-bit extended type");

__extension__ typedef __int128 Key;

constexpr std::uint64_t kIntegerBit = std::uint64_t{1} << 63;

// The x87 layout: 64-bit mantissa with an explicit integer bit, then sign and exponent.
// Counting subnormals (exponent 0, no integer bit) on from normals makes the magnitude's
// key continuous and increasing.
Key KeyOf(long double x) {
    unsigned char bytes[10];
    std::memcpy(bytes, &x, sizeof bytes);
    std::uint64_t mantissa = 0;
    std::uint16_t signExponent = 0;
    std::memcpy(&mantissa, bytes, 8);
    std::memcpy(&signExponent, bytes + 8, 2);
    const Key magnitude = (static_cast<Key>(signExponent & 0x7fff) << 63) | (mantissa & ~kIntegerBit);
    return (signExponent & 0x8000) ? -magnitude : magnitude;
}

long double ValueOf(Key key) {
    const bool negative = key < 0;
    const Key magnitude = negative ? -key : key;
    const auto exponent = static_cast<std::uint16_t>(magnitude >> 63);
    std::uint64_t mantissa = static_cast<std::uint64_t>(magnitude) & ~kIntegerBit;
    if (exponent != 0) mantissa |= kIntegerBit;
    const std::uint16_t signExponent = static_cast<std::uint16_t>(exponent | (negative ? 0x8000 : 0));
    unsigned char bytes[sizeof(long double)] = {};
    std::memcpy(bytes, &mantissa, 8);
    std::memcpy(bytes + 8, &signExponent, 2);
    long double x;
    std::memcpy(&x, bytes, sizeof x);
    return x;
}

}  // namespace

long double OrderedMidpoint(long double a, long double b) {
    const Key ka = KeyOf(a), kb = KeyOf(b);
    return ValueOf(ka + (kb - ka) / 2);
}

}  // namespace curvelo
