#include "expr/eval_program.h"

#include <gtest/gtest.h>

#include <vector>

#include "expr/engine.h"
#include "expr/eval.h"
#include "fuzz/parser_fuzz_input.h"

using namespace curvelo;

namespace {

class Compiled {
public:
    Compiled(FormulaEngine& engine, const char* text) {
        code = engine.CompileFormula(text);
        tree = engine.TakeCompiledTree();
    }
    ~Compiled() { FreeTree(tree); }
    Compiled(const Compiled&) = delete;
    Compiled& operator=(const Compiled&) = delete;
    std::uint16_t code = 0;
    ExprNode* tree = nullptr;
};

// Integers and halves for the jump rules, poles at 0 and 1, and the far ends of the
// magnitude classes.
std::vector<long double> SweepPoints() {
    std::vector<long double> points;
    for (int i = -24; i <= 24; ++i) points.push_back(i * 0.25L);
    for (long double x : {1e-19L, -1e-19L, 1.0000000001L, 0.9995L, 1e9L, 3e17L, -5e18L, 6e18L, 4999.9L,
                          -5000.0L, 1e300L, 7e4000L})
        points.push_back(x);
    return points;
}

}  // namespace

TEST(EvalProgram, FlattenedFormulasLeaveExactlyWhatTheTreeWalkLeaves) {
    const char* formulas[] = {
        "x*x+1", "sin(x)/x", "(x^2+1)^3-sqrt(abs(x))", "exp(-x*x/2)*cos(3*x)", "a*x^2+b*x+c",
        "1/x", "1/(x-1)", "x/1e-20", "1e17*x*x", "x*1e17*x*1e17", "x^3", "x^-2", "(x-1)^-3",
        "x^0.5", "x^x", "2^x", "x^(1/3)", "(x-2)^(x+1)", "sqrt(x)", "ln(x)", "ln(abs(x))",
        "exp(x)", "exp(-x)", "exp(x*x)", "tan(x)", "floor(x)", "frac(3*x)", "sgn(x-1)", "x!",
        "gamma(x)", "arcsin(x)", "-x", "-(x^2)", "2-x", "2/x", "(x+1)*(x-1)/(x+2)",
        "sin(x)^2+cos(x)^2", "ln(@)+@*x", "log(x)*abs(x-0.5)", "cos(1e19*x)", "(x*x)^600",
        "x^2147483647", "(1/x)^-1", "(x^2+1)*(x^2-1)-(x^3+2)*(x+3)",
    };
    FormulaEngine engine;
    SetLetter(engine.letters, 1, 1.25L);
    SetLetter(engine.letters, 2, -0.75L);
    SetLetter(engine.letters, 3, 0.5L);
    // "@" keeps its animation step in the imaginary part, which real mode ignores.
    engine.letters.LetterValues[0] = {2.0L, 0.5L};
    const std::vector<long double> points = SweepPoints();
    for (const char* text : formulas) {
        Compiled c(engine, text);
        ASSERT_EQ(c.code, 0) << text;
        EXPECT_TRUE(EvalProgram(c.tree).IsFlat()) << text;
        EXPECT_TRUE(fuzz::FlatAgreesWithTree(engine.letters, c.tree, points)) << text;
    }
}

TEST(EvalProgram, TreesWithLoopsChoicesOrRandomnessAndComplexModeRunThroughTheTree) {
    FormulaEngine engine;
    for (const char* text : {"sum(k*x,k,1,5)", "rand(x)", "max(x,1)", "joinx(x|0,2x|1,3)", "iter(3,x^2)"}) {
        Compiled c(engine, text);
        ASSERT_EQ(c.code, 0) << text;
        EXPECT_FALSE(EvalProgram(c.tree).IsFlat()) << text;
    }
    Compiled sum(engine, "sum(k*x,k,1,5)");
    EvalProgram program(sum.tree);
    engine.letters.LetterValues[kLetterX] = {0.5L, 0.0L};
    ASSERT_TRUE(program.Run(engine.letters));
    EXPECT_EQ(sum.tree->value.re, 7.5L);

    FormulaEngine complexEngine;
    complexEngine.SetComplexMode(true);
    Compiled c(complexEngine, "z*z+1");
    ASSERT_EQ(c.code, 0);
    EvalProgram complexProgram(c.tree);
    complexEngine.letters.LetterValues[kLetterZ] = {0.0L, 2.0L};
    ASSERT_TRUE(complexProgram.Run(complexEngine.letters));
    EXPECT_EQ(c.tree->value.re, -3.0L);
    EXPECT_EQ(c.tree->value.im, 0.0L);
}

