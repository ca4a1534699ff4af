#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <set>

#include "expr/engine.h"
#include "plot2d/inventory.h"
#include "plot3d/axes3d.h"
#include "plot3d/hiding_test.h"
#include "plot3d/surface_kinds.h"
#include "plot3d/surface_lines.h"
#include "plot3d/surface_mesh.h"
#include "plot3d/surface_painter.h"
#include "plotwin/recording_surface.h"

namespace curvelo {
namespace {

class SurfaceDrawingTest : public ::testing::Test {
protected:
    SurfaceDrawingTest() {
        inventory.SetKindCompiler(&CompileSurface);
        view.SetViewSquare(0, 0, 10);
    }

    // An explicit surface z = f over the square -1..1 with the given mesh.
    int AddExplicit(const char* f, int n = 10) {
        const int i = inventory.Begin(kKindSurfaceExplicit, 0, 1);
        TExample& e = inventory.At(i);
        e = NewSurfaceExample(kKindSurfaceExplicit, 4, 5);
        e.texts[2] = f;
        e.low = e.low2 = -1;
        e.high = e.high2 = 1;
        e.ints111[0] = e.ints111[1] = static_cast<std::uint16_t>(n);
        EXPECT_EQ(inventory.Commit(i, engine), 0);
        EXPECT_TRUE(ComputeMesh(inventory.Slot(i), engine));
        return i;
    }
    ProjectionSnapshot Eye(double x, double y, double z) const {
        return ProjectionSnapshot({x, y, z}, {-1, -1, -1}, {1, 1, 1}, false);
    }

