#pragma once
// Evaluation of expression trees in 80-bit extended precision. Evaluation never allocates
// and never reports: it returns a defined flag and leaves each node's value in the node.
// Only one computation may evaluate a tree and a store at a time.

#include <cstdint>
#include <string_view>

#include "expr/letters.h"
#include "expr/math_functions.h"
#include "expr/tree.h"

namespace curvelo {

class FormulaEngine;  // expr/engine.h

// Codes returned by the dialog-facing entry points (shown as 400 + code).
inline constexpr std::uint16_t kEvalUndefined = 1;
inline constexpr std::uint16_t kEvalOutOfRange = 17;
inline constexpr std::uint16_t kEvalNoSignChange = 104;

// Evaluates the subtree; the value is left in node->value. A null node is defined.
bool EvalNode(LetterStore& letters, ExprNode* node);
bool EvalNode(FormulaEngine& engine, ExprNode* node);

// Writes (v, 0) into letter k (0..26), evaluates and returns the real part.
bool EvalAt(LetterStore& letters, ExprNode* tree, int k, long double v, long double& result);
bool EvalAt(FormulaEngine& engine, ExprNode* tree, int k, long double v, long double& result);
// The same with a complex value written directly into the store.
bool EvalAtComplex(LetterStore& letters, ExprNode* tree, int k, ExtComplex v, ExtComplex& result);
bool EvalAtComplex(FormulaEngine& engine, ExprNode* tree, int k, ExtComplex v, ExtComplex& result);

// Compiles the text in real mode, evaluates it with the current letters and frees the tree.
// Returns the compiler's code, or 1 when the value is undefined.
std::uint16_t EvaluateText(FormulaEngine& engine, std::string_view text, long double& value);
// EvaluateText, then 17 unless lo <= value <= hi, then RoundToInt.
std::uint16_t EvaluateInteger(FormulaEngine& engine, std::string_view text, std::int32_t lo,
                              std::int32_t hi, std::int32_t& value);
std::uint16_t EvaluateInteger16(FormulaEngine& engine, std::string_view text, std::int16_t lo,
                                std::int16_t hi, std::int16_t& value);

// Bisection for a sign change of the tree in letter k on [a, b]; letter k is restored.
// 0 with the root, 1 when an evaluation is undefined, 104 when both ends lie on one side.
std::uint16_t FindSignChange(LetterStore& letters, ExprNode* tree, int k, long double a,
                             long double b, long double& root);
std::uint16_t FindSignChange(FormulaEngine& engine, ExprNode* tree, int k, long double a,
                             long double b, long double& root);

// The arithmetic kernels, exposed for the simplifier and tests. False = undefined.
bool Multiply(const ExtComplex& a, const ExtComplex& b, bool complexMode, ExtComplex& out);
bool Divide(const ExtComplex& a, const ExtComplex& b, bool complexMode, ExtComplex& out);
// a^n by square-and-multiply with Multiply; n < 0 inverts a first with Divide.
bool IntegerPower(const ExtComplex& a, std::int32_t n, bool complexMode, ExtComplex& out);
// RoundToInt of the real part; defined only when the value is an integer within INTTOL.
bool ToInteger(const ExtComplex& v, std::int32_t& out);
// |re| + |im|.
long double Magnitude(const ExtComplex& v);

}  // namespace curvelo
