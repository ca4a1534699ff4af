#include "expr/eval.h"

#include <gtest/gtest.h>

#include <cmath>
#include <complex>

#include "expr/engine.h"
#include "expr/node_kinds.h"

using namespace curvelo;

// Compares in long double; the library macro rounds to double first.
#define EXPECT_CLOSE(a, b, tol) EXPECT_LE(std::fabs(static_cast<long double>(a) - static_cast<long double>(b)), (tol)) << #a

namespace {

// Small tree-building vocabulary so the evaluator is tested without the parser.
ExprNode* N(long double v) { return NewNumber(v); }
ExprNode* L(char c) { return NewNode(c == '@' ? nk::AT : static_cast<nk::Kind>(nk::A + (c - 'A'))); }
ExprNode* F(nk::Kind k, ExprNode* b) { return NewUnary(k, b); }
ExprNode* F2(nk::Kind k, ExprNode* a, ExprNode* b) { return NewBinary(k, a, b); }
ExprNode* F3(nk::Kind k, ExprNode* a, ExprNode* c, ExprNode* b) {
    ExprNode* n = NewBinary(k, a, b);
    n->childC = c;
    return n;
}

struct Tree {
    explicit Tree(ExprNode* r) : root(r) {}
    ~Tree() { FreeTree(root); }
    Tree(const Tree&) = delete;
    Tree& operator=(const Tree&) = delete;
    ExprNode* root;
};

class Eval : public ::testing::Test {
protected:
    // Evaluates and frees; returns the defined flag, the value in out.
    bool Run(ExprNode* root, long double& out) {
        Tree t(root);
        const bool ok = EvalNode(s, t.root);
        out = t.root->value.re;
        return ok;
    }
    long double Value(ExprNode* root) {
        long double v = 0;
        EXPECT_TRUE(Run(root, v));
        return v;
    }
    bool Defined(ExprNode* root) {
        long double v;
        return Run(root, v);
    }
    LetterStore s;
};

}  // namespace

TEST_F(Eval, DivisionLimits) {
    EXPECT_FALSE(Defined(F2(nk::DIVIDE, N(1), N(0))));
    EXPECT_FALSE(Defined(F2(nk::DIVIDE, N(1), N(1e-19L))));
    EXPECT_CLOSE(Value(F2(nk::DIVIDE, N(1), N(1e-17L))), 1e17L, 1e3L);
    EXPECT_FALSE(Defined(F2(nk::DIVIDE, N(1e19L), N(1))));
}

TEST_F(Eval, PowerRules) {
    EXPECT_EQ(Value(F2(nk::CARET, N(-2), N(3))), -8);
    EXPECT_FALSE(Defined(F2(nk::CARET, N(-2), N(0.5L))));
    EXPECT_FALSE(Defined(F2(nk::CARET, N(-8), F2(nk::DIVIDE, N(1), N(3)))));
    EXPECT_CLOSE(Value(F2(nk::CARET, N(2), N(0.5L))), std::sqrt(2.0L), 1e-18L);
    EXPECT_EQ(Value(F2(nk::CARET, N(0), N(0))), 1);
    EXPECT_FALSE(Defined(F2(nk::CARET, N(0), N(-1))));
    EXPECT_FALSE(Defined(F2(nk::CARET, N(10), N(5000.5L))));
    EXPECT_EQ(Value(F2(nk::CARET, N(0.5L), N(20000.5L))), 0);
    EXPECT_EQ(Value(F2(nk::POW, N(3), N(-2))), -8);
    EXPECT_FALSE(Defined(F2(nk::POW, N(2.5L), N(2))));
    EXPECT_EQ(Value(F(nk::SQUARE, N(-3))), 9);
}

