#include "expr/tree_text.h"

#include <gtest/gtest.h>

#include <cmath>

#include "expr/differentiate.h"
#include "expr/engine.h"
#include "expr/eval.h"
#include "expr/letters.h"
#include "expr/node_kinds.h"

using namespace curvelo;

namespace {

// Compiles text, writes the tree back, compiles that, and compares both at several x.
void ExpectSameFunction(FormulaEngine& engine, ExprNode* tree, const std::string& what) {
    std::string text;
    ASSERT_TRUE(TreeToText(tree, text)) << what;
    ASSERT_EQ(engine.CompileFormula(text), 0) << what << " -> " << text;
    ExprNode* again = engine.TakeCompiledTree();
    for (long double x : {-2.3L, -0.7L, 0.4L, 1.9L, 3.3L}) {
        SetLetter(engine.letters, kLetterX, x);
        const bool d1 = EvalNode(engine, tree);
        const long double v1 = tree->value.re;
        const bool d2 = EvalNode(engine, again);
        EXPECT_EQ(d1, d2) << what << " at " << static_cast<double>(x);
        if (d1 && d2) {
            EXPECT_NEAR(static_cast<double>(v1), static_cast<double>(again->value.re),
                        1e-15 * (1 + std::fabs(static_cast<double>(v1))))
                << what << " -> " << text;
        }
    }
    FreeTree(again);
}

}  // namespace

TEST(TreeText, FormulasAndTheirDerivativesCompileBackToTheSameFunction) {
    FormulaEngine engine;
    engine.letters.LetterValues[1] = {1.5L, 0};  // A
    for (const char* f : {"xsin(x)", "3cos(2x)^2+a*x", "exp(-x*x/2)/sqrt(2pi)", "ln(abs(x))+log(2,x+5)",
                          "root(3,x)", "sum(k*x^k,k,1,4)", "1e-25*x+2e30",
                          "arctan(x)*sinh(x)/cosh(x)", "x^x", "(-x)^3", "int(x)+frac(x)+sgn(x)"}) {
        ASSERT_EQ(engine.CompileFormula(f), 0) << f;
        ExprNode* tree = engine.TakeCompiledTree();
        ExpectSameFunction(engine, tree, f);
        ExprNode* d = Differentiate(engine, tree, nk::X);
        ExpectSameFunction(engine, d, std::string(f) + "'");
        FreeTree(d);
        FreeTree(tree);
    }
}

TEST(TreeText, NodesWithoutAWrittenFormAreRefused) {
    FormulaEngine engine;
    ASSERT_EQ(engine.CompileFormula("max(x,1,2)-min(x,0)"), 0);
    ExprNode* tree = engine.TakeCompiledTree();
    ExpectSameFunction(engine, tree, "max and min");
    ExprNode* d = Differentiate(engine, tree, nk::X);  // uses the selectors, which have no name
    std::string text;
    EXPECT_FALSE(TreeToText(d, text));
    FreeTree(d);
    FreeTree(tree);

    ExprNode* periodic = NewNode(nk::PERIODIC);
    periodic->childA = NewNumber(0);
    periodic->childB = NewNode(nk::X);
    periodic->childC = NewNumber(1);
    std::string out = "unchanged";
    EXPECT_FALSE(TreeToText(periodic, out));
    EXPECT_EQ(out, "unchanged");
    FreeTree(periodic);
    EXPECT_FALSE(TreeToText(nullptr, out));
}
