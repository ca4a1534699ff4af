#include <gtest/gtest.h>

#include <cmath>
#include <functional>

#include "expr/engine.h"
#include "expr/byte_io.h"
#include "plot2d/inventory.h"
#include "plot3d/surface_kinds.h"
#include "plot3d/surface_mesh.h"
#include "plot3d/surface_pair.h"
#include "plot3d/surface_trees.h"
#include "plotwin/recording_surface.h"

namespace curvelo {
namespace {

class SurfacePairTest : public ::testing::Test {
protected:
    SurfacePairTest() { inventory.SetKindCompiler(&CompileSurface); }

    int Surface(std::uint16_t kind, const char* text) {
        const int i = inventory.Begin(kind, 0, 1);
        TExample& e = inventory.At(i);
        e = NewSurfaceExample(kind, e.penColour, 4);
        e.texts[kind == kKindSurfaceImplicit ? 4 : 2] = text;
        EXPECT_EQ(inventory.Commit(i, engine), 0);
        ComputeMesh(inventory.Slot(i), engine);
        if (kind == kKindSurfaceImplicit)
            for (int k = 0; k < 3; ++k) {
                inventory.At(i).values161[static_cast<std::size_t>(k)] = -3;
                inventory.At(i).values191[static_cast<std::size_t>(k)] = 3;
            }
        return i;
    }
    int Pair(int a, int b) {
        const std::uint16_t code = SurfacePairCodeOf(inventory.At(a).kind, inventory.At(b).kind);
        const int i = inventory.Begin(kKindSurfacePair, 0, 1);
        inventory.At(i) = NewSurfacePairExample(a, b, code, 4);
        EXPECT_EQ(inventory.Commit(i, engine), 0);
        return i;
    }
    // Every point drawn in space, lifted onto the explicit surface.
    std::vector<Vec3> Drawn(int pair) {
        PlotView view;
        RecordingSurface record(view);
        std::vector<Vec3> points;
        // The projection keeps z aside so the test sees the lifted points.
        const std::function<WorldPoint(const Vec3&)> project = [&points](const Vec3& p) {
            points.push_back(p);
            return WorldPoint{p.x, p.y};
        };
        DrawSurfacePair(inventory, pair, engine.letters, record, &project, {});
        return points;
    }

    FormulaEngine engine;
    ExampleInventory inventory;
};

TEST(SurfacePairCodes, AtLeastOneExplicitAndTheOtherExplicitOrImplicit) {
    EXPECT_EQ(SurfacePairCodeOf(301, 301), kPairExplicit);
    EXPECT_EQ(SurfacePairCodeOf(301, 305), kPairExplicitImplicit);
    EXPECT_EQ(SurfacePairCodeOf(305, 301), kPairImplicitExplicit);
    EXPECT_EQ(SurfacePairCodeOf(305, 305), 0);
    EXPECT_EQ(SurfacePairCodeOf(301, 303), 0);
    EXPECT_EQ(SurfacePairCodeOf(302, 301), 0);
    const TExample e = NewSurfacePairExample(3, 7, kPairExplicitImplicit, 5);
    EXPECT_EQ(e.kind, 317);
    EXPECT_EQ(PairFirst(e), 3);
    EXPECT_EQ(PairSecond(e), 7);
    EXPECT_EQ(e.low, 0);
    EXPECT_EQ(e.high, 1);
    // The indices sit in the record's words at offsets 4 and 6, the code at offset 2.
    const TExample::Image image = e.Store();
    EXPECT_EQ(image[2], kPairExplicitImplicit);
    EXPECT_EQ(image[4], 3);
    EXPECT_EQ(image[6], 7);
}

TEST_F(SurfacePairTest, ParaboloidMeetsAPlaneInTheUnitCircleLiftedToItsHeight) {
    const int bowl = Surface(kKindSurfaceExplicit, "xx+yy");
    const int flat = Surface(kKindSurfaceExplicit, "1");
    const int pair = Pair(bowl, flat);
    SetLetter(engine.letters, kLetterX, 0.5L);
    const PairSearchResult found = SearchSurfacePair(inventory, pair, engine.letters);
    EXPECT_TRUE(found.resolved);
    ASSERT_GE(found.added, 1);
    EXPECT_EQ(GetLetter(engine.letters, kLetterX), 0.5L);
    // A second search adds nothing new.
    const std::size_t kept = inventory.Slot(pair).initialConditions.size();
    EXPECT_EQ(SearchSurfacePair(inventory, pair, engine.letters).added, 0);
    EXPECT_EQ(inventory.Slot(pair).initialConditions.size(), kept);
    const std::vector<Vec3> points = Drawn(pair);
    ASSERT_GT(points.size(), 50u);
    long double minAngle = 10, maxAngle = -10;
    for (const Vec3& p : points) {
        EXPECT_NEAR(static_cast<double>(p.x * p.x + p.y * p.y), 1.0, 1e-2);
        EXPECT_NEAR(static_cast<double>(p.z), static_cast<double>(p.x * p.x + p.y * p.y), 1e-9);
        minAngle = std::min(minAngle, std::atan2(p.y, p.x));
        maxAngle = std::max(maxAngle, std::atan2(p.y, p.x));
    }
    // The whole circle, not a piece of it.
    EXPECT_LT(minAngle, -3.0L);
    EXPECT_GT(maxAngle, 3.0L);
}

TEST_F(SurfacePairTest, ExplicitSurfaceAgainstAnImplicitSphereAndAPairWhoseSurfaceChanged) {
    const int sphere = Surface(kKindSurfaceImplicit, "xx+yy+zz=4");
    const int flat = Surface(kKindSurfaceExplicit, "1");
    const int pair = Pair(sphere, flat);
    ASSERT_GE(SearchSurfacePair(inventory, pair, engine.letters).added, 1);
    const std::vector<Vec3> points = Drawn(pair);
    ASSERT_FALSE(points.empty());
    for (const Vec3& p : points) {
        EXPECT_NEAR(static_cast<double>(p.x * p.x + p.y * p.y), 3.0, 3e-2);
        EXPECT_EQ(p.z, 1);
    }
    // The plane became a parametric surface: the pair no longer resolves and draws nothing.
    inventory.At(flat).kind = kKindSurfaceParametric;
    SurfacePairParts parts;
    EXPECT_FALSE(ResolveSurfacePair(inventory, inventory.At(pair), parts));
    EXPECT_TRUE(Drawn(pair).empty());
    EXPECT_FALSE(SearchSurfacePair(inventory, pair, engine.letters).resolved);
    // A hostile index is refused, not followed.
    PutU16(inventory.At(pair).reserved4.data(), 900);
    EXPECT_FALSE(ResolveSurfacePair(inventory, inventory.At(pair), parts));
}

}  // namespace
}  // namespace curvelo
