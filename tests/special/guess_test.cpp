#include <gtest/gtest.h>

#include <cmath>
#include <regex>

#include "expr/engine.h"
#include "expr/eval.h"
#include "special/guess_check.h"
#include "special/guess_problem.h"

using namespace curvelo;

namespace {

struct Compiled {
    FormulaEngine engine;
    ExprNode* tree = nullptr;
    explicit Compiled(const std::string& text) {
        if (engine.CompileFormula(text) == 0) tree = engine.TakeCompiledTree();
    }
    ~Compiled() { FreeTree(tree); }
    bool At(long double x, long double& y) { return EvalAt(engine, tree, kLetterX, x, y) && std::isfinite(y); }
};

}  // namespace

TEST(GuessProblems, EveryTypeCompilesIsMostlyDefinedAndShowsItselfInItsView) {
    RandomInts random(2024);
    const GuessSwitches all = GuessSwitches::All();
    for (int type = 1; type <= kGuessTypes; ++type) {
        int absolute = 0;
        for (int n = 0; n < 300; ++n) {
            const GuessProblem p = GenerateGuessProblem(type, all, random);
            SCOPED_TRACE(p.formula);
            ASSERT_EQ(p.type, type);
            Compiled f(p.formula);
            ASSERT_NE(f.tree, nullptr);
            absolute += p.absolute;
            const long double left = p.cx - p.halfWidth, width = 2 * p.halfWidth;
            int defined = 0, visible = 0, undefined = 0;
            constexpr int kSamples = 400;
            for (int i = 0; i <= kSamples; ++i) {
                long double y = 0;
                if (!f.At(left + width * i / kSamples, y)) {
                    ++undefined;
                    continue;
                }
                ++defined;
                visible += std::fabs(y - p.cy) <= p.halfWidth;
                if (p.absolute) {
                    EXPECT_GE(y, 0);
                }
            }
            EXPECT_GE(defined, kSamples * 3 / 4);
            if (type == 3) {
                // The vertex is the centre; the y axis, with the intercept, is in view.
                long double vertex = 0;
                ASSERT_TRUE(f.At(p.cx, vertex));
                EXPECT_NEAR(static_cast<double>(vertex), static_cast<double>(p.cy), 1e-12);
                EXPECT_LT(std::fabs(p.cx), p.halfWidth);
            } else {
                EXPECT_GE(visible, kSamples / 5);
            }
            // The logarithms and the roots begin inside the view.
            if (type == 11 || type == 12 || type == 14) {
                EXPECT_GT(undefined, 0);
            }
        }
        EXPECT_GT(absolute, 20);  // the absolute-value variant comes up too
        EXPECT_LT(absolute, 150);
    }
}

TEST(GuessProblems, PolynomialsKeepTheirDegreeBoundsAndZerosInView) {
    RandomInts random(9);
    GuessSwitches s = GuessSwitches::Reset();
    for (int degree = kMinDegree; degree <= kMaxDegree; ++degree) {
        s.minDegree = s.maxDegree = static_cast<std::uint16_t>(degree);
        for (int n = 0; n < 50; ++n) {
            const GuessProblem p = GenerateGuessProblem(1, s, random);
            SCOPED_TRACE(p.formula);
            const std::regex factor(R"(\(x[-+]\d\)|x)");
            const std::string noCoefficient = std::regex_replace(p.formula, std::regex(R"(^-?(\(1/\d+\))?)"), "");
            const auto count = std::distance(std::sregex_iterator(noCoefficient.begin(), noCoefficient.end(), factor),
                                             std::sregex_iterator());
            EXPECT_EQ(count, degree);
            // Every zero k of a factor (x - k) lies in the view.
            const std::regex zero(R"(\(x([-+])(\d)\))");
            for (std::sregex_iterator it(p.formula.begin(), p.formula.end(), zero), end; it != end; ++it) {
                const int k = ((*it)[1] == "-" ? 1 : -1) * std::stoi((*it)[2]);
                EXPECT_LT(std::fabs(k - p.cx), p.halfWidth);
            }
        }
    }
}

TEST(GuessProblems, AfterResetEveryProblemIsAParabolaWithIntegerVertexAndIntercept) {
    RandomInts random(11);
    const GuessSwitches reset = GuessSwitches::Reset();
    for (int n = 0; n < 400; ++n) {
        const GuessProblem p = NewGuessProblem(reset, random);
        SCOPED_TRACE(p.formula);
        ASSERT_EQ(p.type, 3);
        EXPECT_FALSE(p.absolute);
        const int a = static_cast<int>(p.cx), b = static_cast<int>(p.cy);
        EXPECT_EQ(a, p.cx);
        EXPECT_EQ(b, p.cy);
        EXPECT_NE(a, 0);
        EXPECT_LE(std::abs(a), 4);
        EXPECT_LE(std::abs(b), 4);
        EXPECT_EQ(p.halfWidth, 4.5L);
        Compiled f(p.formula);
        long double atVertex = 0, left = 0, right = 0, intercept = 0;
        ASSERT_TRUE(f.At(a, atVertex) && f.At(a - 1.5L, left) && f.At(a + 1.5L, right) && f.At(0, intercept));
        EXPECT_NEAR(static_cast<double>(atVertex), b, 1e-12);
        EXPECT_NEAR(static_cast<double>(left), static_cast<double>(right), 1e-12);
        EXPECT_NEAR(static_cast<double>(intercept), std::round(static_cast<double>(intercept)), 1e-12);
        EXPECT_NE(std::lround(static_cast<double>(intercept)), b);
        EXPECT_LE(std::fabs(intercept), 12);
    }
    GuessSwitches none;
    EXPECT_FALSE(none.AnyType());
    EXPECT_EQ(NewGuessProblem(none, random).type, 3);
}

TEST(GuessCheck, EqualFormsPassAndNearOnesDoNot) {
    RandomInts random(4);
    Compiled answer("-3+2(x-1)(x-1)");
    Compiled expanded("2x^2-4x-1");
    Compiled off("2x^2-4x-0.99");
    Compiled nowhere("log(-x^2-1)");
    Compiled half("sqrt(x)+2x^2-4x-1-sqrt(x)");
    LetterStore& letters = answer.engine.letters;
    EXPECT_TRUE(CompareGuess(letters, answer.tree, expanded.tree, -4, 8, random).Right());
    const GuessComparison near = CompareGuess(letters, answer.tree, off.tree, -4, 8, random);
    EXPECT_FALSE(near.Right());
    EXPECT_NEAR(static_cast<double>(near.largestDifference), 0.01, 1e-9);
    EXPECT_EQ(near.comparedPoints, kGuessPoints);
    // A guess defined nowhere, or only where x >= 0, is not the function.
    EXPECT_FALSE(CompareGuess(letters, answer.tree, nowhere.tree, -4, 8, random).Right());
    EXPECT_FALSE(CompareGuess(letters, answer.tree, half.tree, -4, 8, random).Right());
}
