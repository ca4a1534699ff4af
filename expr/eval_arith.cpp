// Multiplication, division and integer powers with the magnitude-class overflow rules.
#include <cmath>

#include "expr/eval.h"
#include "expr/eval_arith.h"

namespace curvelo {

long double Magnitude(const ExtComplex& v) { return std::fabs(v.re) + std::fabs(v.im); }

bool ToInteger(const ExtComplex& v, std::int32_t& out) { return ToInteger(v.re, v.im, out); }

bool Multiply(const ExtComplex& a, const ExtComplex& b, bool complexMode, ExtComplex& out) {
    const int ca = MagnitudeClass(Magnitude(a));
    const int cb = MagnitudeClass(Magnitude(b));
    if (!complexMode) {
        if ((ca < 4 && cb < 4) || (ca == 4 && cb == 3) || (ca == 3 && cb == 4)) {
            out = {a.re * b.re, 0.0L};
            return true;
        }
        const long double sign = ((a.re > 0) == (b.re > 0)) ? 1.0L : -1.0L;
        if ((ca == 2 && cb == 4) || (ca == 4 && cb == 2)) {
            const long double t = std::log(Magnitude(a)) + std::log(Magnitude(b));
            if (std::fabs(t) < 42.0L) {
                out = {sign * std::exp(t), 0.0L};
                return true;
            }
        }
        out = {sign * kBig, 0.0L};
        return false;
    }
    if (ca < 4 && cb < 4) {
        out = {a.re * b.re - a.im * b.im, a.re * b.im + a.im * b.re};
        const long double m = Magnitude(out);
        if (!(m <= kBig)) return false;
        if (m < kTiny) out = {};
        return true;
    }
    out = {kBig, kBig};
    return false;
}

bool Divide(const ExtComplex& a, const ExtComplex& b, bool complexMode, ExtComplex& out) {
    // Computed into a local so that out may alias an operand.
    ExtComplex q{};
    if (!(Magnitude(a) <= kBig) || !(Magnitude(b) >= kTiny)) {
        out = q;
        return false;
    }
    if (!complexMode) {
        q = {a.re / b.re, 0.0L};
    } else {
        long double d = b.re * b.re + b.im * b.im;
        if (d < kTiny) d = kTiny;
        q = {(a.re * b.re + a.im * b.im) / d, (a.im * b.re - a.re * b.im) / d};
    }
    const long double m = Magnitude(q);
    if (m < kTiny) q = {};
    out = q;
    return m <= kBig;
}

bool IntegerPower(const ExtComplex& a, std::int32_t n, bool complexMode, ExtComplex& out) {
    if (!complexMode && IsZeroBits(a.im)) {
        long double r = 0.0L;
        const bool ok = RealIntegerPower(a.re, n, r);
        out = {r, 0.0L};
        return ok;
    }
    ExtComplex base = a;
    // Widened so that -INTMAX-1 cannot overflow on negation.
    std::int64_t e = n;
    if (e < 0) {
        if (!Divide({1.0L, 0.0L}, a, complexMode, base)) {
            out = {};
            return false;
        }
        e = -e;
    }
    ExtComplex result{1.0L, 0.0L};
    // While the result is still 1, 1 times an ordinary real base is the base itself.
    bool untouched = !complexMode;
    while (e != 0) {
        if (e & 1) {
            if (untouched && IsZeroBits(base.im) && SurelyBelowBig(base.re)) {
                result = base;
            } else if (!MultiplyQuick(result, base, complexMode, result)) {
                out = result;
                return false;
            }
            untouched = false;
        }
        e >>= 1;
        // Squaring only while bits remain keeps a harmless last square from failing.
        if (e != 0 && !MultiplyQuick(base, base, complexMode, base)) {
            out = base;
            return false;
        }
    }
    out = result;
    return true;
}

}  // namespace curvelo
