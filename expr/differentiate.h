#pragma once
// Symbolic differentiation of expression trees.

#include <cstdint>

namespace curvelo {

class FormulaEngine;
struct ExprNode;

// The derivative of tree with respect to the letter kind variable (e.g. nk::X), as a new
// simplified tree owned by the caller; the input is not changed. Never fails: kinds
// without a rule contribute 0, and a null tree gives NUM 0.
ExprNode* Differentiate(FormulaEngine& engine, const ExprNode* tree, std::uint16_t variable);

}  // namespace curvelo
