#pragma once
// Inline fast paths of the real product and quotient for the evaluator's hot loop.
// 80-bit loads and stores are costly, so the common cases are recognised from the bits:
// a zero imaginary part has a zero mantissa, and the exponent field bounds the magnitude.
// Internal to the evaluator.

#include <cmath>
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

// The same kernels on bare real values, for code that keeps its values in registers:
// the magnitude tests are comparisons there instead of reads of the exponent bits.
inline constexpr long double kTwoTo59 = 0x1p59L;
inline constexpr long double kTwoToMinus59 = 0x1p-59L;

inline bool RealMultiply(long double a, long double b, long double& out) {
    if (std::fabs(a) < kTwoTo59 && std::fabs(b) < kTwoTo59) {
        out = a * b;
        return true;
    }
    ExtComplex r;
    const bool ok = Multiply({a, 0.0L}, {b, 0.0L}, false, r);
    out = r.re;
    return ok;
}

inline bool RealDivide(long double a, long double b, long double& out) {
    const long double mb = std::fabs(b);
    if (std::fabs(a) < kTwoTo59 && mb >= kTwoToMinus59 && mb < kTwoTo59) {
        const long double q = a / b;
        const long double mq = std::fabs(q);
        if (mq >= kTwoToMinus59 && mq < kTwoTo59) {
            out = q;
            return true;
        }
    }
    ExtComplex r;
    const bool ok = Divide({a, 0.0L}, {b, 0.0L}, false, r);
    out = r.re;
    return ok;
}

// IntegerPower of a real base in real mode, by the same steps.
inline bool RealIntegerPower(long double a, std::int32_t n, long double& out) {
    long double base = a;
    std::int64_t e = n;
    if (e < 0) {
        if (!RealDivide(1.0L, a, base)) {
            out = 0.0L;
            return false;
        }
        e = -e;
    }
    long double result = 1.0L;
    bool untouched = true;
    while (e != 0) {
        if (e & 1) {
            if (untouched && std::fabs(base) < kTwoTo59) {
                result = base;
            } else if (!RealMultiply(result, base, result)) {
                out = result;
                return false;
            }
            untouched = false;
        }
        e >>= 1;
        if (e != 0 && !RealMultiply(base, base, base)) {
            out = base;
            return false;
        }
    }
    out = result;
    return true;
}

}  // namespace curvelo