TEST_F(Eval, RealDomainsAndOverflow) {
    EXPECT_FALSE(Defined(F(nk::SQR, N(-1))));
    EXPECT_FALSE(Defined(F(nk::LN, N(0))));
    EXPECT_FALSE(Defined(F(nk::ARCSIN, N(1.5L))));
    EXPECT_FALSE(Defined(F(nk::ARGCOSH, N(0.5L))));
    EXPECT_FALSE(Defined(F(nk::EXP, N(6000))));
    EXPECT_EQ(Value(F(nk::EXP, N(-6000))), 0);
    EXPECT_EQ(Value(F(nk::TANH, N(6000))), 1);
    EXPECT_EQ(Value(F(nk::TANH, N(-6000))), -1);
    EXPECT_FALSE(Defined(F(nk::SINH, N(6000))));
    EXPECT_EQ(Value(F(nk::SECH, N(6000))), 0);
    EXPECT_FALSE(Defined(F(nk::SIN, N(6e18L))));
    EXPECT_FALSE(Defined(F(nk::TAN, N(6e18L))));
    EXPECT_FALSE(Defined(F(nk::COTH, N(0))));
    EXPECT_FALSE(Defined(F(nk::ARGTANH, N(1))));
    EXPECT_FALSE(Defined(F(nk::ARGCOTH, N(1))));
    EXPECT_CLOSE(Value(F(nk::ARGTANH, N(0.5L))), std::atanh(0.5L), 1e-18L);
    EXPECT_CLOSE(Value(F(nk::ARGCOTH, N(2))), std::atanh(0.5L), 1e-18L);
    EXPECT_CLOSE(Value(F(nk::LOG, N(1000))), 3, 1e-18L);
    EXPECT_CLOSE(Value(F(nk::ARCCOT, N(0))), kHalfPiDouble, 0);
    EXPECT_CLOSE(Value(F(nk::SEC, N(0))), 1, 0);
    EXPECT_FALSE(Defined(F(nk::CSC, N(0))));
    EXPECT_FALSE(Defined(F(nk::COT, N(0))));
    EXPECT_EQ(Value(F(nk::ABS, N(-4))), 4);
    EXPECT_EQ(Value(F(nk::ABS, N(1e-10L))), 0);  // squared modulus below TINY
    EXPECT_EQ(Value(F(nk::GAUSS, N(11))), 0);
    EXPECT_CLOSE(Value(F(nk::GAUSS, N(0))), 1 / std::sqrt(2 * 3.14159265358979323846L), 1e-18L);
    // A value with an imaginary part (possible in real mode through cis) is refused by ln.
    EXPECT_FALSE(Defined(F(nk::LN, F(nk::CIS, N(1)))));
    EXPECT_EQ(Value(F(nk::IM, F(nk::CIS, N(0)))), 0);
}

TEST_F(Eval, StepFunctionsAndJumpFlag) {
    EXPECT_EQ(Value(F(nk::SGN, N(0))), 1);
    EXPECT_EQ(Value(F(nk::HVS, N(0))), 1);
    EXPECT_EQ(Value(F(nk::HVS, N(-0.5L))), 0);
    EXPECT_EQ(Value(F(nk::INT, N(-2.3L))), -2);
    EXPECT_CLOSE(Value(F(nk::FRAC, N(-2.3L))), -0.3L, 1e-18L);
    EXPECT_EQ(Value(F(nk::FLOOR, N(-2.3L))), -3);
    EXPECT_EQ(Value(F(nk::CEIL, N(-2.3L))), -2);
    s.JumpFlag = 0;
    Value(F(nk::FLOOR, N(-2.3L)));
    EXPECT_EQ(s.JumpFlag, 0);
    Value(F(nk::FLOOR, N(3.0005L)));
    EXPECT_EQ(s.JumpFlag, 1);
    s.JumpFlag = 0;
    Value(F(nk::SGN, N(0.0005L)));
    EXPECT_EQ(s.JumpFlag, 1);
    s.JumpFlag = 0;
    EXPECT_FALSE(Defined(F(nk::GAMMA, N(-2))));
    EXPECT_EQ(s.JumpFlag, 1);
    s.JumpFlag = 0;
    Value(F2(nk::MOD, N(6), N(3)));
    EXPECT_EQ(s.JumpFlag, 1);
}

