#include "expr/tree.h"

#include <gtest/gtest.h>

#include <cmath>

#include "expr/eval.h"
#include "expr/letters.h"

using namespace curvelo;

namespace {

ExprNode* Leaf(nk::Kind k) { return NewNode(k); }
ExprNode* Num(long double v) { return NewNumber(v); }

struct Owned {
  explicit Owned(ExprNode* r) : root(r) {}
  ~Owned() { FreeTree(root); }
  Owned(const Owned&) = delete;
  Owned& operator=(const Owned&) = delete;
  ExprNode* root;
};

long double ValueOf(ExprNode* tree, long double x = 0.0L, long double y = 0.0L) {
  LetterStore store;
  SetLetter(store, nk::LetterIndex(nk::X), x);
  SetLetter(store, nk::LetterIndex(nk::Y), y);
  EXPECT_TRUE(EvalNode(store, tree));
  return tree->value.re;
}

TEST(Tree, EveryOperationAcceptsAnEmptyTree) {
  FreeTree(nullptr);
  EXPECT_EQ(CloneTree(nullptr), nullptr);
  SetNode(nullptr, nk::NUM);
  MakeConstant(nullptr, {1.0L, 0.0L});
  SubstituteKind(nullptr, nk::X, nullptr);
  EXPECT_EQ(CloneSubstitute(nullptr, nk::X, nullptr), nullptr);
  RenameVariable(nullptr, nk::X, nk::T);
  RenameKind(nullptr, nk::X, nk::T);
  ReplaceKindByConstant(nullptr, nk::X, 1.0L);
  ToParametric(nullptr);
  MakeNegation(nullptr);
  MakeUnitCircleComplement(nullptr);
  EXPECT_EQ(Negated(nullptr), nullptr);
  EXPECT_EQ(TreeSize(nullptr), 0);
}

TEST(Tree, NewNodeAndSetNodeInitialiseEveryField) {
  Owned n(NewNode(nk::SIN, {2.0L, 3.0L}));
  EXPECT_EQ(n.root->kind, nk::SIN);
  EXPECT_EQ(n.root->value, (ExtComplex{2.0L, 3.0L}));
  EXPECT_EQ(n.root->aux, 0);
  EXPECT_EQ(n.root->childA, nullptr);
  EXPECT_EQ(n.root->childB, nullptr);
  EXPECT_EQ(n.root->childC, nullptr);
  ExprNode* child = Leaf(nk::X);
  n.root->childB = child;
  SetNode(n.root, nk::ITER, {}, 7);
  EXPECT_EQ(n.root->aux, 7);
  EXPECT_EQ(n.root->childB, nullptr);  // dropped, not freed
  FreeTree(child);
}

TEST(Tree, CloneIsDeepAndIndependent) {
  ExprNode* j = NewBinary(nk::JOIN, Leaf(nk::X), Num(2.0L));
  j->childC = Num(0.0L);
  j->aux = 24;
  Owned original(j);
  Owned copy(CloneTree(original.root));
  EXPECT_TRUE(TreesEqual(original.root, copy.root));
  EXPECT_NE(copy.root->childC, original.root->childC);
  EXPECT_EQ(copy.root->aux, 24);
  copy.root->childA->kind = nk::Y;
  EXPECT_EQ(original.root->childA->kind, nk::X);
}

TEST(Tree, SubstituteMakesIndependentCopies) {
  Owned product(NewBinary(nk::TIMES, Leaf(nk::X), Leaf(nk::X)));
  Owned xPlusOne(NewBinary(nk::PLUS, Leaf(nk::X), Num(1.0L)));
  SubstituteKind(product.root, nk::X, xPlusOne.root);
  // The inserted X is not substituted again.
  EXPECT_EQ(TreeSize(product.root), 7);
  ASSERT_EQ(product.root->childA->kind, nk::PLUS);
  ASSERT_EQ(product.root->childB->kind, nk::PLUS);
  EXPECT_NE(product.root->childA, product.root->childB);
  EXPECT_NE(product.root->childA->childA, xPlusOne.root->childA);
  EXPECT_EQ(ValueOf(product.root, 2.0L), 9.0L);

  Owned original(NewBinary(nk::MINUS, Leaf(nk::X), Leaf(nk::Y)));
  Owned substituted(CloneSubstitute(original.root, nk::Y, xPlusOne.root));
  EXPECT_EQ(original.root->childB->kind, nk::Y);
  EXPECT_EQ(ValueOf(substituted.root, 5.0L), -1.0L);
}

TEST(Tree, RenameVariableReplacesLeavesButRenameKindKeepsChildren) {
  Owned t(NewBinary(nk::PLUS, NewUnary(nk::SIN, Leaf(nk::X)), Leaf(nk::X)));
  RenameVariable(t.root, nk::X, nk::T);
  EXPECT_FALSE(ContainsKind(t.root, nk::X));
  EXPECT_EQ(t.root->childA->childB->kind, nk::T);
  RenameKind(t.root, nk::SIN, nk::COS);
  EXPECT_EQ(t.root->childA->kind, nk::COS);
  EXPECT_EQ(t.root->childA->childB->kind, nk::T);
}

TEST(Tree, ReplaceKindByConstant) {
  Owned t(NewBinary(nk::TIMES, Leaf(nk::A), NewUnary(nk::SIN, Leaf(nk::A))));
  Owned before(CloneTree(t.root));
  ReplaceKindByConstant(t.root, nk::B, 3.0L);
  EXPECT_TRUE(TreesEqual(t.root, before.root));
  ReplaceKindByConstant(t.root, nk::SIN, 0.5L);  // a subtree goes with its node
  EXPECT_EQ(TreeSize(t.root), 3);
  ReplaceKindByConstant(t.root, nk::A, 4.0L);
  EXPECT_EQ(ValueOf(t.root), 2.0L);
}

TEST(Tree, ToParametricRemovesXAndJoin) {
  ExprNode* join = NewBinary(nk::JOIN, Leaf(nk::X), Num(1.0L));
  join->childC = Num(0.0L);
  join->aux = 24;
  Owned t(NewBinary(nk::PLUS, NewBinary(nk::CARET, Leaf(nk::X), Num(2.0L)), join));
  ToParametric(t.root);
  EXPECT_FALSE(ContainsKind(t.root, nk::X));
  EXPECT_FALSE(ContainsKind(t.root, nk::JOIN));
  EXPECT_TRUE(ContainsKind(t.root, nk::T));
  EXPECT_EQ(t.root->childB->kind, nk::JOINP);
  EXPECT_EQ(t.root->childB->childC->kind, nk::NUM);
}

TEST(Tree, InPlaceBuildersKeepTheNodeAddress) {
  ExprNode* parent = NewBinary(nk::PLUS, Leaf(nk::X), Num(0.6L));
  Owned t(parent);
  ExprNode* target = parent->childB;
  MakeNegation(target);
  EXPECT_EQ(parent->childB, target);
  EXPECT_EQ(target->kind, nk::MINUS);
  EXPECT_NEAR(static_cast<double>(ValueOf(t.root, 1.0L)), 0.4, 1e-15);
  MakeUnitCircleComplement(target);  // sqrt(1 - 0.36)
  EXPECT_NEAR(static_cast<double>(ValueOf(t.root, 0.0L)), 0.8, 1e-15);
}

TEST(Tree, BuildersComputeTheirFormulas) {
  Owned a(Num(2.0L)), b(Num(3.0L)), c(Num(5.0L)), d(Num(7.0L)), e(Num(11.0L));
  auto value = [](ExprNode* built, long double x = 0.0L) {
    Owned o(built);
    return ValueOf(o.root, x);
  };
  EXPECT_EQ(value(BuildDeterminant(a.root, b.root, c.root, d.root)), -1.0L);
  EXPECT_EQ(value(BuildScaledProduct(4.0L, a.root, b.root)), 24.0L);
  EXPECT_EQ(value(BuildScaledSum(4.0L, a.root, b.root, false)), 11.0L);
  EXPECT_EQ(value(BuildScaledSum(4.0L, a.root, b.root, true)), 5.0L);
  EXPECT_EQ(value(BuildSumDifference(a.root, b.root, c.root)), 0.0L);
  EXPECT_EQ(value(BuildProductPair(a.root, b.root, c.root, d.root, false)), 41.0L);
  EXPECT_EQ(value(BuildProductPair(a.root, b.root, c.root, d.root, true)), -29.0L);
  EXPECT_EQ(value(BuildSlope(d.root, b.root, c.root, a.root)), 4.0L / 3.0L);
  EXPECT_EQ(value(BuildThreeTerm(a.root, b.root, c.root, d.root, e.root)), 94.0L);
  EXPECT_EQ(value(BuildSumOfSquares(b.root, a.root)), 13.0L);
  Owned three(Num(3.0L)), four(Num(4.0L)), twelve(Num(12.0L));
  EXPECT_EQ(value(BuildLength2(three.root, four.root)), 5.0L);
  EXPECT_EQ(value(BuildLength3(three.root, four.root, twelve.root)), 13.0L);
  // Line through (2, 3) and (5, 7), at X = 8; solve 2X + 3y = 5 for y at X = 1.
  EXPECT_NEAR(static_cast<double>(value(BuildLine(a.root, b.root, c.root, d.root), 8.0L)), 11.0, 1e-15);
  EXPECT_EQ(value(BuildSolveForX(a.root, b.root, c.root), 1.0L), 1.0L);
  EXPECT_EQ(value(ScaleTree(-2.0L, e.root)), -22.0L);
  EXPECT_EQ(value(BuildQuotient(d.root, a.root)), 3.5L);
  // Arguments stay with the caller, unchanged.
  EXPECT_EQ(a.root->kind, nk::NUM);
  EXPECT_EQ(a.root->value.re, 2.0L);
}

TEST(Tree, VectorBuilders) {
  Owned a1(Num(1.0L)), a2(Num(2.0L)), a3(Num(3.0L)), b1(Num(4.0L)), b2(Num(5.0L)), b3(Num(6.0L));
  TreeTriple cross = BuildCrossProduct({a1.root, a2.root, a3.root}, {b1.root, b2.root, b3.root});
  const long double expected[3] = {-3.0L, 6.0L, -3.0L};
  for (int i = 0; i < 3; ++i) {
    EXPECT_EQ(ValueOf(cross[i]), expected[i]) << i;
    FreeTree(cross[i]);
  }
  Owned r(Num(2.0L)), theta(Num(0.5L)), phi(Num(1.2L));
  auto polar = BuildPolarToCartesian(r.root, theta.root);
  EXPECT_NEAR(static_cast<double>(ValueOf(polar[0])), 2.0 * std::cos(0.5), 1e-15);
  EXPECT_NEAR(static_cast<double>(ValueOf(polar[1])), 2.0 * std::sin(0.5), 1e-15);
  FreeTree(polar[0]);
  FreeTree(polar[1]);
  TreeTriple s = BuildSphericalToCartesian(r.root, phi.root, theta.root);
  EXPECT_NEAR(static_cast<double>(ValueOf(s[0])), 2.0 * std::sin(1.2) * std::cos(0.5), 1e-15);
  EXPECT_NEAR(static_cast<double>(ValueOf(s[1])), 2.0 * std::sin(1.2) * std::sin(0.5), 1e-15);
  EXPECT_NEAR(static_cast<double>(ValueOf(s[2])), 2.0 * std::cos(1.2), 1e-15);
  for (ExprNode* n : s) FreeTree(n);
}

TEST(Tree, DeepTreesCloneAndFree) {
  ExprNode* deep = Leaf(nk::X);
  for (int i = 0; i < 20000; ++i) deep = NewUnary(nk::SIN, deep);
  Owned t(deep);
  Owned copy(CloneTree(t.root));
  EXPECT_EQ(TreeSize(copy.root), 20001);
}

}  // namespace