    FormulaEngine engine;
    ExampleInventory inventory;
    PlotView view;
    RecordingSurface out{view};
    SurfacePainter painter;
};

TEST(ProjectionSnapshotTest, AgreesWithTheViewsProjection) {
    for (bool cube : {false, true}) {
        View3D view = ViewLookingFrom({7, -3, 4}, {-1, 0, 2}, {3, 2, 5}, cube);
        const ProjectionSnapshot p(view);
        for (const Vec3& q : {Vec3{1, 1, 3.5L}, Vec3{-1, 0, 2}, Vec3{2.5L, -4, 9}}) {
            const WorldPoint w = view.ProjectPoint(q);
            double u, v;
            p.Project(static_cast<double>(q.x), static_cast<double>(q.y), static_cast<double>(q.z), u, v);
            EXPECT_NEAR(u, static_cast<double>(w.x), 1e-12);
            EXPECT_NEAR(v, static_cast<double>(w.y), 1e-12);
        }
    }
}

TEST_F(SurfaceDrawingTest, InterpenetratingSurfacesArePaintedFarthestFirstAcrossBoth) {
    AddExplicit("0.5x");
    AddExplicit("-0.5x");
    const ProjectionSnapshot p = Eye(6, 8, 6);
    ASSERT_EQ(painter.DrawFastSurfaces(out, inventory, p, true), 0);
    ASSERT_EQ(painter.QuadsDrawn(), 200);
    // Rebuild the order from the work buffers: distances never grow, and the two surfaces'
    // quadrilaterals are interleaved rather than drawn one surface after the other.
    std::vector<std::pair<double, int>> order;
    for (int x = 0; x < 2; ++x) {
        const SurfaceWork& w = *SurfaceWorkOf(inventory.Slot(x));
        for (int q = 0; q < 100; ++q) order.push_back({w.distance[static_cast<std::size_t>(q)], x});
    }
    std::sort(order.begin(), order.end(), [](auto& a, auto& b) { return a.first > b.first; });
    int switches = 0;
    for (std::size_t k = 1; k < order.size(); ++k) switches += order[k].second != order[k - 1].second;
    EXPECT_GT(switches, 10);
    // The recorded polygons follow that order: their projected centres match.
    const auto& ops = out.Ops();
    ASSERT_EQ(ops.size(), 200u);
    for (std::size_t k = 1; k < ops.size(); ++k) ASSERT_EQ(ops[k].kind, DrawOp::kPolygon);
    // Pen colours tell the surfaces apart only through the examples; both are white-filled.
    EXPECT_EQ(ops.front().brush, ColourOf(kColourWhite));
}

TEST_F(SurfaceDrawingTest, ShadedSidesSwapWhenTheEyeGoesToTheOtherSide) {
    const int i = AddExplicit("0", 4);
    TExample& e = inventory.At(i);
    surf::Shaded(e) = 1;
    surf::Colour1(e) = 6;
    surf::Colour2(e) = 11;
    painter.DrawFastSurfaces(out, inventory, Eye(6, 8, 6), true);
    std::set<int> above;
    for (const DrawOp& op : out.Ops()) above.insert(op.brush == ColourOf(6) ? 6 : op.brush == ColourOf(11) ? 11 : -1);
    out.Clear();
    painter.DrawFastSurfaces(out, inventory, Eye(6, 8, -6), true);
    std::set<int> below;
    for (const DrawOp& op : out.Ops()) below.insert(op.brush == ColourOf(6) ? 6 : op.brush == ColourOf(11) ? 11 : -1);
    ASSERT_EQ(above.size(), 1u);
    ASSERT_EQ(below.size(), 1u);
    EXPECT_NE(*above.begin(), -1);
    EXPECT_NE(*below.begin(), -1);
    EXPECT_NE(*above.begin(), *below.begin());
}

TEST_F(SurfaceDrawingTest, SpectrumRunsFrom20To100PercentOfTheCell) {
    EXPECT_DOUBLE_EQ(SpectrumFactor(-1, -1, 1), 0.2);
    EXPECT_DOUBLE_EQ(SpectrumFactor(-5, -1, 1), 0.2);  // below the cell's bottom
    EXPECT_DOUBLE_EQ(SpectrumFactor(1, -1, 1), 1.0);
    EXPECT_DOUBLE_EQ(SpectrumFactor(0, -1, 1), 0.6);
    const int i = AddExplicit("x", 2);
    TExample& e = inventory.At(i);
    surf::Spectrum(e) = 1;
    e.penColour = 6;
    painter.DrawFastSurfaces(out, inventory, Eye(6, 8, 6), true);
    const Rgb full = ColourOf(6);
    std::set<int> reds;
    for (const DrawOp& op : out.Ops()) {
        reds.insert(op.brush.r);
        EXPECT_EQ(op.pen, op.brush);  // without the mesh switch the outline takes the fill
    }
    // Quadrilaterals starting at x = -1 (20 %) and at x = 0 (60 %).
    EXPECT_TRUE(reds.count(static_cast<int>(std::lround(full.r * 0.2))));
    EXPECT_TRUE(reds.count(static_cast<int>(std::lround(full.r * 0.6))));
    // Grey printing: the lowest level is grey 23 of the scale, the top grey 1 (white).
    out.Clear();
    painter.DrawFastSurfaces(out, inventory, Eye(6, 8, 6), false);
    std::set<int> greys;
    for (const DrawOp& op : out.Ops()) greys.insert(op.brush.r);
    EXPECT_TRUE(greys.count(GreyOf(23).r));
}

TEST_F(SurfaceDrawingTest, UndefinedAndCutVerticesSkipTheirQuadrilaterals) {
    AddExplicit("sqrt(0.5-xx-yy)", 10);
    painter.DrawFastSurfaces(out, inventory, Eye(6, 8, 6), true);
    const int inside = painter.QuadsDrawn();
    EXPECT_GT(inside, 0);
    EXPECT_LT(inside, 100);
    // Keep-at-the-walls off with a fixed box that cuts the top: fewer still.
    TExample& e = inventory.At(0);
    surf::AutoBox(e) = 0;
    surf::KeepAtWalls(e) = 0;
    e.values161 = {-2, -2, -1};
    e.values191 = {2, 2, 0.5L};
    ComputeMesh(inventory.Slot(0), engine);
    painter.DrawFastSurfaces(out, inventory, Eye(6, 8, 6), true);
    EXPECT_LT(painter.QuadsDrawn(), inside);
    surf::KeepAtWalls(e) = 1;
    painter.DrawFastSurfaces(out, inventory, Eye(6, 8, 6), true);
    EXPECT_EQ(painter.QuadsDrawn(), inside);
}

TEST_F(SurfaceDrawingTest, VerticesWithoutAFiniteProjectionSkipTheirQuadrilaterals) {
    // A vertex whose projection is not a number (a mesh value beyond the range of doubles)
    // has no point on the screen: its four quadrilaterals are left out rather than drawn
    // to a corner of the picture.
    AddExplicit("xy", 10);
    surf::KeepAtWalls(inventory.At(0)) = 1;
    SurfaceWork& w = *SurfaceWorkOf(inventory.Slot(0));
    w.vertices[5 * 11 + 5].z = std::numeric_limits<double>::infinity();
    w.vertices[3 * 11 + 7].x = std::numeric_limits<double>::quiet_NaN();
    ASSERT_EQ(painter.DrawFastSurfaces(out, inventory, Eye(6, 8, 6), true), 0);
    EXPECT_EQ(painter.QuadsDrawn(), 92);
    int polygons = 0;
    for (const DrawOp& op : out.Ops()) {
        if (op.kind != DrawOp::kPolygon) continue;
        ++polygons;
        for (const WorldPoint& p : op.points) EXPECT_TRUE(std::isfinite(p.x) && std::isfinite(p.y));
    }
    EXPECT_EQ(polygons, painter.QuadsDrawn());
}

TEST_F(SurfaceDrawingTest, VisibilityStepsOneComparesOnlyTheEndsOfTheLineOfSight) {
    AddExplicit("0.3-xx-yy", 10);
    const ProjectionSnapshot p = ProjectionSnapshot({60, 0, 1}, {-3, -3, -3}, {3, 3, 3}, false);
    const double behindHump[3] = {-0.9, 0, 0};
    VisibilitySettings s;
    s.tolerance = 0.001;
    HidingTest hiding;
    s.steps = 12;
    hiding.Prepare(inventory, engine, p, s);
    EXPECT_TRUE(hiding.IsPointHidden(behindHump));
    s.steps = 1;
    hiding.Prepare(inventory, engine, p, s);
    EXPECT_FALSE(hiding.IsPointHidden(behindHump));
    // Under the surface, seen from above: one step still sees the single crossing.
    const ProjectionSnapshot above({0.1, 0.2, 60}, {-3, -3, -3}, {3, 3, 3}, false);
    hiding.Prepare(inventory, engine, above, s);
    const double under[3] = {0, 0, 0.1};
    EXPECT_TRUE(hiding.IsPointHidden(under));
}

TEST_F(SurfaceDrawingTest, APointOnTheCellWallIsVisible) {
    HidingTest hiding;
    hiding.Prepare(inventory, engine, Eye(6, 8, 6), VisibilitySettings{});
    const double wall[3] = {1, 0, -1};
    const double outside[3] = {1.0000001, 0, 0};
    EXPECT_TRUE(hiding.IsPointVisible(wall));
    EXPECT_FALSE(hiding.IsPointVisible(outside));
}

TEST_F(SurfaceDrawingTest, PlaneHidesWhatIsBehindIt) {
    const int i = inventory.Begin(kKindPlane, 0, 1);
    inventory.At(i) = NewSurfaceExample(kKindPlane, 4, 5);
    inventory.At(i).texts = {"0", "0", "1", "0,0,0", "", "2", ""};
    inventory.Commit(i, engine);
    ComputeMesh(inventory.Slot(i), engine);
    HidingTest hiding;
    hiding.Prepare(inventory, engine, Eye(0.5, 0.5, 50), VisibilitySettings{});
    const double below[3] = {0, 0, -0.5};
    const double above[3] = {0, 0, 0.5};
    const double besides[3] = {5, 5, -0.5};  // under the plane's line but off its square
    EXPECT_TRUE(hiding.IsPointHidden(below));
    EXPECT_FALSE(hiding.IsPointHidden(above));
    EXPECT_FALSE(hiding.IsPointHidden(besides));
}

TEST_F(SurfaceDrawingTest, ParametricSphereHidesItsBackOnlyWithParametricShading) {
    const int i = inventory.Begin(kKindSurfaceParametric, 0, 1);
    inventory.At(i) = NewSurfaceExample(kKindSurfaceParametric, 4, 5);
    inventory.Commit(i, engine);
    ComputeMesh(inventory.Slot(i), engine);
    const ProjectionSnapshot p = ProjectionSnapshot({60, 80, 60}, {-1, -1, -1}, {1, 1, 1}, false);
    const double eye[3] = {60, 80, 60};
    const double l = std::sqrt(60.0 * 60 + 80 * 80 + 60 * 60);
    const double front[3] = {eye[0] / l, eye[1] / l, eye[2] / l};
    const double back[3] = {-front[0], -front[1], -front[2]};
    VisibilitySettings s;
    HidingTest hiding;
    hiding.Prepare(inventory, engine, p, s);
    EXPECT_FALSE(hiding.IsPointHidden(back));
    s.parametricShading = true;
    hiding.Prepare(inventory, engine, p, s);
    EXPECT_TRUE(hiding.IsPointHidden(back));
    EXPECT_FALSE(hiding.IsPointHidden(front));
}

TEST_F(SurfaceDrawingTest, SlowDrawingStopsAtQAndKeepsWhatItDrew) {
    AddExplicit("xx-yy", 10);
    HidingTest hiding;
    const ProjectionSnapshot p = Eye(6, 8, 6);
    hiding.Prepare(inventory, engine, p, VisibilitySettings{});
    int polls = 0;
    LineDrawContext c{out, engine, p, hiding, [&] { return ++polls == 3 ? kDrawStopped : 0; }};
    EXPECT_EQ(DrawSurfaceLines(c, inventory.Slot(0), 1), kDrawStopped);
    EXPECT_EQ(polls, 3);
    int polylines = 0;
    for (const DrawOp& op : out.Ops()) polylines += op.kind == DrawOp::kPolyline;
    EXPECT_GE(polylines, 3);
    EXPECT_EQ(out.SaveDepth(), 0);
    // Without Q every line of both directions is drawn.
    out.Clear();
    c.pollKey = nullptr;
    EXPECT_EQ(DrawSurfaceLines(c, inventory.Slot(0), 1), 0);
    EXPECT_EQ(DrawSurfaceLines(c, inventory.Slot(0), 2), 0);
    polylines = 0;
    for (const DrawOp& op : out.Ops()) polylines += op.kind == DrawOp::kPolyline;
    EXPECT_GE(polylines, 22);
}

TEST_F(SurfaceDrawingTest, HiddenSegmentBreaksBehindASurface) {
    AddExplicit("0", 10);
    HidingTest hiding;
    const View3D view3 = ViewLookingFrom({0.3, 0.4, 50}, {-2, -2, -2}, {2, 2, 2}, false);
    const ProjectionSnapshot p(view3);
    hiding.Prepare(inventory, engine, p, VisibilitySettings{});
    const HiddenTest hidden = [&](const Vec3& q) {
        const double d[3] = {static_cast<double>(q.x), static_cast<double>(q.y), static_cast<double>(q.z)};
        return hiding.IsPointHidden(d);
    };
    // A vertical segment through the surface: its lower half is hidden from above.
    const double a[3] = {0.2, 0.2, -0.9}, b[3] = {0.25, 0.2, 0.9};
    DrawSegment3D(out, view3, {a[0], a[1], a[2]}, {b[0], b[1], b[2]}, 100, hidden);
    ASSERT_EQ(out.Ops().size(), 1u);
    const DrawOp& run = out.Ops()[0];
    // Points below the surface are hidden, except the ones within the tolerance of it.
    EXPECT_GE(run.points.size(), 52u);
    EXPECT_LE(run.points.size(), 60u);
    double bu, bv;
    p.Project(b[0], b[1], b[2], bu, bv);
    EXPECT_NEAR(static_cast<double>(run.points.back().x), bu, 1e-12);
    EXPECT_NEAR(static_cast<double>(run.points.back().y), bv, 1e-12);
}

}  // namespace
}  // namespace curvelo