TEST_F(Eval, TwoArgumentFunctions) {
    EXPECT_EQ(Value(F2(nk::MOD, N(-1), N(3))), 2);
    EXPECT_EQ(Value(F2(nk::MOD, N(7), N(-3))), 1);
    EXPECT_FALSE(Defined(F2(nk::MOD, N(5), N(0))));
    EXPECT_EQ(Value(F2(nk::GCD, N(12), N(18))), 6);
    EXPECT_EQ(Value(F2(nk::GCD, N(0.3L), N(5))), 0);
    EXPECT_EQ(Value(F2(nk::GCD, N(-12), N(8))), 4);
    EXPECT_FALSE(Defined(F2(nk::GCD, N(3e9L), N(5))));
    s.JumpFlag = 0;
    Value(F2(nk::GCD, N(2.5L), N(5)));
    EXPECT_EQ(s.JumpFlag, 1);
    EXPECT_EQ(Value(F2(nk::BINOM, N(5), N(2))), 10);
    EXPECT_EQ(Value(F2(nk::BINOM, N(0.5L), N(2))), -0.125L);
    EXPECT_EQ(Value(F2(nk::BINOM, N(5), N(-3))), 1);
    EXPECT_FALSE(Defined(F2(nk::BINOM, N(5), N(2.5L))));
    EXPECT_FALSE(Defined(F2(nk::BINOM, N(1e18L), N(3))));
    // A huge lower index ends as soon as the product is exactly zero.
    EXPECT_EQ(Value(F2(nk::BINOM, N(3), N(2000000000))), 0);
    EXPECT_EQ(Value(F2(nk::ROOT, N(3), N(-8))), -2);
    EXPECT_FALSE(Defined(F2(nk::ROOT, N(2), N(-4))));
    EXPECT_CLOSE(Value(F2(nk::ROOT, N(-2), N(4))), 0.5L, 1e-18L);
    EXPECT_FALSE(Defined(F2(nk::ROOT, N(0), N(4))));
    EXPECT_FALSE(Defined(F2(nk::ROOT, N(1.5L), N(4))));
    EXPECT_EQ(Value(F2(nk::ROOT, N(3), N(0))), 0);
    EXPECT_FALSE(Defined(F2(nk::ROOT, N(-3), N(0))));
    EXPECT_EQ(Value(F2(nk::MAX, F2(nk::MAX, N(1), N(2)), N(3))), 3);
    EXPECT_EQ(Value(F2(nk::MIN, N(2), N(2))), 2);
    EXPECT_EQ(Value(F2(nk::ABS2, N(3), N(4))), 5);
}

TEST_F(Eval, PolarAngleQuadrantsAndAxis) {
    EXPECT_CLOSE(Value(F2(nk::ARG2, N(1), N(1))), kPi / 4, 1e-16L);
    EXPECT_CLOSE(Value(F2(nk::ARG2, N(-1), N(1))), 3 * kPi / 4, 1e-16L);
    EXPECT_CLOSE(Value(F2(nk::ARG2, N(-1), N(-1))), -3 * kPi / 4, 1e-16L);
    EXPECT_EQ(Value(F2(nk::ARG2, N(-1), N(0))), kPi);
    EXPECT_EQ(Value(F2(nk::ARG2, N(0), N(0))), kHalfPi);
    EXPECT_EQ(Value(F2(nk::ARG2, N(0), N(-2))), -kHalfPi);
}

TEST_F(Eval, LettersAuxAndNoRuleKinds) {
    SetLetter(s, 1, 4);
    s.AuxValues[1] = {9, 0};
    EXPECT_EQ(Value(F2(nk::TIMES, L('A'), NewNode(nk::AUX2))), 36);
    EXPECT_CLOSE(Value(L('E')), std::exp(1.0L), 0);
    // Kinds without a rule are 0 and defined, but still need their operand.
    EXPECT_EQ(Value(F2(nk::JOINP, N(1), N(2))), 0);
    EXPECT_EQ(Value(NewNode(nk::LPAREN)), 0);
    EXPECT_FALSE(Defined(F(nk::JOINP, F(nk::SQR, N(-1)))));
    // The step of "@" kept in its imaginary part does not leak into real-mode values.
    s.LetterValues[kLetterAt] = {0.5L, 0.1L};
    EXPECT_CLOSE(Value(F(nk::ARCSIN, L('@'))), std::asin(0.5L), 1e-18L);
    EXPECT_CLOSE(Value(F(nk::LN, L('@'))), std::log(0.5L), 1e-18L);
    // A null node is defined.
    EXPECT_TRUE(EvalNode(s, nullptr));
}

