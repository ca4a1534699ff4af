#include "expr/simplify.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <cmath>
#include <string>

#include "expr/engine.h"
#include "expr/eval.h"
#include "expr/letters.h"
#include "expr/node_kinds.h"
#include "expr/tree.h"

using namespace curvelo;

namespace {

struct Compiled {
  FormulaEngine& e;
  ExprNode* tree = nullptr;
  Compiled(FormulaEngine& engine, const std::string& text) : e(engine) {
    EXPECT_EQ(e.CompileFormula(text), 0) << text;
    tree = e.TakeCompiledTree();
  }
  ~Compiled() { FreeTree(tree); }
};

bool At(FormulaEngine& e, ExprNode* t, long double x, long double& r) {
  return EvalAt(e, t, kLetterX, x, r);
}

}  // namespace

TEST(Simplify, FoldsConstantsAndNeutralOperands) {
  FormulaEngine e;
  struct Case { const char* text; nk::Kind kind; } cases[] = {
      {"0*x", nk::NUM}, {"x+0", nk::X}, {"1*x", nk::X}, {"0+x", nk::X}, {"x-0", nk::X},
      {"x/1", nk::X},   {"2*3", nk::NUM}, {"3!", nk::NUM}, {"sin(1)+x", nk::PLUS}, {"sin(0)+x", nk::X},
      {"1/sin(x)", nk::CSC}, {"x^2", nk::POW}, {"x^0", nk::NUM}, {"1^x", nk::NUM},
  };
  for (const Case& c : cases) {
    Compiled t(e, c.text);
    ASSERT_NE(t.tree, nullptr) << c.text;
    EXPECT_EQ(t.tree->kind, c.kind) << c.text;
  }
  Compiled six(e, "2*3");
  EXPECT_EQ(six.tree->value.re, 6.0L);
  Compiled fact(e, "3!");
  EXPECT_NEAR(static_cast<double>(fact.tree->value.re), 6.0, 1e-12);
  Compiled zero(e, "0*x");
  EXPECT_EQ(zero.tree->value.re, 0.0L);
}

TEST(Simplify, IntegerExponentsBecomeMultiplicationAndAcceptNegativeBases) {
  FormulaEngine e;
  Compiled sq(e, "x^2");
  ASSERT_EQ(sq.tree->kind, nk::POW);
  EXPECT_EQ(sq.tree->childA->kind, nk::NUM);
  EXPECT_EQ(sq.tree->childB->kind, nk::X);
  long double r = 0;
  ASSERT_TRUE(At(e, sq.tree, -3.0L, r));
  EXPECT_EQ(r, 9.0L);
  Compiled half(e, "x^0.5");
  EXPECT_EQ(half.tree->kind, nk::CARET);
}

using Reference = long double (*)(long double);

struct ValueCase {
  const char* text;
  Reference want;  // NaN where the formula is undefined
};

// Compares the simplified tree with the formula's meaning at several points.
void ExpectValues(FormulaEngine& e, const ValueCase& c) {
  Compiled t(e, c.text);
  for (long double x : {-2.0L, -0.5L, 0.25L, 0.7L, 1.0L, 3.0L}) {
    long double got = 0;
    const bool ok = At(e, t.tree, x, got);
    const long double want = c.want(x);
    if (std::isnan(want)) {
      EXPECT_FALSE(ok) << c.text << " at " << static_cast<double>(x);
    } else {
      ASSERT_TRUE(ok) << c.text << " at " << static_cast<double>(x);
      EXPECT_NEAR(static_cast<double>(got), static_cast<double>(want), 1e-12)
          << c.text << " at " << static_cast<double>(x);
    }
  }
}

TEST(Simplify, ReciprocalKindsKeepTheValue) {
  FormulaEngine e;
  const ValueCase cases[] = {
      {"1/tan(x)", [](long double x) { return 1 / std::tan(x); }},
      {"2/cos(x)", [](long double x) { return 2 / std::cos(x); }},
      {"x/sinh(x)", [](long double x) { return x / std::sinh(x); }},
      {"1/coth(x)", [](long double x) { return std::tanh(x); }},
      {"1/sec(x)", [](long double x) { return std::cos(x); }},
      {"3/sin(2)", [](long double) { return 3 / std::sin(2.0L); }},
  };
  for (const ValueCase& c : cases) {
    Compiled t(e, c.text);
    EXPECT_FALSE(ContainsKind(t.tree, nk::DIVIDE)) << c.text;
    ExpectValues(e, c);
  }
}