TEST(EvalProgram, UndefinedValuesAndJumpsAreReportedAsByTheTree) {
    FormulaEngine engine;
    Compiled root(engine, "sqrt(x)+floor(x)");
    ASSERT_EQ(root.code, 0);
    EvalProgram program(root.tree);
    ASSERT_TRUE(program.IsFlat());
    engine.letters.LetterValues[kLetterX] = {-1.0L, 0.0L};
    EXPECT_FALSE(program.Run(engine.letters));
    engine.letters.JumpFlag = 0;
    engine.letters.LetterValues[kLetterX] = {4.0L, 0.0L};
    ASSERT_TRUE(program.Run(engine.letters));
    EXPECT_EQ(root.tree->value.re, 6.0L);
    EXPECT_EQ(engine.letters.JumpFlag, 1);  // floor exactly at an integer
    EvalProgram empty(nullptr);
    EXPECT_TRUE(empty.Run(engine.letters));  // an empty tree is defined, as EvalNode says
}

TEST(EvalProgram, BatchesOfTreesThatAreNotFlatOrInComplexModeWalkEverySample) {
    std::vector<long double> points = SweepPoints();
    for (int i = 0; i < 100; ++i) points.push_back(-3.0L + i * 0.0625L);  // beyond one block
    FormulaEngine engine;
    for (const char* text : {"sum(n*x,n,1,3)", "joinx(x+1|0,1-xx|2,-1)", "iter(2,x^2)", "max(x,1)-sgn(x)"}) {
        Compiled c(engine, text);
        ASSERT_EQ(c.code, 0) << text;
        EXPECT_TRUE(fuzz::BatchAgreesWithTree(engine.letters, c.tree, points)) << text;
    }
    FormulaEngine complexEngine;
    complexEngine.SetComplexMode(true);
    Compiled c(complexEngine, "z*z+x-1/z");
    ASSERT_EQ(c.code, 0);
    EXPECT_TRUE(fuzz::BatchAgreesWithTree(complexEngine.letters, c.tree, points));
    // In complex mode setting X moves Z as well, in the batch as in the walk.
    long double value = 0;
    std::uint8_t defined = 0, jump = 0;
    const long double x = 2.0L;
    EvalProgram(c.tree).RunBatch(complexEngine.letters, kLetterX, &x, 1, &value, &defined, &jump);
    EXPECT_EQ(complexEngine.letters.LetterValues[kLetterZ].re, 2.0L);
    EXPECT_TRUE(defined);
    EXPECT_EQ(value, 4.0L + 2.0L - 0.5L);
}

TEST(EvalProgram, BatchFlagsUndefinedAndJumpingSamplesAsTheWalkDoes) {
    FormulaEngine engine;
    engine.letters.JumpTolerance = 0.01L;
    Compiled c(engine, "floor(x)+1/(x-1)");
    ASSERT_EQ(c.code, 0);
    EvalProgram program(c.tree);
    ASSERT_TRUE(program.IsFlat());
    const long double xs[] = {0.5L, 1.0L, 2.005L, 2.5L};
    long double values[4];
    std::uint8_t defined[4], jumps[4];
    program.RunBatch(engine.letters, kLetterX, xs, 4, values, defined, jumps);
    EXPECT_TRUE(defined[0] && !jumps[0]);
    EXPECT_EQ(values[0], 0.0L + 1.0L / (0.5L - 1.0L));
    EXPECT_FALSE(defined[1]);             // the pole
    EXPECT_TRUE(defined[2] && jumps[2]);  // just past the step of floor
    EXPECT_TRUE(defined[3] && !jumps[3]);
    EXPECT_EQ(engine.letters.LetterValues[kLetterX].re, 2.5L);
    EXPECT_EQ(c.tree->value.re, values[3]);
}
