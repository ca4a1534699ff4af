#include "expr/differentiate.h"

#include <gtest/gtest.h>

#include <chrono>
#include <cmath>
#include <string>
#include <vector>

#include "expr/engine.h"
#include "expr/eval.h"
#include "expr/letters.h"
#include "expr/node_kinds.h"
#include "expr/tree.h"

using namespace curvelo;

namespace {

// The derivative of a formula with respect to X, evaluated at x; NaN when undefined.
class Derivative {
 public:
  Derivative(FormulaEngine& e, const std::string& text, nk::Kind var = nk::X) : e_(e) {
    EXPECT_EQ(e_.CompileFormula(text), 0) << text;
    f_ = e_.TakeCompiledTree();
    const ExprNode* before = CloneTree(f_);
    d_ = Differentiate(e_, f_, var);
    EXPECT_TRUE(TreesEqual(before, f_)) << "input changed: " << text;
    FreeTree(const_cast<ExprNode*>(before));
  }
  ~Derivative() {
    FreeTree(f_);
    FreeTree(d_);
  }
  long double At(long double x) { return Eval(d_, x); }
  long double F(long double x) { return Eval(f_, x); }
  // Central difference quotient of the formula itself.
  long double Quotient(long double x, long double h = 1e-6L) {
    return (F(x + h) - F(x - h)) / (2 * h);
  }
  const ExprNode* tree() const { return d_; }

 private:
  long double Eval(ExprNode* t, long double x) {
    long double r = 0;
    return EvalAt(e_, t, kLetterX, x, r) ? r : NAN;
  }
  FormulaEngine& e_;
  ExprNode* f_ = nullptr;
  ExprNode* d_ = nullptr;
};

}  // namespace

TEST(Differentiate, MatchesDifferenceQuotientsForEveryChainRule) {
  FormulaEngine e;
  const char* texts[] = {
      "sin(2x)",     "cos(x^2)",     "tan(x)",       "cot(x)",        "sec(x)",
      "csc(x)",      "sinh(x)",      "cosh(x)",      "tanh(x)",       "coth(x)",
      "sech(x)",     "csch(x)",      "exp(-x)",      "ln(x+3)",       "log(x+3)",
      "sqrt(x+3)",   "abs(x)",       "frac(x)",      "arcsin(x/4)",   "arccos(x/4)",
      "arctan(x)",   "arccot(x)",    "argsinh(x)",   "argcosh(x+4)",  "argtanh(x/4)",
      "argcoth(x+4)", "erf(x)",      "gauss(x)",     "root(3,x+3)",   "pow(3,x)",
      "x^x",         "2^x",          "x*sin(x)",     "x/(x^2+1)",     "abs(x,2x)",
      "arg(x+3,x)",  "x^2+x",        "x-3",          "3+x",           "(x+1)^3",
      "sum(n*x^n,n,1,4)", "prod(x+n,n,1,3)", "iter(2,x^2+x)", "x^-2",
  };
  for (const char* text : texts) {
    Derivative d(e, text);
    for (long double x : {-1.3L, -0.4L, 0.35L, 1.7L}) {
      const long double q = d.Quotient(x);
      if (std::isnan(q)) continue;
      EXPECT_NEAR(static_cast<double>(d.At(x)), static_cast<double>(q),
                  1e-5 * (1 + std::fabs(static_cast<double>(q))))
          << text << " at " << static_cast<double>(x);
    }
  }
}

TEST(Differentiate, PowersAndConstants) {
  FormulaEngine e;
  Derivative sq(e, "x^2");
  EXPECT_EQ(sq.At(-3.0L), -6.0L);
  EXPECT_EQ(sq.At(2.5L), 5.0L);

  Derivative half(e, "x^0.5");
  EXPECT_NEAR(static_cast<double>(half.At(4.0L)), 0.25, 1e-15);
  EXPECT_TRUE(std::isnan(half.At(0.0L)));
  EXPECT_TRUE(std::isnan(half.At(-1.0L)));

  Derivative three(e, "3");
  ASSERT_EQ(three.tree()->kind, nk::NUM);
  EXPECT_EQ(three.tree()->value.re, 0.0L);

  SetLetter(e.letters, 1, 4.5L);  // A
  Derivative ax(e, "a*x");
  EXPECT_EQ(ax.At(1.0L), 4.5L);
  Derivative floor(e, "floor(x)");
  EXPECT_EQ(floor.At(0.5L), 0.0L);
  Derivative gamma(e, "gamma(x)");
  EXPECT_EQ(gamma.At(2.5L), 0.0L);
}

TEST(Differentiate, TheListedValues) {
  FormulaEngine e;
  Derivative q(e, "sin(x)/x");
  EXPECT_NEAR(static_cast<double>(q.At(1.0L)), std::cos(1.0) - std::sin(1.0), 1e-15);

  Derivative m(e, "max(x,1-x)");
  EXPECT_EQ(m.At(0.2L), -1.0L);
  EXPECT_EQ(m.At(0.8L), 1.0L);
  Derivative mn(e, "min(x,1-x)");
  EXPECT_EQ(mn.At(0.2L), 1.0L);
  EXPECT_EQ(mn.At(0.8L), -1.0L);

  Derivative ac(e, "argcoth(x)");
  EXPECT_NEAR(static_cast<double>(ac.At(2.0L)), -1.0 / 3.0, 1e-15);

  Derivative j(e, "joinx(x^2|0,x)");
  EXPECT_EQ(j.At(-1.5L), -3.0L);
  EXPECT_EQ(j.At(0.5L), 1.0L);
}

