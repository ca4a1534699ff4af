#pragma once
// Inline fast paths of the real product and quotient for the evaluator's hot loop.
// 80-bit loads and stores are costly, so the common cases are recognised from the bits:
// a zero imaginary part has a zero mantissa, and the exponent field bounds the magnitude.
// Internal to the evaluator.

#include <cstdint>
#include <cstring>

#include "expr/eval.h"

namespace curvelo {

inline std::uint16_t ExponentField(const long double& v) {
    std::uint16_t w;
    std::memcpy(&w, reinterpret_cast<const char*>(&v) + 8, sizeof w);
    return w & 0x7FFF;
}

// True for +0 and -0 (no arithmetic produces another 80-bit value with a zero mantissa).
inline bool IsZeroBits(const long double& v) {
    std::uint64_t m;
    std::memcpy(&m, &v, sizeof m);
    return m == 0;
}

inline void SetZero(long double& v) { std::memset(&v, 0, sizeof v); }

// |v| < 2^59, safely below BIG = 1e18.
inline bool SurelyBelowBig(const long double& v) { return ExponentField(v) < 0x3FFF + 59; }
// 2^-59 <= |v| < 2^59: safely within [TINY, BIG].
inline bool SurelyOrdinary(const long double& v) {
    const std::uint16_t e = ExponentField(v);
    return e >= 0x3FFF - 59 && e < 0x3FFF + 59;
}

inline bool MultiplyQuick(const ExtComplex& a, const ExtComplex& b, bool complexMode, ExtComplex& out) {
    if (!complexMode && IsZeroBits(a.im) && IsZeroBits(b.im) && SurelyBelowBig(a.re) && SurelyBelowBig(b.re)) {
        out.re = a.re * b.re;
        SetZero(out.im);
        return true;
    }
    return Multiply(a, b, complexMode, out);
}

inline bool DivideQuick(const ExtComplex& a, const ExtComplex& b, bool complexMode, ExtComplex& out) {
    if (!complexMode && IsZeroBits(a.im) && IsZeroBits(b.im) && SurelyBelowBig(a.re) && SurelyOrdinary(b.re)) {
        const long double q = a.re / b.re;
        if (SurelyOrdinary(q)) {
            out.re = q;
            SetZero(out.im);
            return true;
        }
    }
    return Divide(a, b, complexMode, out);
}

}  // namespace curvelo
