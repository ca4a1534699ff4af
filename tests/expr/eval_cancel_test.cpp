#include "expr/eval_cancel.h"

#include <gtest/gtest.h>

#include <chrono>
#include <string>
#include <vector>

#include "expr/differentiate.h"
#include "expr/engine.h"
#include "expr/eval.h"
#include "expr/node_kinds.h"
#include "expr/tree.h"

using namespace curvelo;

namespace {

// Says stop at its n-th question and counts the questions.
class StopAfter final : public EvalCancelCheck {
public:
    explicit StopAfter(int n) : n_(n) {}
    bool StopRequested() override { return ++asked >= n_; }
    int asked = 0;

private:
    int n_;
};

class Compiled {
public:
    Compiled(FormulaEngine& e, const std::string& text) {
        EXPECT_EQ(e.CompileFormula(text), 0) << text;
        tree = e.TakeCompiledTree();
    }
    ~Compiled() { FreeTree(tree); }
    ExprNode* tree = nullptr;
};

std::string Nested(const std::string& head, int depth, const std::string& inner) {
    std::string s = inner;
    for (int i = 0; i < depth; ++i) s = head + s + ")";
    return s;
}

using Clock = std::chrono::steady_clock;

}  // namespace

TEST(EvalCancel, EveryLoopKindStopsAndComesOutUndefined) {
    // Each of these runs for many seconds when nothing stops it.
    for (const std::string& text : std::vector<std::string>{"sum(n,n,1,2147483647)", "prod(1+0*n,n,1,2147483647)",
                                   "iter(2147483647,x)", "binom(2147483647,2147483647)",
                                   Nested("iter(3,", 20, "x")}) {
        FormulaEngine e;
        Compiled f(e, text);
        StopAfter check(3);
        ScopedCancelCheck on(e.letters, &check);
        const auto start = Clock::now();
        EXPECT_FALSE(EvalNode(e, f.tree)) << text;
        EXPECT_TRUE(EvalCancelled(e.letters)) << text;
        EXPECT_EQ(check.asked, 3) << text;
        EXPECT_LT(Clock::now() - start, std::chrono::seconds(1)) << text;
    }
}

TEST(EvalCancel, DerivativeOfAnIterationStopsToo) {
    FormulaEngine e;
    Compiled f(e, "iter(2147483647,sin(x))");
    ExprNode* d = Differentiate(e, f.tree, nk::X);  // its ITERD loop counts steps as well
    ASSERT_NE(d, nullptr);
    StopAfter check(2);
    ScopedCancelCheck on(e.letters, &check);
    long double v = 0;
    EXPECT_FALSE(EvalAt(e, d, kLetterX, 0.5L, v));
    EXPECT_TRUE(EvalCancelled(e.letters));
    FreeTree(d);
}

TEST(EvalCancel, CancelledStoreFailsEveryLoopUntilCleared) {
    FormulaEngine e;
    Compiled big(e, "sum(n,n,1,1000000)");
    Compiled small(e, "sum(n,n,1,3)");
    StopAfter check(1);
    ScopedCancelCheck on(e.letters, &check);
    EXPECT_FALSE(EvalNode(e, big.tree));
    // Even a short loop fails now, and the check is not asked again.
    EXPECT_FALSE(EvalNode(e, small.tree));
    EXPECT_EQ(check.asked, 1);
    // A result that FIRSTDEF would rescue still counts as undefined for the callers.
    long double v = 0;
    EXPECT_FALSE(EvalAt(e, small.tree, kLetterX, 1, v));
    ClearEvalCancel(e.letters);
    ASSERT_TRUE(EvalNode(e, small.tree));
    EXPECT_EQ(small.tree->value.re, 6.0L);
    // A dialog field is a fresh computation: it clears the mark itself.
    check = StopAfter(1000);
    e.letters.Cancelled = 1;
    EXPECT_EQ(EvaluateText(e, "sum(n,n,1,10)", v), 0);
    EXPECT_EQ(v, 55.0L);
}

TEST(EvalCancel, ValuesAreUnchangedWhenNothingStops) {
    // The same formulas with and without a check that never says stop, across many checks.
    for (const std::string& text : std::vector<std::string>{"sum(n,n,1,100000)", "prod(1+1/n^2,n,1,50000)", "iter(30000,cos(x))",
                                   "binom(40000.5,20000)", Nested("iter(2,", 14, "x^0.999+0.1")}) {
        FormulaEngine plain, checked;
        Compiled a(plain, text), b(checked, text);
        StopAfter never(1 << 30);
        ScopedCancelCheck on(checked.letters, &never);
        SetLetter(plain.letters, kLetterX, 0.7L);
        SetLetter(checked.letters, kLetterX, 0.7L);
        const bool da = EvalNode(plain, a.tree), db = EvalNode(checked, b.tree);
        EXPECT_EQ(da, db) << text;
        if (da && db) {
            EXPECT_EQ(a.tree->value.re, b.tree->value.re) << text;
        }
        EXPECT_FALSE(EvalCancelled(checked.letters));
    }
}

TEST(EvalCancel, TheCheckIsAskedOnlyEveryFewThousandSteps) {
    FormulaEngine e;
    Compiled f(e, "sum(n,n,1,100000)");
    StopAfter never(1 << 30);
    ScopedCancelCheck on(e.letters, &never);
    ASSERT_TRUE(EvalNode(e, f.tree));
    EXPECT_EQ(never.asked, 100000 / kCancelCheckSteps);
    // The previous check comes back when the scope ends.
    {
        StopAfter inner(1);
        ScopedCancelCheck again(e.letters, &inner);
        EXPECT_EQ(e.letters.CancelCheck, &inner);
    }
    EXPECT_EQ(e.letters.CancelCheck, &never);
}

TEST(EvalCancel, DeadlineStopsAfterItsTime) {
    // A loaded machine may pause this thread for longer than a short deadline.
    EXPECT_FALSE(EvalDeadline(std::chrono::minutes(10)).StopRequested());
    EvalDeadline soon(std::chrono::milliseconds(50));
    FormulaEngine e;
    Compiled f(e, "sum(n,n,1,2147483647)");
    ScopedCancelCheck on(e.letters, &soon);
    const auto start = Clock::now();
    EXPECT_FALSE(EvalNode(e, f.tree));
    EXPECT_TRUE(soon.Passed());
    EXPECT_GE(Clock::now() - start, std::chrono::milliseconds(40));
    EXPECT_LT(Clock::now() - start, std::chrono::seconds(10));  // the whole sum takes far longer
}
