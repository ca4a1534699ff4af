// Level curves: the layer grid with its wrap-around, the slice of a surface searched and
// traced as a plane implicit curve, the branches kept in the example and placed back in space.
#include <gtest/gtest.h>

#include <cmath>
#include <vector>

#include "expr/engine.h"
#include "plot2d/curve_sampler.h"
#include "plot2d/inventory.h"
#include "plot3d/layer_curves.h"
#include "plot3d/level_grid.h"
#include "plot3d/surface_commands.h"
#include "plot3d/surface_kinds.h"
#include "plot3d/surface_trees.h"
#include "plotwin/recording_surface.h"

using namespace curvelo;

namespace {

LevelFields Five(long double current) { return {-2, 2, current, 5}; }

TEST(LevelGrid, FiveLayersStepAndWrapBothWays) {
    std::vector<long double> up, down;
    long double v = -2;
    for (int i = 0; i < 5; ++i) up.push_back(v = NextLayer(Five(v)));
    EXPECT_EQ(up, (std::vector<long double>{-1, 0, 1, 2, -2}));
    v = -2;
    for (int i = 0; i < 5; ++i) down.push_back(v = PreviousLayer(Five(v)));
    EXPECT_EQ(down, (std::vector<long double>{2, 1, 0, -1, -2}));
}

TEST(LevelGrid, ValueBetweenLayersMovesToTheGridAboveOrBelow) {
    EXPECT_EQ(NextLayer(Five(0.3L)), 1);
    EXPECT_EQ(PreviousLayer(Five(0.3L)), 0);
    // Just below a layer (within a hundredth of a step) counts as on it.
    EXPECT_EQ(NextLayer(Five(0.995L)), 2);
    EXPECT_EQ(PreviousLayer(Five(1.005L)), 0);
    // Outside the bounds: next takes the lower bound, previous the upper one.
    EXPECT_EQ(NextLayer(Five(7)), -2);
    EXPECT_EQ(NextLayer(Five(-7)), -2);
    EXPECT_EQ(PreviousLayer(Five(-7)), 2);
    EXPECT_EQ(PreviousLayer(Five(7)), 2);
    EXPECT_FALSE(CurrentInside(Five(7)));
    // A step that does not divide exactly still ends on the upper bound.
    LevelFields thirds{0, 1, 0.7L, 4};
    EXPECT_EQ(NextLayer(thirds), 1);
    EXPECT_NEAR(static_cast<double>(PreviousLayer(thirds)), 2.0 / 3, 1e-15);
}

TEST(LevelGrid, FieldsAreRefusedWhenTheyCannotMakeLayers) {
    EXPECT_TRUE(ValidLevelFields(Five(0)));
    EXPECT_FALSE(ValidLevelFields({-2, 2, 0, 1}));  // count 1
    EXPECT_FALSE(ValidLevelFields({-2, 2, 0, 0}));
    EXPECT_FALSE(ValidLevelFields({-2, 2, 0, kMaxLayerCount + 1}));
    EXPECT_FALSE(ValidLevelFields({1, 1, 1, 5}));  // no span
    EXPECT_FALSE(ValidLevelFields({2, -2, 0, 5}));
    EXPECT_FALSE(ValidLevelFields({-2, INFINITY, 0, 5}));

    TExample e;
    StoreLevelFields(e, kLevelAxisY, Five(0));
    EXPECT_EQ(e.saved221[1], -2);
    EXPECT_EQ(e.saved251[1], 2);
    EXPECT_EQ(e.ints111[1], 4);
    const LevelFields back = StoredLevelFields(e, kLevelAxisY, 0.5L);
    EXPECT_EQ(back.count, 5);
    EXPECT_EQ(back.current, 0.5L);
}

class LevelCurves : public ::testing::Test {
protected:
    LevelCurves() { inventory.SetKindCompiler(&CompileSurface); }
    int Add(std::uint16_t kind, const std::string& text) {
        const int i = BeginSurface(inventory, kind);
        inventory.At(i).texts[kind == kKindSurfaceImplicit ? 4 : 2] = text;
        EXPECT_EQ(CommitSurface(inventory, i, engine), 0) << text;
        return i;
    }
    // The space points of the drawn layers.
    std::vector<Vec3> Drawn(int i, const LayerFilter& filter = {}) {
        std::vector<Vec3> points;
        const PlotView view;
        RecordingSurface out(view);
        DrawLayerCurves(inventory.Slot(i), engine.letters, out,
                        [&points](const Vec3& p) {
                            points.push_back(p);
                            return WorldPoint{p.x, p.y};
                        },
                        filter, {});
        return points;
    }
    FormulaEngine engine;
    ExampleInventory inventory;
};

TEST_F(LevelCurves, SphereLayerAtZeroIsTheUnitCircleInItsPlane) {
    const int i = Add(kKindSurfaceImplicit, "xx+yy+zz=1");
    const LayerSearchResult r = SearchLayerCurves(inventory.Slot(i), engine.letters, kLevelAxisZ, 0, {});
    EXPECT_EQ(r.added, 1);
    EXPECT_FALSE(r.stopped);
    const std::vector<Vec3> points = Drawn(i);
    ASSERT_GT(points.size(), 20u);
    long double minX = 9, maxX = -9;
    for (const Vec3& p : points) {
        EXPECT_NEAR(static_cast<double>(std::hypot(p.x, p.y)), 1.0, 2e-3);
        EXPECT_EQ(p.z, 0);
        minX = std::min(minX, p.x);
        maxX = std::max(maxX, p.x);
    }
    EXPECT_LT(minX, -0.99L);  // the whole circle, not an arc
    EXPECT_GT(maxX, 0.99L);

    // Searching the same layer again finds the branch it has and adds nothing.
    EXPECT_EQ(SearchLayerCurves(inventory.Slot(i), engine.letters, kLevelAxisZ, 0, {}).added, 0);
    EXPECT_EQ(inventory.Slot(i).initialConditions.size(), 1u);
}

TEST_F(LevelCurves, LayersOfEachAxisArePlacedBackWithTheirValueAsTheMissingCoordinate) {
    const int i = Add(kKindSurfaceImplicit, "xx+yy+zz=4");
    InventorySlot& slot = inventory.Slot(i);
    for (int axis : {kLevelAxisX, kLevelAxisY})
        EXPECT_EQ(SearchLayerCurves(slot, engine.letters, axis, 1, {}).added, 1);
    // A plane that misses the sphere gives nothing and keeps the list.
    EXPECT_EQ(SearchLayerCurves(slot, engine.letters, kLevelAxisZ, 3, {}).added, 0);
    ASSERT_EQ(DistinctLayers(slot).size(), 2u);

    for (int axis : {kLevelAxisX, kLevelAxisY}) {
        const std::vector<Vec3> points = Drawn(i, {false, axis, 1});
        ASSERT_FALSE(points.empty());
        for (const Vec3& p : points) {
            EXPECT_EQ(axis == kLevelAxisX ? p.x : p.y, 1);
            EXPECT_NEAR(static_cast<double>(p.x * p.x + p.y * p.y + p.z * p.z), 4.0, 1e-2);
        }
    }
    for (int axis : {0, 1, 2}) {
        const Vec3 p = PlaceBack(axis, 7, PlaneOf(axis, {1, 2, 3}));
        EXPECT_EQ(axis == 0 ? p.x : axis == 1 ? p.y : p.z, 7);
        const WorldPoint a = PlaneOf(axis, p), b = PlaneOf(axis, {1, 2, 3});
        EXPECT_TRUE(a.x == b.x && a.y == b.y);
    }
}

TEST_F(LevelCurves, ExplicitSurfaceGetsContourLinesOnly) {
    const int i = Add(kKindSurfaceExplicit, "xx+yy");
    EXPECT_TRUE(TakesLayerAxis(kKindSurfaceExplicit, kLevelAxisZ));
    EXPECT_FALSE(TakesLayerAxis(kKindSurfaceExplicit, kLevelAxisX));
    EXPECT_FALSE(TakesLayers(kKindSurfaceParametric));
    EXPECT_EQ(SearchLayerCurves(inventory.Slot(i), engine.letters, kLevelAxisZ, 2, {}).added, 1);
    for (const Vec3& p : Drawn(i)) {
        EXPECT_NEAR(static_cast<double>(p.x * p.x + p.y * p.y), 2.0, 1e-2);
        EXPECT_EQ(p.z, 2);
    }
}

TEST_F(LevelCurves, QStopsALongSearch) {
    const int i = Add(kKindSurfaceImplicit, "xx+yy+zz=1");
    int polls = 0;
    LayerSearchOptions options;
    options.longSearch = true;
    options.pollKey = [&polls] { return ++polls > 50 ? kKeyStopDrawing : 0; };
    const LayerSearchResult r = SearchLayerCurves(inventory.Slot(i), engine.letters, kLevelAxisZ, 0.5L, options);
    EXPECT_TRUE(r.stopped);
    EXPECT_LT(polls, 200);
}

TEST(LayerNodes, KeepTheirFieldsAndHostileBytesReadAsAUsableCurve) {
    const LayerCurve c{{0.25L, -1.5L}, 0.75L, kLevelAxisY, 9};
    const LayerCurve back = LoadLayerCurve(StoreLayerCurve(c));
    EXPECT_TRUE(back.start.x == c.start.x && back.start.y == c.start.y);
    EXPECT_EQ(back.value, c.value);
    EXPECT_EQ(back.axis, kLevelAxisY);
    EXPECT_EQ(back.colour, 9);

    Cv2InitialCondition junk;
    junk.record.fill(0xFF);
    const LayerCurve j = LoadLayerCurve(junk);
    EXPECT_EQ(j.axis, kLevelAxisZ);
    EXPECT_TRUE(std::isfinite(j.value) && std::isfinite(j.start.x) && std::isfinite(j.start.y));
    EXPECT_LT(j.colour, 25);
}

}  // namespace
