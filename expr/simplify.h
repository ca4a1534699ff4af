#pragma once
// Simplification of a compiled tree: constant folding, neutral factors, integer powers
// and reciprocal trigonometric kinds. Which subtrees are constant is decided by
// evaluating the whole tree once at a random defined point.

namespace curvelo {

class FormulaEngine;
struct ExprNode;

// Rewrites the tree in place (the root node keeps its address) and returns it. The
// letter values are restored afterwards; a tree undefined at 100 random points is left
// unchanged. Folding never changes the value where the tree is defined.
ExprNode* SimplifyTree(FormulaEngine& engine, ExprNode* tree);

}  // namespace curvelo
