#include <gtest/gtest.h>

#include <cmath>

#include "expr/engine.h"
#include "plot2d/inventory.h"
#include "plot3d/hiding_test.h"
#include "plot3d/projection_snapshot.h"
#include "plot3d/space_drawing.h"
#include "plot3d/space_kinds.h"
#include "plot3d/space_solutions.h"
#include "plot3d/surface_kinds.h"
#include "plot3d/surface_scene.h"
#include "plotwin/recording_surface.h"

namespace curvelo {
namespace {

class SpaceCurvesTest : public ::testing::Test {
protected:
    SpaceCurvesTest() { inventory.SetKindCompiler(&CompileSpaceExample); }

    int Add(std::uint16_t kind, PointCoordinates system = PointCoordinates::kCartesian) {
        const int i = BeginSpaceExample(inventory, kind, system);
        EXPECT_GE(i, 0);
        EXPECT_EQ(inventory.Commit(i, engine), 0);
        return i;
    }
    void Box(int i) { ASSERT_TRUE(ComputeSpaceBox(inventory.Slot(i), engine)); }
    TInitialCondition Condition(long double x, long double y, long double z, TraceDirection d) {
        TInitialCondition c;
        c.x0 = x;
        c.y0 = y;
        c.z0 = z;
        c.directionCode = static_cast<std::uint16_t>(d);
        return c;
    }
    Cv2InitialCondition StartAt(long double x, long double y, long double z, int terms) {
        SpaceStartPoint s;
        s.p.x = x;
        s.p.y = y;
        s.z = z;
        s.p.terms = terms;
        Cv2InitialCondition r;
        WriteSpaceStartPoint(s, r);
        return r;
    }
    // Polylines drawn by example i from an eye far up the diagonal.
    std::vector<DrawOp> Draw(int i, bool hideInvisible = false) {
        ComputeAllMeshes(inventory, engine);
        View3D space = ViewLookingFrom({60, 80, 60}, {-8, -8, -8}, {8, 8, 8}, false);
        view.SetClientSize(600, 600);
        space.FitViewToCell(view, false);
        ProjectionSnapshot projection(space);
        RecordingSurface out(view);
        HidingTest hiding;
        hiding.Prepare(inventory, engine, projection, {});
        SpaceDrawContext c{out, engine, projection, hiding};
        c.hideInvisible = hideInvisible;
        EXPECT_EQ(DrawSpaceExample(c, inventory, i), 0);
        return out.Ops();
    }