TEST(Differentiate, OtherVariablesAndParameters) {
  FormulaEngine e;
  SetLetter(e.letters, kLetterT, 2.0L);
  Derivative dt(e, "x*t^2", nk::T);
  EXPECT_EQ(dt.At(3.0L), 12.0L);  // 2*x*t
  Derivative dy(e, "x+y", nk::Y);
  ASSERT_EQ(dy.tree()->kind, nk::NUM);
  EXPECT_EQ(dy.tree()->value.re, 1.0L);
  Derivative none(e, "sin(t)", nk::X);
  EXPECT_EQ(none.At(1.0L), 0.0L);
}

TEST(Differentiate, NullAndRulelessKindsGiveZero) {
  FormulaEngine e;
  ExprNode* d = Differentiate(e, nullptr, nk::X);
  ASSERT_NE(d, nullptr);
  EXPECT_EQ(d->kind, nk::NUM);
  EXPECT_EQ(d->value.re, 0.0L);
  FreeTree(d);

  ExprNode* fd = NewBinary(nk::FIRSTDEF, NewNode(nk::X), NewNode(nk::X));
  d = Differentiate(e, fd, nk::X);
  EXPECT_EQ(d->kind, nk::NUM);
  FreeTree(d);
  FreeTree(fd);
}

namespace {

std::string Nested(const std::string& head, int depth, const std::string& inner) {
  std::string s;
  for (int i = 0; i < depth; ++i) s += head;
  s += inner;
  return s + std::string(static_cast<std::size_t>(depth), ')');
}

std::string Chain(const std::string& op, int terms) {
  std::string s = "x";
  for (int i = 1; i < terms; ++i) s += op + "x";
  return s;
}

// The compiled text's derivative with respect to X, and how long it took.
struct Built {
  ExprNode* d = nullptr;
  std::chrono::steady_clock::duration took{};
};

Built DerivativeOf(FormulaEngine& e, const std::string& text) {
  EXPECT_EQ(e.CompileFormula(text), 0) << text.substr(0, 40);
  ExprNode* t = e.TakeCompiledTree();
  const auto start = std::chrono::steady_clock::now();
  Built b;
  b.d = Differentiate(e, t, nk::X);
  b.took = std::chrono::steady_clock::now() - start;
  FreeTree(t);
  return b;
}

}  // namespace

TEST(Differentiate, DeepTreesDoNotExhaustTheStack) {
  FormulaEngine e;
  Built b = DerivativeOf(e, Nested("sin(", 300, "x"));
  ASSERT_NE(b.d, nullptr);
  long double r = 0;
  EXPECT_TRUE(EvalAt(e, b.d, kLetterX, 0.1L, r));
  FreeTree(b.d);
}

TEST(Differentiate, ADerivativeThatOutgrowsItsBudgetIsRefusedQuickly) {
  // Each of these once took hundreds of megabytes and seconds: the copies of the subtrees
  // grow with the square of the length.
  for (const std::string& text : std::vector<std::string>{Chain("^", 2499), Chain("*", 2499), Nested("sin(", 999, "x"),
                                 Nested("sqr(1+", 700, "x") }) {
    ASSERT_LE(text.size(), static_cast<std::size_t>(kMaxFormulaLength));
    FormulaEngine e;
    Built b = DerivativeOf(e, text);
    EXPECT_EQ(b.d, nullptr) << text.substr(0, 20);
    EXPECT_LT(b.took, std::chrono::milliseconds(500)) << text.substr(0, 20);
    FreeTree(b.d);
  }
}

TEST(Differentiate, BudgetGrowsWithTheInputBetweenItsBounds) {
  EXPECT_EQ(DerivativeNodeBudget(0), kMinDerivativeNodes);
  EXPECT_EQ(DerivativeNodeBudget(5000), 5000 * kDerivativeNodesPerInputNode);
  EXPECT_GT(DerivativeNodeBudget(6000), DerivativeNodeBudget(5000));
  EXPECT_EQ(DerivativeNodeBudget(1 << 30), kMaxDerivativeNodes);
  // Long formulas a user writes still differentiate: a 250-factor product, a polynomial
  // of degree 300 written out, and a 150-fold power tower at a point where it is defined.
  FormulaEngine e;
  std::string poly = "1";
  for (int k = 1; k <= 300; ++k) poly += "+" + std::to_string(k % 7) + "x^" + std::to_string(k);
  for (const std::string& text : std::vector<std::string>{Chain("*", 250), poly, Chain("^", 150)}) {
    Built b = DerivativeOf(e, text);
    EXPECT_NE(b.d, nullptr) << text.substr(0, 20);
    long double r = 0;
    EXPECT_TRUE(EvalAt(e, b.d, kLetterX, 1.0L, r)) << text.substr(0, 20);
    FreeTree(b.d);
  }
  Built product = DerivativeOf(e, Chain("*", 250));
  long double r = 0;
  ASSERT_TRUE(EvalAt(e, product.d, kLetterX, 1.0L, r));
  EXPECT_NEAR(static_cast<double>(r), 250.0, 1e-9);  // d/dx x^250 at 1
  FreeTree(product.d);
}

TEST(Differentiate, ComplexModeTreatsZAsTheVariable) {
  FormulaEngine e;
  e.SetComplexMode(true);
  ASSERT_EQ(e.CompileFormula("z*z"), 0);
  ExprNode* t = e.TakeCompiledTree();
  ExprNode* d = Differentiate(e, t, nk::X);
  ExtComplex r;
  ASSERT_TRUE(EvalAtComplex(e, d, kLetterZ, {1.0L, 2.0L}, r));
  EXPECT_NEAR(static_cast<double>(r.re), 2.0, 1e-15);  // 2z
  EXPECT_NEAR(static_cast<double>(r.im), 4.0, 1e-15);
  FreeTree(d);
  FreeTree(t);
}