TEST_F(Eval, FirstDefinedAndSelectors) {
    EXPECT_EQ(Value(F2(nk::FIRSTDEF, F(nk::SQR, N(-1)), N(5))), 5);
    EXPECT_EQ(Value(F2(nk::FIRSTDEF, N(3), N(5))), 3);
    EXPECT_FALSE(Defined(F2(nk::FIRSTDEF, N(3), F(nk::SQR, N(-1)))));
    EXPECT_EQ(Value(F3(nk::SELNEG, N(1), N(-1), N(2))), 2);
    EXPECT_EQ(Value(F3(nk::SELNEG, N(1), N(0), N(2))), 1);
    EXPECT_EQ(Value(F3(nk::SELPOS, N(1), N(-1), N(2))), 1);
    EXPECT_EQ(Value(F3(nk::SELPOS, N(1), N(1), N(2))), 2);
    EXPECT_FALSE(Defined(F3(nk::SELPOS, F(nk::SQR, N(-1)), N(1), N(2))));
    s.JumpFlag = 0;
    Value(F3(nk::SELPOS, N(1), N(0.0001L), N(2)));
    EXPECT_EQ(s.JumpFlag, 1);
}

TEST_F(Eval, JoinPiecesThresholdsAndJumps) {
    // joinx(x+1 | 0, 1-x*x | 2, -1)
    Tree t(nullptr);
    ExprNode* inner = F3(nk::JOIN, F2(nk::MINUS, N(1), F2(nk::TIMES, L('X'), L('X'))), N(2), N(-1));
    inner->aux = kLetterX;
    t.root = F3(nk::JOIN, F2(nk::PLUS, L('X'), N(1)), N(0), inner);
    t.root->aux = kLetterX;
    long double v = 0;
    s.JumpFlag = 0;
    ASSERT_TRUE(EvalAt(s, t.root, kLetterX, -1, v));
    EXPECT_EQ(v, 0);
    EXPECT_EQ(s.JumpFlag, 0);
    ASSERT_TRUE(EvalAt(s, t.root, kLetterX, 0, v));
    EXPECT_EQ(v, 1);
    EXPECT_EQ(s.JumpFlag, 1);
    s.JumpFlag = 0;
    ASSERT_TRUE(EvalAt(s, t.root, kLetterX, 2, v));
    EXPECT_EQ(v, -1);
    EXPECT_EQ(s.JumpFlag, 1);
    s.JumpFlag = 0;
    ASSERT_TRUE(EvalAt(s, t.root, kLetterX, 1.0005L, v));
    EXPECT_EQ(s.JumpFlag, 0);
    // The branch not taken may be undefined.
    Tree u(F3(nk::JOIN, F(nk::SQR, N(-1)), N(0), N(7)));
    u.root->aux = kLetterX;
    EXPECT_TRUE(EvalAt(s, u.root, kLetterX, 4, v));
    EXPECT_EQ(v, 7);
    Tree w(F3(nk::JOIN, N(1), F(nk::SQR, N(-1)), N(2)));
    EXPECT_FALSE(EvalNode(s, w.root));  // an undefined threshold
}

namespace {
ExprNode* SumNode(nk::Kind kind, ExprNode* summand, char index, long double lo, long double hi) {
    return F2(kind, F2(nk::SUMTERM, summand, L(index)), F2(nk::SUMRANGE, N(lo), N(hi)));
}
}  // namespace

TEST_F(Eval, SumAndProductSetTheIndexLetter) {
    s.JumpFlag = 1;
    EXPECT_EQ(Value(SumNode(nk::SUM, L('N'), 'N', 1, 100)), 5050);
    EXPECT_EQ(GetLetter(s, 14), 100);
    EXPECT_EQ(s.JumpFlag, 0);
    EXPECT_FALSE(Defined(SumNode(nk::SUM, L('N'), 'N', 3, 1)));
    EXPECT_FALSE(Defined(SumNode(nk::SUM, L('N'), 'N', 1.5L, 3)));
    EXPECT_EQ(Value(SumNode(nk::SUM, F(nk::SQUARE, L('N')), 'N', 1, 4)), 30);
    EXPECT_EQ(Value(SumNode(nk::PROD, L('K'), 'K', 1, 5)), 120);
    EXPECT_FALSE(Defined(SumNode(nk::SUM, F2(nk::DIVIDE, N(1), L('N')), 'N', -1, 1)));
    // A product that overflows aborts.
    EXPECT_FALSE(Defined(SumNode(nk::PROD, N(1e19L), 'K', 1, 2)));
    // A zero factor ends the product early and still leaves the index at the top.
    EXPECT_EQ(Value(SumNode(nk::PROD, L('K'), 'K', 0, 2000000000)), 0);
    EXPECT_EQ(GetLetter(s, 11), 2000000000);
}