    FormulaEngine engine;
    ExampleInventory inventory;
    PlotView view;
};

TEST_F(SpaceCurvesTest, DefaultCurveIsAHelixOfSevenTurnsRisingByTwoPi) {
    const int i = Add(kKindSpaceCurve);
    InventorySlot& slot = inventory.Slot(i);
    long double p[3];
    ASSERT_TRUE(EvalCurvePoint(slot, engine.letters, 0, p));
    EXPECT_NEAR(static_cast<double>(p[0]), 1, 1e-15);
    EXPECT_NEAR(static_cast<double>(p[2]), 0, 1e-15);
    // The angle about the z axis, followed sample by sample, makes seven full turns.
    long double turned = 0, last = 0;
    const int n = 7000;
    for (int k = 1; k <= n; ++k) {
        ASSERT_TRUE(EvalCurvePoint(slot, engine.letters, slot.example.high * k / n, p));
        EXPECT_NEAR(static_cast<double>(std::hypot(p[0], p[1])), 1, 1e-12);
        const long double a = std::atan2(p[1], p[0]);
        long double d = a - last;
        if (d < -M_PI) d += 2 * M_PI;
        if (d > M_PI) d -= 2 * M_PI;
        turned += d;
        last = a;
    }
    EXPECT_NEAR(static_cast<double>(turned / (2 * M_PI)), 7.0, 1e-9);
    EXPECT_NEAR(static_cast<double>(p[2]), 2 * M_PI, 1e-12);
    // Its box holds the whole helix, tidied outward.
    Box(i);
    EXPECT_LE(slot.example.values161[0], -1);
    EXPECT_GE(slot.example.values191[0], 1);
    EXPECT_LE(slot.example.values161[2], 0);
    EXPECT_GE(slot.example.values191[2], 2 * M_PI);
    EXPECT_LT(slot.example.values191[2], 6.4);
    // Dashed: no run longer than two samples.
    space::SetDashed(slot.example, true);
    for (const DrawOp& op : Draw(i)) {
        if (op.kind == DrawOp::kPolyline) {
            EXPECT_LE(op.points.size(), 2u);
        }
    }
}

TEST_F(SpaceCurvesTest, SegmentIsOneStraightPieceUnlessASurfaceMayHideIt) {
    const int s = Add(kKindSpaceSegment);
    inventory.At(s).ints117[0] = 50;
    ASSERT_TRUE(SegmentIsOnePiece(inventory));
    std::vector<DrawOp> ops = Draw(s);
    ASSERT_EQ(ops.size(), 1u);
    EXPECT_EQ(ops[0].points.size(), 2u);
    // Its box comes from its two ends (a, b, c) and (p, q, r).
    Box(s);
    EXPECT_LE(inventory.At(s).values161[0], 1.6181L);
    EXPECT_GE(inventory.At(s).values191[1], 3.142L);
    EXPECT_LE(inventory.At(s).values161[2], 0.577L);

    // A plane does not change that; an explicit surface does.
    const int plane = inventory.Begin(kKindPlane, 0, 1);
    inventory.At(plane) = NewSurfaceExample(kKindPlane, 1, 2);
    inventory.Commit(plane, engine);
    EXPECT_TRUE(SegmentIsOnePiece(inventory));
    const int hill = inventory.Begin(kKindSurfaceExplicit, 0, 1);
    inventory.At(hill) = NewSurfaceExample(kKindSurfaceExplicit, 1, 2);
    inventory.Commit(hill, engine);
    EXPECT_FALSE(SegmentIsOnePiece(inventory));
    ops = Draw(s);
    std::size_t points = 0;
    for (const DrawOp& op : ops) points += op.points.size();
    EXPECT_EQ(points, 51u);
}

TEST_F(SpaceCurvesTest, MeridianRunsFromPoleToPoleThroughTheLongitude) {
    const int i = Add(kKindSpaceCurve);
    const auto texts = MeridianTexts("1", "0");
    for (std::size_t k = 0; k < 3; ++k) inventory.At(i).texts[k] = texts[k];
    ASSERT_EQ(inventory.Compile(i, engine), 0);
    const long double expected[3][3] = {{0, 0, 1}, {1, 0, 0}, {0, 0, -1}};
    for (int k = 0; k < 3; ++k) {
        long double p[3];
        ASSERT_TRUE(EvalCurvePoint(inventory.Slot(i), engine.letters, M_PI * k / 2, p));
        for (int c = 0; c < 3; ++c) EXPECT_NEAR(static_cast<double>(p[c]), static_cast<double>(expected[k][c]), 1e-15);
    }
    // Another longitude turns the plane of the meridian.
    EXPECT_EQ(MeridianTexts("2", "pi/2")[1], "(2)sin(t)sin(pi/2)");
}

TEST_F(SpaceCurvesTest, PointsConvertFromTheirCoordinateSystemAndBoxAQuarterEachWay) {
    const int i = Add(kKindSpacePoint, PointCoordinates::kSpherical);
    inventory.At(i).texts = {"1", "0", "pi/2", "", "", "", ""};
    ASSERT_EQ(inventory.Compile(i, engine), 0);
    long double p[3];
    ASSERT_TRUE(EvalSpacePoint(inventory.Slot(i), engine.letters, p));
    EXPECT_NEAR(static_cast<double>(p[0]), 1, 1e-15);
    EXPECT_NEAR(static_cast<double>(p[1]), 0, 1e-15);
    EXPECT_NEAR(static_cast<double>(p[2]), 0, 1e-15);
    Box(i);
    const TExample& e = inventory.At(i);
    EXPECT_NEAR(static_cast<double>(e.values161[0]), 0.75, 1e-15);
    EXPECT_NEAR(static_cast<double>(e.values191[0]), 1.25, 1e-15);
    for (int c = 1; c < 3; ++c) {
        EXPECT_NEAR(static_cast<double>(e.values161[static_cast<std::size_t>(c)]), -0.25, 1e-15);
        EXPECT_NEAR(static_cast<double>(e.values191[static_cast<std::size_t>(c)]), 0.25, 1e-15);
    }
    // Cylindrical (2, pi, 3) is (-2, 0, 3); an angle beyond 5e18 is refused.
    const long double cyl[3] = {2, M_PI, 3};
    ASSERT_TRUE(PointToCartesian(PointCoordinates::kCylindrical, cyl, p));
    EXPECT_NEAR(static_cast<double>(p[0]), -2, 1e-15);
    EXPECT_NEAR(static_cast<double>(p[2]), 3, 0);
    const long double wild[3] = {1, 6e18L, 0};
    EXPECT_FALSE(PointToCartesian(PointCoordinates::kCylindrical, wild, p));
    // A hollow dot is a ring; projections add three lines to the coordinate planes.
    space::Hollow(inventory.At(i)) = 1;
    std::vector<DrawOp> ops = Draw(i);
    ASSERT_EQ(ops.size(), 1u);
    EXPECT_EQ(ops[0].kind, DrawOp::kPolyline);
    space::Projections(inventory.At(i)) = 1;
    ops = Draw(i);
    EXPECT_EQ(ops.size(), 4u);
}

TEST_F(SpaceCurvesTest, PartsUnderASurfaceAreLeftOutOnlyWhenHidingIsOn) {
    const int floor = inventory.Begin(kKindSurfaceExplicit, 0, 1);
    inventory.At(floor) = NewSurfaceExample(kKindSurfaceExplicit, 1, 2);
    inventory.At(floor).texts[2] = "0";
    ASSERT_EQ(inventory.Commit(floor, engine), 0);
    const int below = Add(kKindSpacePoint);
    inventory.At(below).texts = {"0.5", "0.5", "-1", "", "", "", ""};
    ASSERT_EQ(inventory.Compile(below, engine), 0);
    EXPECT_EQ(Draw(below).size(), 1u);
    EXPECT_TRUE(Draw(below, true).empty());
    // Above the floor it stays.
    inventory.At(below).texts[2] = "1";
    ASSERT_EQ(inventory.Compile(below, engine), 0);
    EXPECT_EQ(Draw(below, true).size(), 1u);
}

TEST_F(SpaceCurvesTest, LorenzTrajectoryStaysBoundedAndRowsFollowTheDrawing) {
    const int i = Add(kKindSpaceSystem);
    InventorySlot& slot = inventory.Slot(i);
    const std::vector<SpaceSample> path = SystemTrajectory(engine, slot, Condition(1, 1, 1, TraceDirection::kForward));
    ASSERT_EQ(static_cast<long long>(path.size()), SystemStepLimit(slot.example) + 1);
    long double zMax = 0;
    for (const SpaceSample& s : path) {
        EXPECT_LT(std::fabs(s.x), 25);
        EXPECT_LT(std::fabs(s.y), 35);
        EXPECT_GT(s.z, -1);
        EXPECT_LT(s.z, 55);
        zMax = std::max(zMax, s.z);
    }
    EXPECT_GT(zMax, 35);  // it reached the wings
    EXPECT_NEAR(static_cast<double>(path.back().t), 40, 1e-9);

    // Both directions: time increases along the list, through the start.
    slot.initialConditions.push_back(Condition(1, 1, 1, TraceDirection::kForward).Store());
    slot.initialConditions.push_back(Condition(0, 1, 0, TraceDirection::kBoth).Store());
    ASSERT_EQ(SpaceSolutionCount(slot), 2);
    const auto rows = SpaceSolutionRows(engine, slot, 0);
    ASSERT_EQ(rows.size(), path.size());
    EXPECT_EQ(rows[100], (std::vector<long double>{path[100].t, path[100].x, path[100].y, path[100].z}));
    const auto both = SpaceSolutionRows(engine, slot, 1);
    ASSERT_GT(both.size(), 2u);
    for (std::size_t k = 1; k < both.size(); ++k) ASSERT_GT(both[k][0], both[k - 1][0]);
    EXPECT_TRUE(SpaceSolutionRows(engine, slot, 2).empty());

    // A restriction hides what it excludes; an escaping system ends.
    slot.example.texts[3] = "x";
    slot.example.positiveROnly = 1;
    ASSERT_EQ(inventory.Compile(i, engine), 0);
    for (const SpaceSample& s : SystemTrajectory(engine, slot, Condition(1, 1, 1, TraceDirection::kForward)))
        EXPECT_EQ(s.shown, s.x > 0);
    slot.example.texts = {"x*x", "0", "0", "", "", "", ""};
    ASSERT_EQ(inventory.Compile(i, engine), 0);
    EXPECT_LT(SystemTrajectory(engine, slot, Condition(1, 0, 0, TraceDirection::kForward)).size(), 1000u);
}

TEST_F(SpaceCurvesTest, DefaultSequenceWindsAroundTheAxisWhileRising) {
    const int i = Add(kKindSpaceSequence);
    InventorySlot& slot = inventory.Slot(i);
    slot.initialConditions.push_back(StartAt(1, 0, 0, 300));
    const auto rows = SpaceSolutionRows(engine, slot, 0);
    ASSERT_EQ(rows.size(), 300u);
    const long double step = std::atan2(0.28L, 0.96L);
    for (std::size_t n = 0; n < rows.size(); n += 37) {
        EXPECT_EQ(rows[n][0], static_cast<long double>(n));
        EXPECT_NEAR(static_cast<double>(std::hypot(rows[n][1], rows[n][2])), 1, 1e-12);
        EXPECT_NEAR(static_cast<double>(rows[n][3]), 0.01 * static_cast<double>(n), 1e-12);
        EXPECT_NEAR(static_cast<double>(std::remainder(std::atan2(rows[n][2], rows[n][1]) - step * n, 2 * M_PI)), 0,
                    1e-9);
    }
    // The box follows the terms; the drawing stops where a term leaves the cell.
    Box(i);
    EXPECT_GE(slot.example.values191[2], 2.99L);
    // A sequence that comes back to its start is periodic.
    slot.example.texts = {"-x", "y", "z", "", "", "", ""};
    ASSERT_EQ(inventory.Compile(i, engine), 0);
    int period = 0;
    const auto terms = SequenceTerms(engine, slot, ReadSpaceStartPoint(StartAt(1, 2, 3, 50)), 1e-9L, {}, &period);
    EXPECT_EQ(period, 2);
    EXPECT_EQ(terms.size(), 2u);
}

}  // namespace
}  // namespace curvelo
