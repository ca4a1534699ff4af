#pragma once
// The evaluator's general power and its table of real one-argument functions, shared with
// the flattened evaluation. Internal to the evaluator.

#include <cstdint>

#include "expr/letters.h"
#include "expr/tree.h"

namespace curvelo {

// a^b: integer exponents by IntegerPower, others through exp and ln (principal branch in
// complex mode). False = undefined.
bool EvalPower(const ExtComplex& a, const ExtComplex& b, bool complexMode, ExtComplex& out);
// A one-argument function of the real part of b (kind of the node); may set the jump flag.
bool EvalRealFunction(LetterStore& s, std::uint16_t kind, const ExtComplex& b, ExtComplex& out);
// Whether kind is a function of one argument (its argument is child B).
bool IsOneArgumentFunction(std::uint16_t kind);

}  // namespace curvelo