TEST_F(Eval, IterateRestoresX) {
    Tree t(F2(nk::ITER, N(3), F(nk::SQUARE, L('X'))));
    t.root->aux = 3;
    long double v = 0;
    ASSERT_TRUE(EvalAt(s, t.root, kLetterX, 2, v));
    EXPECT_EQ(v, 256);
    EXPECT_EQ(GetLetter(s, kLetterX), 2);
    t.root->aux = 0;
    ASSERT_TRUE(EvalAt(s, t.root, kLetterX, 5, v));
    EXPECT_EQ(v, 5);
    // A failing step is undefined and X is still restored.
    Tree z(F2(nk::ITER, N(2), F2(nk::DIVIDE, N(1), F2(nk::MINUS, L('X'), N(1)))));
    z.root->aux = 2;
    EXPECT_FALSE(EvalAt(s, z.root, kLetterX, 2, v));  // 1/(2-1) = 1, then 1/0
    EXPECT_EQ(GetLetter(s, kLetterX), 2);
}

TEST_F(Eval, IterateDerivativeIsChainProduct) {
    // f = x^2, f' = 2x: d/dx f(f(f(x))) = 8 x^7
    Tree t(F2(nk::ITERD, F2(nk::TIMES, N(2), L('X')), F(nk::SQUARE, L('X'))));
    t.root->childC = N(3);
    t.root->aux = 3;
    long double v = 0;
    ASSERT_TRUE(EvalAt(s, t.root, kLetterX, 1.5L, v));
    EXPECT_CLOSE(v, 8 * std::pow(1.5L, 7), 1e-15L);
    EXPECT_EQ(GetLetter(s, kLetterX), 1.5L);
    t.root->aux = 1;
    ASSERT_TRUE(EvalAt(s, t.root, kLetterX, 1.5L, v));
    EXPECT_EQ(v, 3);
    t.root->aux = 0;
    ASSERT_TRUE(EvalAt(s, t.root, kLetterX, 1.5L, v));
    EXPECT_EQ(v, 1);
}

TEST_F(Eval, PeriodicReducesXIntoThePeriod) {
    // PERIODIC(start 0, period 2, f = x): a saw tooth
    Tree t(F3(nk::PERIODIC, N(0), N(2), L('X')));
    long double v = 0;
    ASSERT_TRUE(EvalAt(s, t.root, kLetterX, 5.5L, v));
    EXPECT_EQ(v, 1.5L);
    EXPECT_EQ(GetLetter(s, kLetterX), 5.5L);
    ASSERT_TRUE(EvalAt(s, t.root, kLetterX, -0.5L, v));
    EXPECT_EQ(v, 1.5L);
    s.JumpFlag = 0;
    ASSERT_TRUE(EvalAt(s, t.root, kLetterX, 3.9999L, v));
    EXPECT_EQ(s.JumpFlag, 1);
    Tree zero(F3(nk::PERIODIC, N(0), N(0), L('X')));
    EXPECT_FALSE(EvalAt(s, zero.root, kLetterX, 1, v));
    EXPECT_EQ(GetLetter(s, kLetterX), 1);
}

TEST_F(Eval, SpecialFunctions) {
    EXPECT_CLOSE(Value(F(nk::FACT, N(5))), 120, 1e-10L);
    EXPECT_FALSE(Defined(F(nk::FACT, N(40000))));
    EXPECT_FALSE(Defined(F(nk::FACT, N(-1))));
    EXPECT_CLOSE(Value(F(nk::GAMMA, N(0.5L))), std::sqrt(3.14159265358979323846L), 1e-12L);
    EXPECT_EQ(Value(F(nk::ERF, N(0))), 0);
    EXPECT_EQ(Value(F(nk::ERF, N(7))), 1);
    SeedRandom(3);
    for (int i = 0; i < 200; ++i) {
        const long double r = Value(F(nk::RAND, N(2)));
        ASSERT_GE(r, -2);
        ASSERT_LT(r, 2);
    }
}

TEST_F(Eval, UndefinedOperandPropagates) {
    EXPECT_FALSE(Defined(F2(nk::PLUS, F(nk::SQR, N(-1)), N(1))));
    EXPECT_FALSE(Defined(F2(nk::PLUS, N(1), F(nk::SQR, N(-1)))));
    EXPECT_FALSE(Defined(F(nk::SIN, F(nk::LN, N(-1)))));
}

