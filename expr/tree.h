#pragma once
// Expression trees: the node record, ownership-preserving rewrites and the builders
// that the plotting code uses to assemble derived formulas.
//
// Ownership: a node owns its three children; trees are shared only by cloning. Every
// operation accepts a null tree (does nothing, or returns null). Builders clone their
// tree arguments, so the caller keeps what it passed.

#include <array>
#include <cstdint>

#include "expr/node_kinds.h"

namespace curvelo {

// The engine's value type; in real mode the imaginary part stays zero.
struct ExtComplex {
  long double re = 0.0L;
  long double im = 0.0L;
};

inline bool operator==(const ExtComplex& a, const ExtComplex& b) {
  return a.re == b.re && a.im == b.im;
}

struct ExprNode {
  std::uint16_t kind = 0;
  ExtComplex value;  // constant of a NUM node, else the result of the last evaluation
  std::int32_t aux = 0;  // JOIN letter index, ITER / ITERD count; 0 otherwise
  ExprNode* childA = nullptr;  // first operand
  ExprNode* childB = nullptr;  // second operand; the argument of one-argument functions
  ExprNode* childC = nullptr;  // JOIN threshold, selector condition, PERIODIC length
};

// --- basic operations -------------------------------------------------------------

ExprNode* NewNode(std::uint16_t kind, ExtComplex value = {});
// Re-initialises in place; the old children are dropped without being freed.
void SetNode(ExprNode* node, std::uint16_t kind, ExtComplex value = {}, std::int32_t aux = 0);
// Post-order: childA, childC, childB, then the node.
void FreeTree(ExprNode* root);
ExprNode* CloneTree(const ExprNode* root);
// The node becomes NUM with the value; its subtrees are freed.
void MakeConstant(ExprNode* node, ExtComplex value);
// Every node of kind k is overwritten by a fresh clone of s; inserted copies are not revisited.
void SubstituteKind(ExprNode* root, std::uint16_t k, const ExprNode* s);
ExprNode* CloneSubstitute(const ExprNode* root, std::uint16_t k, const ExprNode* s);
// Every node of kind k becomes a fresh leaf of kind k2.
void RenameVariable(ExprNode* root, std::uint16_t k, std::uint16_t k2);
// Every node of kind k gets kind k2, children kept.
void RenameKind(ExprNode* root, std::uint16_t k, std::uint16_t k2);
void ReplaceKindByConstant(ExprNode* root, std::uint16_t k, long double value);
// X -> T and JOIN -> JOINP: y = f(x) turned into x = t, y = f(t).
void ToParametric(ExprNode* root);
// c * clone(t).
ExprNode* ScaleTree(long double c, const ExprNode* t);
ExprNode* NewNumber(long double value);

// Helpers for callers and tests.
ExprNode* NewUnary(std::uint16_t kind, ExprNode* argument);  // takes ownership
ExprNode* NewBinary(std::uint16_t kind, ExprNode* a, ExprNode* b);  // takes ownership
bool TreesEqual(const ExprNode* a, const ExprNode* b);  // kind, aux, NUM values, shape
bool ContainsKind(const ExprNode* root, std::uint16_t k);
int TreeSize(const ExprNode* root);

// --- builders (arguments are cloned) --------------------------------------------

ExprNode* BuildDeterminant(const ExprNode* a, const ExprNode* b, const ExprNode* c,
                           const ExprNode* d);  // a*d - b*c
ExprNode* BuildScaledProduct(long double c, const ExprNode* a, const ExprNode* b);  // c*(a*b)
ExprNode* BuildQuotient(const ExprNode* a, const ExprNode* b);  // a/b
// c*t + u, or c*t - u when subtract is set.
ExprNode* BuildScaledSum(long double c, const ExprNode* t, const ExprNode* u, bool subtract);
ExprNode* BuildSumDifference(const ExprNode* a, const ExprNode* b,
                             const ExprNode* c);  // a + (b - c)
// a*b + c*d, or a*b - c*d when subtract is set.
ExprNode* BuildProductPair(const ExprNode* a, const ExprNode* b, const ExprNode* c,
                           const ExprNode* d, bool subtract);
ExprNode* BuildSlope(const ExprNode* a, const ExprNode* b, const ExprNode* c,
                     const ExprNode* d);  // (a - b)/(c - d)
// b + (d - b)/(c - a)*(X - a): the line through (a, b) and (c, d).
ExprNode* BuildLine(const ExprNode* a, const ExprNode* b, const ExprNode* c, const ExprNode* d);
ExprNode* BuildSolveForX(const ExprNode* a, const ExprNode* b,
                         const ExprNode* c);  // (c - a*X)/b
ExprNode* BuildThreeTerm(const ExprNode* a, const ExprNode* b, const ExprNode* c,
                         const ExprNode* d, const ExprNode* e);  // a + b*c + d*e
ExprNode* BuildSumOfSquares(const ExprNode* a, const ExprNode* b);  // SQUARE(a) + SQUARE(b)
ExprNode* BuildLength2(const ExprNode* a, const ExprNode* b);  // SQR(a^2 + b^2)
ExprNode* BuildLength3(const ExprNode* a, const ExprNode* b,
                       const ExprNode* c);  // SQR((a^2 + b^2) + c^2)
// In place: the node u becomes SQR(1 - SQUARE(u)); the node's address is kept.
void MakeUnitCircleComplement(ExprNode* node);
// In place: the node N becomes 0 - N; the node's address is kept.
void MakeNegation(ExprNode* node);
// Takes ownership of node and returns 0 - node (null stays null).
ExprNode* Negated(ExprNode* node);

using TreeTriple = std::array<ExprNode*, 3>;
using ConstTreeTriple = std::array<const ExprNode*, 3>;
// (a2 b3 - a3 b2, a3 b1 - a1 b3, a1 b2 - a2 b1)
TreeTriple BuildCrossProduct(const ConstTreeTriple& a, const ConstTreeTriple& b);
// (r cos(theta), r sin(theta))
std::array<ExprNode*, 2> BuildPolarToCartesian(const ExprNode* r, const ExprNode* theta);
// ((r sin(phi)) cos(theta), (r sin(phi)) sin(theta), r cos(phi))
TreeTriple BuildSphericalToCartesian(const ExprNode* r, const ExprNode* phi,
                                     const ExprNode* theta);

}  // namespace curvelo
