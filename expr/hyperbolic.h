// Hyperbolic functions and argsinh to within an ulp, from the two-part e^x and from the
// Taylor series near zero. Arguments within the evaluator's limits (|x| < EXPLIMIT for the
// direct ones).
#pragma once

#include "expr/fast_trig.h"

namespace curvelo {

fasttrig::Pair SinhPair(long double x);
fasttrig::Pair CoshPair(long double x);

long double Sinh(long double x);
long double Cosh(long double x);
long double Tanh(long double x);
long double Sech(long double x);
long double Coth(long double x);  // x != 0
long double Csch(long double x);  // x != 0
long double Argsinh(long double x);

}  // namespace curvelo