TEST_F(Eval, ComplexModeFunctions) {
    s.SetComplexMode(true);
    using Cx = std::complex<long double>;
    auto eval = [&](ExprNode* root, Cx& out) {
        Tree t(root);
        const bool ok = EvalNode(s, t.root);
        out = {t.root->value.re, t.root->value.im};
        return ok;
    };
    Cx v;
    // i*i = -1 through the letter I.
    ASSERT_TRUE(eval(F2(nk::TIMES, L('I'), L('I')), v));
    EXPECT_EQ(v, Cx(-1, 0));
    ASSERT_TRUE(eval(F(nk::SQR, N(-4)), v));
    EXPECT_EQ(v, Cx(0, 2));
    ASSERT_TRUE(eval(F(nk::SQR, F2(nk::TIMES, N(-2), L('I'))), v));  // sqrt(-2i) = 1 - i
    EXPECT_CLOSE(v.real(), 1, 1e-18L);
    EXPECT_CLOSE(v.imag(), -1, 1e-18L);
    ASSERT_TRUE(eval(F(nk::SQR, F2(nk::PLUS, N(-3), F2(nk::TIMES, N(-4), L('I')))), v));
    EXPECT_CLOSE(v.real(), 1, 1e-18L);
    EXPECT_CLOSE(v.imag(), -2, 1e-18L);
    ASSERT_TRUE(eval(F(nk::LN, N(-1)), v));
    EXPECT_CLOSE(v.imag(), 3.14159265358979323846L, 1e-18L);
    EXPECT_FALSE(eval(F(nk::LN, N(0)), v));
    ASSERT_TRUE(eval(F(nk::ARCSIN, N(2)), v));
    EXPECT_CLOSE(std::sin(v).real(), 2, 1e-15L);
    ASSERT_TRUE(eval(F2(nk::CARET, L('I'), L('I')), v));  // i^i = e^(-pi/2)
    EXPECT_CLOSE(v.real(), std::exp(-kHalfPi), 1e-15L);
    EXPECT_CLOSE(v.imag(), 0, 1e-17L);
    ASSERT_TRUE(eval(F(nk::EXP, F2(nk::TIMES, N(kPi), L('I'))), v));
    EXPECT_CLOSE(v.real(), -1, 1e-15L);
    ASSERT_TRUE(eval(F(nk::SGN, F2(nk::PLUS, N(3), F2(nk::TIMES, N(4), L('I')))), v));
    EXPECT_CLOSE(v.real(), 0.6L, 1e-18L);
    EXPECT_CLOSE(v.imag(), 0.8L, 1e-18L);
    EXPECT_FALSE(eval(F(nk::SGN, N(0)), v));
    ASSERT_TRUE(eval(F(nk::CONJ, L('I')), v));
    EXPECT_EQ(v, Cx(0, -1));
    ASSERT_TRUE(eval(F(nk::ARG, L('I')), v));
    EXPECT_EQ(v.real(), kHalfPi);
    ASSERT_TRUE(eval(F2(nk::DIVIDE, N(1), L('I')), v));
    EXPECT_EQ(v, Cx(0, -1));
    ASSERT_TRUE(eval(F2(nk::ROOT, N(2), N(-4)), v));
    EXPECT_CLOSE(v.imag(), 2, 1e-15L);
    // Real-only functions use the real part.
    ASSERT_TRUE(eval(F(nk::FLOOR, F2(nk::PLUS, N(2.5L), L('I'))), v));
    EXPECT_EQ(v, Cx(2, 0));
    EXPECT_FALSE(eval(F(nk::EXP, N(6000)), v));
    // The modulus treats a tiny value as zero as in real mode.
    ASSERT_TRUE(eval(F(nk::ABS, F2(nk::TIMES, N(1e-10L), L('I'))), v));
    EXPECT_EQ(v, Cx(0, 0));
    ASSERT_TRUE(eval(F(nk::ABS, F2(nk::PLUS, N(3), F2(nk::TIMES, N(4), L('I')))), v));
    EXPECT_EQ(v, Cx(5, 0));
}

