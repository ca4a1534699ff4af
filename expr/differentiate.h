#pragma once
// Symbolic differentiation of expression trees.

#include <cstdint>

namespace curvelo {

class FormulaEngine;
struct ExprNode;

// Bounds of a derivative's size in nodes: proportional to the input, so that no formula
// within the text limit takes more than a few tens of megabytes or a fraction of a second.
inline constexpr std::int64_t kDerivativeNodesPerInputNode = 32;
inline constexpr std::int64_t kMinDerivativeNodes = 100'000;
inline constexpr std::int64_t kMaxDerivativeNodes = 500'000;
std::int64_t DerivativeNodeBudget(int inputNodes);

// Code of a refused derivative (message 404 "nincs hely").
inline constexpr std::uint16_t kDerivativeTooLarge = 4;

// The derivative of tree with respect to the letter kind variable (e.g. nk::X), as a new
// simplified tree owned by the caller; the input is not changed. Kinds without a rule
// contribute 0, and a null tree gives NUM 0. Null when the derivative would outgrow
// DerivativeNodeBudget of the input's size: the caller refuses it with kDerivativeTooLarge.
ExprNode* Differentiate(FormulaEngine& engine, const ExprNode* tree, std::uint16_t variable);

}  // namespace curvelo
