// The batch's passes against the tree walk, on sweeps where whole blocks stay on the fast
// path and on sweeps where a single sample in a block leaves it.
#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <vector>

#include "expr/engine.h"
#include "expr/eval.h"
#include "expr/eval_program.h"
#include "fuzz/parser_fuzz_input.h"

using namespace curvelo;

namespace {

// A small fixed generator, so that a failing formula can be reproduced from the seed.
class Formulas {
public:
    explicit Formulas(std::uint32_t seed) : state_(seed) {}

    std::string Next(int depth) {
        const std::uint32_t pick = Draw(depth <= 0 ? 4 : 16);
        switch (pick) {
        case 0: return "x";
        case 1: return "a";
        case 2: return kConstants[Draw(sizeof kConstants / sizeof kConstants[0])];
        case 3: return "x";
        case 4: return "(" + Next(depth - 1) + "+" + Next(depth - 1) + ")";
        case 5: return "(" + Next(depth - 1) + "-" + Next(depth - 1) + ")";
        case 6: return "(" + Next(depth - 1) + "*" + Next(depth - 1) + ")";
        case 7: return "(" + Next(depth - 1) + "/" + Next(depth - 1) + ")";
        case 8: return "(" + Next(depth - 1) + ")^" + kPowers[Draw(sizeof kPowers / sizeof kPowers[0])];
        case 9: return "(" + Next(depth - 1) + ")^(" + Next(depth - 1) + ")";
        default: return std::string(kFunctions[Draw(sizeof kFunctions / sizeof kFunctions[0])]) + "(" + Next(depth - 1) + ")";
        }
    }

private:
    static constexpr const char* kConstants[] = {"0.5", "2", "3", "1e-20", "1e17", "0", "7"};
    static constexpr const char* kPowers[] = {"2", "3", "4", "-1", "-2", "0", "1", "0.5"};
    static constexpr const char* kFunctions[] = {"sin", "cos", "exp", "ln", "sqrt", "abs", "floor", "tan", "sgn"};

    std::uint32_t Draw(std::uint32_t n) {
        state_ = state_ * 1664525u + 1013904223u;
        return (state_ >> 8) % n;
    }
    std::uint32_t state_;
};

// Several blocks of an ordinary sweep, the pole at 0 hit exactly once.
std::vector<long double> PlainSweep() {
    std::vector<long double> xs;
    for (int i = 0; i <= 3 * EvalProgram::kBlock + 7; ++i) xs.push_back(-3.0L + i * (6.0L / (3 * EvalProgram::kBlock)));
    return xs;
}

}  // namespace

TEST(EvalBatch, RandomFormulasGiveTheWalksValuesBitForBit) {
    FormulaEngine engine;
    SetLetter(engine.letters, 1, 1.25L);
    engine.letters.JumpTolerance = 0.01L;
    const std::vector<long double> plain = PlainSweep();
    // The same sweep pushed far out: products and quotients leave their fast range.
    std::vector<long double> wide = plain;
    for (long double& x : wide) x *= 4e8L;
    Formulas formulas(12345u);
    int flat = 0;
    for (int k = 0; k < 400; ++k) {
        const std::string text = formulas.Next(4);
        const std::uint16_t code = engine.CompileFormula(text.c_str());
        if (code != 0) continue;
        ExprNode* tree = engine.TakeCompiledTree();
        flat += EvalProgram(tree).IsFlat() ? 1 : 0;
        EXPECT_TRUE(fuzz::BatchAgreesWithTree(engine.letters, tree, plain)) << text;
        EXPECT_TRUE(fuzz::BatchAgreesWithTree(engine.letters, tree, wide)) << text;
        FreeTree(tree);
    }
    EXPECT_GT(flat, 200);  // the generator reaches the flattened code, not just the walk
}

TEST(EvalBatch, TheSampledLetterAndTheOthersAreReadWhereTheyStandNow) {
    FormulaEngine engine;
    ASSERT_EQ(engine.CompileFormula("a*x^2+t*x-(a-x)/(t*t+1)"), 0);
    ExprNode* tree = engine.TakeCompiledTree();
    EvalProgram program(tree);
    ASSERT_TRUE(program.IsFlat());
    const std::vector<long double> xs = PlainSweep();
    const int n = static_cast<int>(xs.size());
    std::vector<long double> values(xs.size());
    std::vector<std::uint8_t> defined(xs.size()), jumps(xs.size());
    // The plan depends on which letter is sampled; the letters' values change between batches.
    for (int letter : {kLetterX, kLetterT, kLetterX}) {
        for (long double a : {1.5L, -2.0L}) {
            SetLetter(engine.letters, 1, a);
            SetLetter(engine.letters, kLetterT, 0.25L);
            SetLetter(engine.letters, kLetterX, -1.0L);
            program.RunBatch(engine.letters, letter, xs.data(), n, values.data(), defined.data(), jumps.data());
            for (int i = 0; i < n; i += 17) {
                SetLetter(engine.letters, kLetterT, 0.25L);
                SetLetter(engine.letters, kLetterX, -1.0L);
                SetLetter(engine.letters, letter, xs[static_cast<std::size_t>(i)]);
                ASSERT_TRUE(EvalNode(engine.letters, tree));
                EXPECT_EQ(values[static_cast<std::size_t>(i)], tree->value.re) << letter << " " << i;
                EXPECT_TRUE(defined[static_cast<std::size_t>(i)]);
            }
        }
    }
    FreeTree(tree);
}