TEST_F(Eval, ComplexModeXAndYReadZ) {
    s.SetComplexMode(true);
    s.LetterValues[kLetterZ] = {2, 3};
    s.LetterValues[kLetterX] = {100, 0};
    EXPECT_EQ(Value(F2(nk::PLUS, L('X'), F2(nk::TIMES, N(10), L('Y')))), 32);
    Tree t(F2(nk::TIMES, L('Z'), L('Z')));
    ExtComplex r;
    ASSERT_TRUE(EvalAtComplex(s, t.root, kLetterZ, {1, 1}, r));
    EXPECT_EQ(r.re, 0);
    EXPECT_EQ(r.im, 2);
}

TEST_F(Eval, ComplexModeIteratesInZ) {
    s.SetComplexMode(true);
    Tree t(F2(nk::ITER, N(2), F(nk::SQUARE, L('Z'))));
    t.root->aux = 2;
    ExtComplex r;
    ASSERT_TRUE(EvalAtComplex(s, t.root, kLetterZ, {0, 1}, r));  // i -> -1 -> 1
    EXPECT_EQ(r.re, 1);
    EXPECT_EQ(r.im, 0);
    EXPECT_EQ(s.LetterValues[kLetterZ].im, 1);
}

TEST_F(Eval, EvalAtRejectsBadLetterNumbers) {
    Tree t(L('X'));
    long double v = 0;
    EXPECT_FALSE(EvalAt(s, t.root, 40, 1, v));
    EXPECT_FALSE(EvalAt(s, t.root, -1, 1, v));
    ASSERT_TRUE(EvalAt(s, t.root, kLetterX, 4, v));
    EXPECT_EQ(v, 4);
}

TEST_F(Eval, FindSignChangeCases) {
    // x^2 - 2 on [0, 2]
    Tree t(F2(nk::MINUS, F(nk::SQUARE, L('X')), N(2)));
    SetLetter(s, kLetterX, 9);
    long double root = 0;
    ASSERT_EQ(FindSignChange(s, t.root, kLetterX, 0, 2, root), 0);
    EXPECT_CLOSE(root, std::sqrt(2.0L), 0.01L);
    EXPECT_EQ(GetLetter(s, kLetterX), 9);
    EXPECT_EQ(FindSignChange(s, t.root, kLetterX, 2, 3, root), kEvalNoSignChange);
    EXPECT_EQ(GetLetter(s, kLetterX), 9);
    // An end that is a root.
    Tree u(F2(nk::MINUS, L('X'), N(1)));
    ASSERT_EQ(FindSignChange(s, u.root, kLetterX, 1, 3, root), 0);
    EXPECT_EQ(root, 1);
    ASSERT_EQ(FindSignChange(s, u.root, kLetterX, -3, 1, root), 0);
    EXPECT_EQ(root, 1);
    // Undefined at an end or in the middle.
    Tree w(F2(nk::DIVIDE, N(1), L('X')));
    EXPECT_EQ(FindSignChange(s, w.root, kLetterX, 0, 1, root), kEvalUndefined);
    EXPECT_EQ(FindSignChange(s, w.root, kLetterX, -1, 1, root), kEvalUndefined);
    EXPECT_EQ(GetLetter(s, kLetterX), 9);
    // A tighter tolerance runs to the halving limit without hanging.
    s.BisectTolerance = 0;
    ASSERT_EQ(FindSignChange(s, t.root, kLetterX, 0, 2, root), 0);
    EXPECT_CLOSE(root, std::sqrt(2.0L), 1e-17L);
}

TEST_F(Eval, DeepTreeEvaluates) {
    // A chain as deep as the longest formula text can make.
    ExprNode* root = L('X');
    for (int i = 0; i < 5000; ++i) root = F2(nk::PLUS, root, N(1));
    Tree t(root);
    long double v = 0;
    ASSERT_TRUE(EvalAt(s, t.root, kLetterX, 1, v));
    EXPECT_EQ(v, 5001);
    ExprNode* right = L('X');
    for (int i = 0; i < 5000; ++i) right = F(nk::SIN, right);
    Tree r(right);
    EXPECT_TRUE(EvalAt(s, r.root, kLetterX, 1, v));
}

// --- through the compiler -----------------------------------------------------------

namespace {

class EvalText : public ::testing::Test {
protected:
    long double Text(const char* text) {
        long double v = 0;
        EXPECT_EQ(EvaluateText(engine, text, v), 0) << text;
        return v;
    }
    std::uint16_t Code(const char* text) {
        long double v = 0;
        return EvaluateText(engine, text, v);
    }
    FormulaEngine engine;
};

}  // namespace