TEST(Simplify, NeverChangesADefinedValue) {
  FormulaEngine e;
  SetLetter(e.letters, 1, 2.5L);  // A
  const ValueCase cases[] = {
      {"x^3-2*x+0*sin(x)", [](long double x) { return x * x * x - 2 * x; }},
      {"max(x,1)*1+0", [](long double x) { return std::max(x, 1.0L); }},
      {"sum(n*0+n,n,1,4)*x", [](long double x) { return 10 * x; }},
      {"joinx(x^2|0,x)+0", [](long double x) { return x < 0 ? x * x : x; }},
      {"(x+1)^1", [](long double x) { return x + 1; }},
      {"a*x^0+2^-1", [](long double) { return 3.0L; }},
      {"iter(2,x*1+0)", [](long double x) { return x; }},
      {"exp(0)*ln(x)", [](long double x) { return x > 0 ? std::log(x) : NAN; }},
      {"(-2)^x", [](long double x) { return x == std::floor(x) ? std::pow(-2.0L, x) : NAN; }},
      {"x*(1/2)*2", [](long double x) { return x; }},
      {"sqrt(x)*0", [](long double) { return 0.0L; }},
  };
  for (const ValueCase& c : cases) ExpectValues(e, c);
}

TEST(Simplify, AnUndefinedConstantIsNotFoldedIntoANumber) {
  FormulaEngine e;
  // firstdef(sqrt(-1), x): the first operand is constant but undefined.
  ExprNode* t = NewBinary(nk::FIRSTDEF, NewUnary(nk::SQR, NewNumber(-1.0L)), NewNode(nk::X));
  SimplifyTree(e, t);
  long double r = 0;
  ASSERT_TRUE(At(e, t, 4.0L, r));
  EXPECT_EQ(r, 4.0L);
  FreeTree(t);
}

TEST(Simplify, UndefinedEverywhereLeavesTheTreeAndLettersAlone) {
  FormulaEngine e;
  SetLetter(e.letters, kLetterX, 1.25L);
  SetLetter(e.letters, kLetterY, -7.0L);
  Compiled t(e, "sqrt(-1-x^2)+0*x");
  // Still the sum with its neutral parts: nothing could be sampled.
  EXPECT_EQ(t.tree->kind, nk::PLUS);
  EXPECT_EQ(GetLetter(e.letters, kLetterX), 1.25L);
  EXPECT_EQ(GetLetter(e.letters, kLetterY), -7.0L);
  Compiled u(e, "sin(x)+y");
  EXPECT_EQ(GetLetter(e.letters, kLetterX), 1.25L);
  EXPECT_EQ(GetLetter(e.letters, kLetterY), -7.0L);
}

TEST(Simplify, RandomCallsAreNeverFolded) {
  FormulaEngine e;
  Compiled t(e, "rand(1)+0*x");
  EXPECT_TRUE(ContainsKind(t.tree, nk::RAND));
  EXPECT_EQ(SimplifyTree(e, nullptr), nullptr);
}

TEST(Simplify, ComplexModeTurnsTheImaginaryLetterIntoAConstant) {
  FormulaEngine e;
  e.SetComplexMode(true);
  Compiled t(e, "i*i");
  ASSERT_EQ(t.tree->kind, nk::NUM);
  EXPECT_NEAR(static_cast<double>(t.tree->value.re), -1.0, 1e-18);
  EXPECT_NEAR(static_cast<double>(t.tree->value.im), 0.0, 1e-18);
}

TEST(Simplify, HugeLoopsDoNotFreezeCompilationAndStillEvaluateWhenAsked) {
    FormulaEngine engine;
    const auto start = std::chrono::steady_clock::now();
    // Both the random sampling and the folding of constant loops would take billions of steps.
    ASSERT_EQ(engine.CompileFormula("sum(k,k,1,2000000000)"), 0);
    FreeTree(engine.TakeCompiledTree());
    ASSERT_EQ(engine.CompileFormula("prod(k,k,9,iter(6,x5)^2)ivar(22)"), 0);
    FreeTree(engine.TakeCompiledTree());
    // Fewer steps, each evaluating a long body.
    const std::string body = "pi*sqrt(abs(x))+cis(x)*" + std::string(60, 'e') + "+";
    std::string wide = "prod(k" + body + body + "1,k,9,iter(6,x5)^2)ivar(2" + body + "1)";
    ASSERT_EQ(engine.CompileFormula(wide), 0);
    FreeTree(engine.TakeCompiledTree());
    EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(2));
    EXPECT_EQ(engine.letters.LoopBudget, -1);  // the user's own evaluations have no limit

    ASSERT_EQ(engine.CompileFormula("sum(k,k,1,100)"), 0);
    ExprNode* tree = engine.TakeCompiledTree();
    ASSERT_TRUE(EvalNode(engine, tree));
    EXPECT_EQ(tree->value.re, 5050.0L);
    engine.letters.LoopBudget = 10;
    EXPECT_FALSE(EvalNode(engine, tree));
    FreeTree(tree);
}
