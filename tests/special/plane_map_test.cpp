#include <gtest/gtest.h>

#include <cmath>

#include "plot2d/example_kinds.h"
#include "special/map_curves.h"
#include "special/map_document.h"
#include "special/plane_map.h"

using namespace curvelo;

TEST(PlaneMap, TheLineXEqualsOneUnderZSquaredIsAParabola) {
    PlaneMap map(true);  // F(z) = z^2 to begin with
    MapGrid unit;
    unit.spacing = 1;
    unit.xmin = unit.ymin = -2;
    unit.xmax = unit.ymax = 2;
    const auto pieces = map.MapSegment({1, -2}, {1, 2});
    ASSERT_EQ(pieces.size(), 1u);
    ASSERT_EQ(pieces[0].size(), static_cast<std::size_t>(kGridLineSamples + 1));
    for (const WorldPoint& w : pieces[0]) EXPECT_NEAR(static_cast<double>(w.x), static_cast<double>(1 - w.y * w.y / 4), 1e-12);
    // Five vertical and five horizontal lines, each one unbroken image.
    EXPECT_EQ(map.MapGridLines(unit, true).size(), 5u);
    EXPECT_EQ(map.MapGridLines(unit, false).size(), 5u);
    // y = 0 maps onto the non-negative real axis.
    const auto axis = map.MapSegment({-2, 0}, {2, 0});
    ASSERT_EQ(axis.size(), 1u);
    for (const WorldPoint& w : axis[0]) {
        EXPECT_GE(w.x, 0);
        EXPECT_NEAR(static_cast<double>(w.y), 0, 1e-15);
    }
}

TEST(PlaneMap, RealMapsAndUndefinedPointsBreakTheImage) {
    PlaneMap real(false);  // (x + y, x - y)
    WorldPoint w;
    ASSERT_TRUE(real.Map(2, 0.5L, w));
    EXPECT_EQ(w.x, 2.5L);
    EXPECT_EQ(w.y, 1.5L);
    EXPECT_EQ(real.SetFormulas({"x*y", "sqrt(x)"}), 0);
    // sqrt(x) is undefined left of the axis: the image of y = 1 from -1 to 1 starts at x = 0.
    const auto pieces = real.MapSegment({-1, 1}, {1, 1});
    ASSERT_EQ(pieces.size(), 1u);
    EXPECT_NEAR(static_cast<double>(pieces[0].front().x), 0, 1e-12);
    // A formula that does not compile keeps the map.
    EXPECT_NE(real.SetFormulas({"x+*y", "x"}), 0);
    EXPECT_EQ(real.Formulas()[0], "x*y");

    PlaneMap inverse(true);
    ASSERT_EQ(inverse.SetFormulas({"1/z", ""}), 0);
    EXPECT_EQ(inverse.MapSegment({-1, 0}, {1, 0}).size(), 2u);  // broken at z = 0
}

TEST(PlaneMap, GridsWithTooManyLinesOrNoExtentAreRefused) {
    MapGrid g;
    EXPECT_TRUE(g.Valid());
    EXPECT_EQ(g.Lines(true).size(), 9u);  // -2, -1.5, ..., 2
    for (MapGrid bad : {MapGrid{0, -2, 2, -2, 2}, MapGrid{0.001L, -2, 2, -2, 2}, MapGrid{1, 2, -2, -2, 2},
                        MapGrid{std::nanl(""), -2, 2, -2, 2}}) {
        EXPECT_FALSE(bad.Valid());
        EXPECT_TRUE(bad.Lines(true).empty());
    }
}

TEST(MapDocuments, RoundTripAndRefuseWhatIsNotTheirs) {
    MapDocument d;
    d.complexPlane = true;
    d.domain = {1, -1, 3, 2};
    d.range = {0, 0, 8, 8};
    d.grid = {0.25L, -1, 1, 0, 2};
    d.formulas = {"exp(z)", ""};
    const std::vector<std::uint8_t> bytes = WriteMapDocument(d);
    MapDocument back;
    ASSERT_TRUE(ReadMapDocument(bytes, true, back));
    EXPECT_EQ(back.domain, d.domain);
    EXPECT_EQ(back.range, d.range);
    EXPECT_EQ(back.grid.spacing, 0.25L);
    EXPECT_EQ(back.grid.ymax, 2);
    EXPECT_EQ(back.formulas, d.formulas);
    EXPECT_FALSE(ReadMapDocument(bytes, false, back));  // a .maz is not a .ma2
    for (std::size_t cut = 0; cut < bytes.size(); cut += 7)
        EXPECT_FALSE(ReadMapDocument(std::vector<std::uint8_t>(bytes.begin(), bytes.begin() + cut), true, back));
    MapDocument bad = d;
    bad.grid.spacing = 0;
    EXPECT_FALSE(ReadMapDocument(WriteMapDocument(bad), true, back));
    bad = d;
    bad.domain.hw = -1;
    EXPECT_FALSE(ReadMapDocument(WriteMapDocument(bad), true, back));
    EXPECT_EQ(back.formulas, d.formulas);  // left as the good read put it
}

TEST(PlaneMap, CurvesAreSampledOverTheirRangeAndBreakWhereUndefined) {
    FormulaEngine engine;
    InventorySlot hyperbola;
    hyperbola.example = NewExample(kKindExplicit, -1, 1, 6);
    ASSERT_EQ(engine.CompileFormula("1/x"), 0);
    hyperbola.trees[1] = engine.TakeCompiledTree();
    const std::vector<WorldPoint> points = SampleCurve(engine.letters, hyperbola);
    ASSERT_EQ(points.size(), static_cast<std::size_t>(kCurveSamples + 1));
    EXPECT_TRUE(std::isnan(points[kCurveSamples / 2].x));  // x = 0
    PlaneMap z2(true);
    const auto image = z2.MapPoints(points);
    EXPECT_EQ(image.size(), 2u);
    // The image of a point of the hyperbola under z^2: (x^2 - 1/x^2, 2).
    EXPECT_NEAR(static_cast<double>(image[1].back().x), 0.0, 1e-12);
    EXPECT_NEAR(static_cast<double>(image[1].back().y), 2.0, 1e-12);
    hyperbola.example.visible = 0;
    EXPECT_TRUE(SampleCurve(engine.letters, hyperbola).empty());
    FreeTree(hyperbola.trees[1]);
}
