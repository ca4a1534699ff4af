#include <gtest/gtest.h>

#include <cmath>
#include <string>
#include <vector>

#include "expr/engine.h"
#include "plot3d/piercing.h"

namespace curvelo {
namespace {

class PiercingTest : public ::testing::Test {
protected:
    ~PiercingTest() override {
        for (ExprNode* t : trees) FreeTree(t);
    }
    ExprNode* Tree(const std::string& text) {
        EXPECT_EQ(engine.CompileFormula(text), 0) << text;
        trees.push_back(engine.TakeCompiledTree());
        return trees.back();
    }
    // The curve (x, y, z) over [lo, hi] against S, inside the box |coordinates| < size.
    bool Set(ExprNode* surface, const char* x, const char* y, const char* z, long double lo, long double hi,
             long double size = 3) {
        trees.push_back(surface);
        PiercingBox box;
        for (int i = 0; i < 3; ++i) {
            box.lo[i] = -size;
            box.hi[i] = size;
        }
        return search.Set(surface, Tree(x), Tree(y), Tree(z), lo, hi, box);
    }
    std::vector<long double> Roots(int presses) {
        std::vector<long double> found;
        for (int i = 0; i < presses; ++i) {
            PiercingPoint p;
            if (search.Next(engine.letters, p) == ScanOutcome::kFound) found.push_back(p.t);
        }
        return found;
    }

    FormulaEngine engine;
    std::vector<ExprNode*> trees;
    PiercingSearch search;
};

TEST_F(PiercingTest, HelixPiercesTheSphereOnceAtRootThreeAndEveryPressFindsItAgain) {
    ASSERT_TRUE(Set(ImplicitSurfaceFunction(Tree("(xx+yy+zz)-(4)")), "cos(7t)", "sin(7t)", "t", 0, 2 * M_PI));
    SetLetter(engine.letters, kLetterX, 0.25L);
    PiercingPoint p;
    ASSERT_EQ(search.Next(engine.letters, p), ScanOutcome::kFound);
    EXPECT_NEAR(static_cast<double>(p.t), std::sqrt(3.0), 1e-12);
    EXPECT_NEAR(static_cast<double>(p.z), std::sqrt(3.0), 1e-12);
    EXPECT_NEAR(static_cast<double>(p.x * p.x + p.y * p.y + p.z * p.z), 4.0, 1e-12);
    EXPECT_GT(p.angle, 0);
    EXPECT_LT(p.angle, M_PI / 2);
    // The letters the search wrote are back.
    EXPECT_EQ(GetLetter(engine.letters, kLetterX), 0.25L);
    for (long double t : Roots(3)) EXPECT_NEAR(static_cast<double>(t), std::sqrt(3.0), 1e-12);
    EXPECT_EQ(Roots(3).size(), 3u);
}

TEST_F(PiercingTest, SuccessivePressesRunThroughEveryPointAndWrap) {
    // z = sin x along the x axis: roots at -pi, 0, pi.
    ASSERT_TRUE(Set(ExplicitSurfaceFunction(Tree("sin(x)")), "t", "0", "0", -5, 5, 6));
    const std::vector<long double> found = Roots(4);
    ASSERT_EQ(found.size(), 4u);
    EXPECT_NEAR(static_cast<double>(found[0]), -M_PI, 1e-12);
    EXPECT_NEAR(static_cast<double>(found[1]), 0.0, 1e-12);
    EXPECT_NEAR(static_cast<double>(found[2]), M_PI, 1e-12);
    EXPECT_NEAR(static_cast<double>(found[3]), -M_PI, 1e-12);
}

TEST_F(PiercingTest, NoPointWhereTheCurveOnlyTouchesCrossesAPoleOrLeavesTheBox) {
    // The line z = 2 touches the sphere at (0, 0, 2) without crossing it.
    ASSERT_TRUE(Set(ImplicitSurfaceFunction(Tree("(xx+yy+zz)-(4)")), "t", "0", "2", -1, 1));
    PiercingPoint p;
    EXPECT_EQ(search.Next(engine.letters, p), ScanOutcome::kNotFound);
    // z = 1/x changes sign across x = 0 without a root.
    ASSERT_TRUE(Set(ExplicitSurfaceFunction(Tree("1/x")), "t", "0", "0", -1, 1.5));
    EXPECT_EQ(search.Next(engine.letters, p), ScanOutcome::kNotFound);
    // The plane z = 1 is crossed at t = 1, outside a box reaching z = 0.5.
    ASSERT_TRUE(Set(ExplicitSurfaceFunction(Tree("1")), "0", "0", "t", 0, 2, 0.5));
    EXPECT_EQ(search.Next(engine.letters, p), ScanOutcome::kNotFound);
    ASSERT_TRUE(Set(ExplicitSurfaceFunction(Tree("1")), "0", "0", "t", 0, 2, 1.01L));
    EXPECT_EQ(search.Next(engine.letters, p), ScanOutcome::kFound);
    // Straight through the plane: a right angle.
    EXPECT_NEAR(static_cast<double>(p.angle), M_PI / 2, 1e-6);
}

TEST_F(PiercingTest, MissingTreesOrAnEmptyRangeFindNothing) {
    EXPECT_FALSE(search.Set(nullptr, nullptr, nullptr, nullptr, 0, 1, {}));
    PiercingPoint p;
    EXPECT_EQ(search.Next(engine.letters, p), ScanOutcome::kNotFound);
    EXPECT_FALSE(Set(ExplicitSurfaceFunction(Tree("1")), "0", "0", "t", 2, 2));
    EXPECT_EQ(search.Next(engine.letters, p), ScanOutcome::kNotFound);
}

}  // namespace
}  // namespace curvelo