TEST_F(EvalText, NumbersWrittenAsFormulas) {
    EXPECT_CLOSE(Text("pi/2"), kHalfPiDouble, 1e-18L);
    EXPECT_CLOSE(Text("sqrt(2)"), std::sqrt(2.0L), 1e-18L);
    EXPECT_EQ(Text("-2^2"), -4);
    EXPECT_EQ(Text("2^3^2"), 512);
    EXPECT_CLOSE(Text("3!"), 6, 1e-12L);
    EXPECT_EQ(Text("max(1,2,3)"), 3);
    EXPECT_EQ(Text("abs(3,4)"), 5);
    EXPECT_EQ(Text("sum(n^2,n,1,4)"), 30);
    EXPECT_EQ(Text("chi(0,1,0)"), 1);
    EXPECT_EQ(Text("chi(0,1,1)"), 1);
    EXPECT_CLOSE(Text("e"), std::exp(1.0L), 0);
    EXPECT_EQ(Code("1/0"), kEvalUndefined);
    EXPECT_EQ(Code("sqrt(-1)"), kEvalUndefined);
    EXPECT_EQ(Code(""), 9);
    EXPECT_EQ(Code("x=1"), 1);
    EXPECT_EQ(Code("(x+1"), 108);
}

TEST_F(EvalText, UsesCurrentLettersAndStaysRealInComplexWindows) {
    SetLetter(engine.letters, 1, 3);
    EXPECT_EQ(Text("a*a+1"), 10);
    engine.SetComplexMode(true);
    // i is a letter (0 + 1i in a complex window) but a number field reads real parts.
    EXPECT_EQ(Code("sqrt(-4)"), kEvalUndefined);
    EXPECT_EQ(engine.letters.ComplexMode, 1);
    EXPECT_EQ(engine.letters.LetterValues[kLetterI].im, 1);
}

TEST_F(EvalText, IntegerFieldsCheckTheRange) {
    std::int32_t n = 0;
    EXPECT_EQ(EvaluateInteger(engine, "2.5", 0, 10, n), 0);
    EXPECT_EQ(n, 2);
    EXPECT_EQ(EvaluateInteger(engine, "2.51", 0, 10, n), 0);
    EXPECT_EQ(n, 3);
    EXPECT_EQ(EvaluateInteger(engine, "11", 0, 10, n), kEvalOutOfRange);
    EXPECT_EQ(EvaluateInteger(engine, "-0.5", 0, 10, n), kEvalOutOfRange);
    EXPECT_EQ(EvaluateInteger(engine, "ln(0)", 0, 10, n), kEvalUndefined);
    std::int16_t m = 0;
    EXPECT_EQ(EvaluateInteger16(engine, "-300", -400, 400, m), 0);
    EXPECT_EQ(m, -300);
    EXPECT_EQ(EvaluateInteger16(engine, "40000", -400, 400, m), kEvalOutOfRange);
}

TEST_F(EvalText, CompiledPiecewiseSumAndIterate) {
    ExprNode* tree = nullptr;
    ASSERT_EQ(engine.CompileFormula("joinx(x+1|0,1-xx|2,-1)"), 0);
    tree = engine.TakeCompiledTree();
    long double v = 0;
    ASSERT_TRUE(EvalAt(engine, tree, kLetterX, -1, v));
    EXPECT_EQ(v, 0);
    ASSERT_TRUE(EvalAt(engine, tree, kLetterX, 0, v));
    EXPECT_EQ(v, 1);
    ASSERT_TRUE(EvalAt(engine, tree, kLetterX, 2, v));
    EXPECT_EQ(v, -1);
    FreeTree(tree);

    ASSERT_EQ(engine.CompileFormula("iter(3,x^2)"), 0);
    tree = engine.TakeCompiledTree();
    ASSERT_TRUE(EvalAt(engine, tree, kLetterX, 2, v));
    EXPECT_EQ(v, 256);
    EXPECT_EQ(GetLetter(engine.letters, kLetterX), 2);
    FreeTree(tree);

    EXPECT_EQ(Text("sum(n,n,1,100)"), 5050);
    EXPECT_EQ(GetLetter(engine.letters, 14), 100);
    EXPECT_EQ(Code("sum(n,n,3,1)"), kEvalUndefined);
}
