#include <gtest/gtest.h>

#include <cmath>

#include "expr/engine.h"
#include "expr/eval.h"
#include "plot2d/inventory.h"
#include "plot3d/surface_kinds.h"
#include "plot3d/surface_mesh.h"
#include "plot3d/surface_trees.h"

namespace curvelo {
namespace {

class SurfaceMeshTest : public ::testing::Test {
protected:
    SurfaceMeshTest() { inventory.SetKindCompiler(&CompileSurface); }

    int Add(std::uint16_t kind) {
        const int i = inventory.Begin(kind, 0, 1);
        inventory.At(i) = NewSurfaceExample(kind, inventory.At(i).penColour, 4);
        return i;
    }
    SurfaceWork& Build(int i) {
        EXPECT_EQ(inventory.Commit(i, engine), 0);
        EXPECT_TRUE(ComputeMesh(inventory.Slot(i), engine));
        return *SurfaceWorkOf(inventory.Slot(i));
    }

    FormulaEngine engine;
    ExampleInventory inventory;
};

TEST_F(SurfaceMeshTest, DefaultExplicitSurfaceHas37By37VerticesAndADefinedPeak) {
    SurfaceWork& w = Build(Add(kKindSurfaceExplicit));
    EXPECT_EQ(w.VertexCount(), 37 * 37);
    // The grid's centre is the origin, where the formula is 0/0: the vertex takes the
    // limit there instead of leaving a hole at the peak.
    EXPECT_EQ(w.defined[static_cast<std::size_t>(18 * 37 + 18)], 1);
    EXPECT_NEAR(w.Vertex(18, 18).z, 1.0, 1e-6);
    EXPECT_NEAR(w.Vertex(0, 0).x, -M_PI, 1e-12);
    EXPECT_NEAR(w.Vertex(36, 36).y, M_PI, 1e-12);
    const TExample& e = inventory.At(0);
    EXPECT_LE(e.values161[0], -M_PI);
    EXPECT_GE(e.values191[0], M_PI);
    EXPECT_NEAR(static_cast<double>(e.values191[2]), 1.0, 0.011);
}

TEST(SurfaceLimits, VertexRuleRefusesOver3000) {
    EXPECT_EQ(CheckMeshIntervals(36, 36), 0);
    EXPECT_EQ(CheckMeshIntervals(54, 54), 17);   // 3025
    EXPECT_EQ(CheckMeshIntervals(53, 55), 17);   // 3024
    EXPECT_EQ(CheckMeshIntervals(53, 54), 0);    // 2970
    EXPECT_EQ(CheckMeshIntervals(0, 10), 17);
    EXPECT_EQ(CheckMeshIntervals(1, 1499), 0);
    EXPECT_EQ(CheckMeshIntervals(2999, 1), 17);
}

TEST(SurfaceLimits, StoredCountsAreBroughtWithinTheRule) {
    TExample e = NewSurfaceExample(kKindSurfaceExplicit, 4, 5);
    e.ints111 = {3000, 3000, 36};
    e.ints117 = {0, 65535};
    ClampSurfaceCounts(e);
    EXPECT_LE((e.ints111[0] + 1) * (e.ints111[1] + 1), kMaxMeshVertices);
    EXPECT_GE(e.ints111[0], 1);
    EXPECT_EQ(e.ints117[0], kMinSamples);
    EXPECT_EQ(e.ints117[1], kMaxSamples);
}

TEST_F(SurfaceMeshTest, FixedBoxFlattensOrCutsTheMaximum) {
    const int i = Add(kKindSurfaceExplicit);
    TExample& e = inventory.At(i);
    surf::AutoBox(e) = 0;
    e.values161 = {-4, -4, -0.5L};
    e.values191 = {4, 4, 0.5L};
    SurfaceWork& w = Build(i);
    const MeshVertex& peak = w.Vertex(18, 18);
    // Just outside the top wall, so keep-at-the-walls draws it on the wall.
    EXPECT_GT(peak.z, 0.5);
    EXPECT_LT(peak.z, 0.5 + 1e-12);
    EXPECT_EQ(e.values191[2], 0.5L);  // a fixed box is never changed by the mesh
    // A vertex inside the box is not moved.
    EXPECT_NEAR(w.Vertex(0, 0).z, std::sin(2 * M_PI * M_PI) / (2 * M_PI * M_PI), 1e-9);
}

TEST_F(SurfaceMeshTest, UnitSphereBoxIsAboutMinusOneToOne) {
    const int i = Add(kKindSpherical);
    TExample& e = inventory.At(i);
    e.texts = {"(1)sin(u)cos(t)", "(1)sin(u)sin(t)", "(1)cos(u)", "1", "", "", ""};
    Build(i);
    for (int a = 0; a < 3; ++a) {
        EXPECT_NEAR(static_cast<double>(e.values161[a]), -1.0, 0.011) << a;
        EXPECT_NEAR(static_cast<double>(e.values191[a]), 1.0, 0.011) << a;
    }
    // The poles are exactly on the box.
    EXPECT_DOUBLE_EQ(static_cast<double>(e.values191[2]), 1.0);
    EXPECT_DOUBLE_EQ(static_cast<double>(e.values161[2]), -1.0);
}

TEST_F(SurfaceMeshTest, CylindricalDefaultCoversTheDiscOfRadius12) {
    SurfaceWork& w = Build(Add(kKindCylindrical));
    EXPECT_EQ(w.n1, 36);
    EXPECT_EQ(w.n2, 70);
    double rmax = 0;
    for (int j = 0; j <= 70; ++j) {
        const MeshVertex& v = w.Vertex(36, j);
        rmax = std::max(rmax, std::hypot(v.x, v.y));
        EXPECT_NEAR(std::hypot(v.x, v.y), 1.2, 1e-12);
    }
    EXPECT_NEAR(w.Vertex(0, 5).x, 0.0, 1e-15);
    // The rim closes: first and last angle meet.
    EXPECT_NEAR(w.Vertex(36, 0).x, w.Vertex(36, 70).x, 1e-12);
    EXPECT_NEAR(w.Vertex(36, 0).y, w.Vertex(36, 70).y, 1e-12);
}

TEST_F(SurfaceMeshTest, UndefinedVerticesAreMarkedAndLeaveTheBoxAlone) {
    const int i = Add(kKindSurfaceExplicit);
    inventory.At(i).texts[2] = "sqrt(1-xx-yy)";
    SurfaceWork& w = Build(i);
    EXPECT_EQ(w.defined[0], 0);  // (-pi, -pi) is outside the unit disc
    EXPECT_EQ(w.defined[static_cast<std::size_t>(18 * 37 + 18)], 1);
    const TExample& e = inventory.At(i);
    EXPECT_GT(e.values161[0], -1.5L);
    EXPECT_LT(e.values191[0], 1.5L);
    EXPECT_GE(e.values161[2], -0.01L);
}

TEST_F(SurfaceMeshTest, OnlyRemovableSingularitiesGetTheirLimit) {
    const int pole = Add(kKindSurfaceExplicit);
    inventory.At(pole).texts[2] = "1/(xx+yy)";
    const int jump = Add(kKindSurfaceExplicit);
    inventory.At(jump).texts[2] = "x/abs(x)+y/abs(y)";
    EXPECT_EQ(Build(pole).defined[static_cast<std::size_t>(18 * 37 + 18)], 0);
    EXPECT_EQ(Build(jump).defined[static_cast<std::size_t>(18 * 37 + 18)], 0);
    EXPECT_LT(inventory.At(pole).values191[2], 100.0L);  // the pole does not blow up the box
}

TEST_F(SurfaceMeshTest, MeshRestoresTheLetters) {
    SetLetter(engine.letters, kLetterX, 7);
    SetLetter(engine.letters, kLetterT, 3);
    Build(Add(kKindSurfaceExplicit));
    Build(Add(kKindSurfaceParametric));
    EXPECT_EQ(GetLetter(engine.letters, kLetterX), 7);
    EXPECT_EQ(GetLetter(engine.letters, kLetterT), 3);
}

TEST(SurfaceBox, TidyWidensFlatAxesAndRoundsOutward) {
    std::array<long double, 3> lo = {0.1234L, 2, -1.0000000000000002L};
    std::array<long double, 3> hi = {0.9876L, 2, 1.0000000000000002L};
    TidyBox(lo, hi);
    EXPECT_NEAR(static_cast<double>(lo[0]), 0.123, 1e-12);  // extent below 1: thousandths
    EXPECT_NEAR(static_cast<double>(hi[0]), 0.988, 1e-12);
    EXPECT_NEAR(static_cast<double>(lo[1]), 1.5, 1e-12);  // flat: widened by 0.5 each side
    EXPECT_NEAR(static_cast<double>(hi[1]), 2.5, 1e-12);
    EXPECT_NEAR(static_cast<double>(lo[2]), -1.0, 1e-12);  // rounding noise stays on the line
    EXPECT_NEAR(static_cast<double>(hi[2]), 1.0, 1e-12);
}

TEST_F(SurfaceMeshTest, TubeStaysAtItsRadiusFromTheHelix) {
    SurfaceWork& w = Build(Add(kKindTube));
    EXPECT_EQ(w.n1, 120);
    EXPECT_EQ(w.n2, 16);
    const TExample& e = inventory.At(0);
    EXPECT_TRUE(surf::Shaded(e));
    EXPECT_EQ(surf::Colour1(e), 6);
    EXPECT_EQ(surf::Colour2(e), 11);
    for (int i : {0, 37, 120}) {
        const double t = static_cast<double>(e.low + i * (e.high - e.low) / 120);
        const double c[3] = {std::cos(7 * t), std::sin(7 * t), t};
        // tangent of the helix, to check the ring is perpendicular to it
        const double tg[3] = {-7 * std::sin(7 * t), 7 * std::cos(7 * t), 1};
        for (int j = 0; j <= 16; ++j) {
            const MeshVertex& v = w.Vertex(i, j);
            const double d[3] = {v.x - c[0], v.y - c[1], v.z - c[2]};
            EXPECT_NEAR(std::sqrt(d[0] * d[0] + d[1] * d[1] + d[2] * d[2]), 0.3, 1e-9);
            EXPECT_NEAR(d[0] * tg[0] + d[1] * tg[1] + d[2] * tg[2], 0.0, 1e-9);
        }
    }
}

TEST_F(SurfaceMeshTest, StraightTubeFallsBackToAFixedNormal) {
    const int i = Add(kKindTube);
    inventory.At(i).texts = {"t", "2t", "3", "0.5", "", "", ""};
    SurfaceWork& w = Build(i);
    for (int row : {0, 60, 120})
        for (int j = 0; j <= 16; ++j) {
            ASSERT_TRUE(w.defined[static_cast<std::size_t>(row * 17 + j)]);
            const MeshVertex& v = w.Vertex(row, j);
            const double t = static_cast<double>(inventory.At(i).low + row * (inventory.At(i).high - inventory.At(i).low) / 120);
            const double d[3] = {v.x - t, v.y - 2 * t, v.z - 3};
            EXPECT_NEAR(std::sqrt(d[0] * d[0] + d[1] * d[1] + d[2] * d[2]), 0.5, 1e-12);
            EXPECT_NEAR(d[0] + 2 * d[1], 0.0, 1e-12);
        }
}

TEST_F(SurfaceMeshTest, PlaneIsASquareAroundItsPointAcrossItsNormal) {
    SurfaceWork& w = Build(Add(kKindPlane));
    const PlaneCoefficients& p = w.plane;
    EXPECT_NEAR(static_cast<double>(p.k), 1.618, 1e-15);
    EXPECT_NEAR(static_cast<double>(p.n), 1.414, 1e-15);
    const MeshVertex& c = w.Vertex(18, 18);
    EXPECT_NEAR(c.x, 1.618, 1e-12);
    EXPECT_NEAR(c.y, 3.142, 1e-12);
    EXPECT_NEAR(c.z, 1.414, 1e-12);
    for (int i : {0, 36})
        for (int j : {0, 36}) {
            const MeshVertex& v = w.Vertex(i, j);
            EXPECT_NEAR(static_cast<double>(p.SideOf(v.x, v.y, v.z)), 0.0, 1e-12);
            // corners of a square of side 2: sqrt(2) from the centre
            EXPECT_NEAR(std::hypot(v.x - c.x, v.y - c.y, v.z - c.z), std::sqrt(2.0), 1e-12);
        }
}

TEST(PlaneTexts, ThreeNumbersOrTheParsersRefusal) {
    FormulaEngine engine;
    long double v[3];
    EXPECT_EQ(ParseThreeNumbers(engine, "1,pi/2,max(1,2)", v), 0);
    EXPECT_NEAR(static_cast<double>(v[1]), M_PI / 2, 1e-15);
    EXPECT_EQ(v[2], 2);
    EXPECT_EQ(ParseThreeNumbers(engine, "1,2", v), 1);
    EXPECT_EQ(ParseThreeNumbers(engine, "1,2,3,4", v), 1);
    EXPECT_NE(ParseThreeNumbers(engine, "1,2,)", v), 0);
    TExample e = NewSurfaceExample(kKindPlane, 4, 5);
    e.texts[0] = e.texts[1] = e.texts[2] = "0";
    PlaneCoefficients p;
    long double size = 0;
    EXPECT_EQ(ReadPlane(engine, e, p, size), 6);
}

TEST_F(SurfaceMeshTest, RevolutionTurnsTheCurveAboutItsAxis) {
    const int i = Add(kKindRevolution);
    TExample& e = inventory.At(i);
    e.texts = {"t", "1+0.5sin(t)", "", "", "", "", ""};  // turned about the x axis
    SurfaceWork& w = Build(i);
    for (int r : {0, 9, 36})
        for (int j = 0; j <= 36; ++j) {
            const MeshVertex& v = w.Vertex(r, j);
            const double t = static_cast<double>(e.low + r * (e.high - e.low) / 36);
            EXPECT_NEAR(v.x, t, 1e-12);
            EXPECT_NEAR(std::hypot(v.y, v.z), 1 + 0.5 * std::sin(t), 1e-12);
        }
    // A 2D window's explicit curve y = f(x) (x left empty) turns the same way.
    e.texts = {"", "1+0.5sin(x)", "", "", "", "", ""};
    SurfaceWork& w1 = Build(i);
    for (int j = 0; j <= 36; ++j) {
        const MeshVertex& v = w1.Vertex(9, j);
        EXPECT_NEAR(std::hypot(v.y, v.z), 1 + 0.5 * std::sin(v.x), 1e-12);
    }
    // About the line x = 1 (1x + 0y = 1): the distance from it is kept, y unchanged.
    surf::AxisA(e) = 1;
    surf::AxisB(e) = 0;
    surf::AxisC(e) = 1;
    e.texts = {"3", "t", "", "", "", "", ""};
    SurfaceWork& w2 = Build(i);
    for (int j = 0; j <= 36; ++j) {
        const MeshVertex& v = w2.Vertex(5, j);
        EXPECT_NEAR(std::hypot(v.x - 1, v.z), 2.0, 1e-12);
    }
}

TEST_F(SurfaceMeshTest, SphericalAndImplicitDefaults) {
    TExample s = NewSurfaceExample(kKindSpherical, 4, 5);
    EXPECT_EQ(s.texts[0], "(1.0+0.25sin(3u))sin(u)cos(t)");
    EXPECT_EQ(s.texts[2], "(1.0+0.25sin(3u))cos(u)");
    TExample im = NewSurfaceExample(kKindSurfaceImplicit, 4, 5);
    EXPECT_EQ(im.values161[0], -2.1L);
    EXPECT_EQ(im.saved251[2], 2.1L);
    EXPECT_FALSE(surf::AutoBox(im));
    TExample pl = NewSurfaceExample(kKindPlane, 4, 5);
    EXPECT_EQ(surf::Colour2(pl), 5);
}

}  // namespace
}  // namespace curvelo
