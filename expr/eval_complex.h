#pragma once
// Complex-mode values of the one- and two-argument functions (principal branches).
// Internal to the evaluator.

#include <cstdint>

#include "expr/tree.h"

namespace curvelo {

// pi/2 - atan x with the double-precision pi/2; for large positive x, where that difference
// cancels and would even turn negative, atan(1/x), which keeps sign and magnitude.
long double Arccot(long double x);

// Angle of the point (x, y) in (-pi, pi]; +-pi/2 when |x| < TINY.
long double PolarAngle(long double x, long double y);

// Value of a one-argument function of kind `kind` at z in complex mode. Returns false
// where undefined; `handled` is false for kinds that use only the real part.
bool ComplexFunction(std::uint16_t kind, const ExtComplex& z, ExtComplex& out, bool& handled);

// exp(b * ln a), with 0^b = 0 for re b > 0.
bool ComplexPower(const ExtComplex& a, const ExtComplex& b, ExtComplex& out);
// Principal n-th root of b.
bool ComplexRoot(const ExtComplex& b, std::int32_t n, ExtComplex& out);

}  // namespace curvelo
