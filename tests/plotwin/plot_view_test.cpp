#include "plotwin/plot_view.h"

#include <gtest/gtest.h>

#include <cmath>

#include "plotwin/to_int.h"

namespace curvelo {
namespace {

struct CountingListener : ViewListener {
    int applied = 0, repaints = 0, modified = 0;
    bool history = false;
    void ViewApplied() override { ++applied; }
    void ViewRepaint() override { ++repaints; }
    void ViewModified() override { ++modified; }
    void ViewHistoryChanged(bool has) override { history = has; }
};

PlotView View400x300() {
    PlotView v;
    v.SetClientSize(400, 300);
    v.ApplyView();
    return v;
}

TEST(ToIntTest, HalvesRoundTowardsZeroAndLargeValuesSaturate) {
    EXPECT_EQ(ToInt(2.5L), 2);
    EXPECT_EQ(ToInt(2.51L), 3);
    EXPECT_EQ(ToInt(-2.5L), -2);
    EXPECT_EQ(ToInt(-2.51L), -3);
    EXPECT_EQ(ToInt(2.49L), 2);
    EXPECT_EQ(ToInt(0.0L), 0);
    EXPECT_EQ(ToInt(1e30L), 2147483647);
    EXPECT_EQ(ToInt(-1e30L), -2147483647);
    EXPECT_EQ(ToInt(__builtin_nanl("")), 0);
    // Halves on both sides of an even integer, and at the top of the range.
    EXPECT_EQ(ToInt(0.5L), 0);
    EXPECT_EQ(ToInt(1.5L), 1);
    EXPECT_EQ(ToInt(3.5L), 3);
    EXPECT_EQ(ToInt(-3.5L), -3);
    EXPECT_EQ(ToInt(2147483646.5L), 2147483646);
    EXPECT_EQ(ToInt(2147483647.0L), 2147483647);
    EXPECT_EQ(ToInt(0.5L - 0x1p-64L), 0);
    EXPECT_EQ(ToInt(0.5L + 0x1p-63L), 1);
    EXPECT_EQ(ToInt(1e-4000L), 0);
    // Against the rule written out with floor, over quarters and odd fractions.
    for (int k = -4000; k <= 4000; ++k) {
        for (long double v : {k * 0.25L, k * 0.37L + 0x1p-40L, k * 1048576.5L}) {
            const long double a = std::fabs(v);
            long double r = std::floor(a);
            if (a - r > 0.5L) r += 1;
            if (r > 2147483647.0L) r = 2147483647.0L;
            const long double expected = v < 0 ? -r : r;
            ASSERT_EQ(ToInt(v), static_cast<int>(expected)) << static_cast<double>(v);
        }
    }
}

TEST(PlotViewTest, InitialViewAndA400x300Client) {
    PlotView fresh;
    EXPECT_EQ(fresh.xmin, -5);
    EXPECT_EQ(fresh.ymax, 5);
    EXPECT_NEAR(static_cast<double>(fresh.ppx), 50, 1e-12);
    EXPECT_FALSE(fresh.HasHistory());

    PlotView v = View400x300();
    EXPECT_NEAR(static_cast<double>(v.hh), 3.75, 1e-15);
    EXPECT_NEAR(static_cast<double>(v.ymin), -3.75, 1e-15);
    EXPECT_NEAR(static_cast<double>(v.ymax), 3.75, 1e-15);
    EXPECT_NEAR(static_cast<double>(v.ppx), 40, 1e-12);
    EXPECT_NEAR(static_cast<double>(v.ppy), 40, 1e-12);
}

TEST(PlotViewTest, MappingAtAndBeyondTheEdges) {
    PlotView v = View400x300();
    int px = 0, py = 0;
    EXPECT_TRUE(v.MapX(v.xmin, &px));
    EXPECT_EQ(px, 0);
    EXPECT_TRUE(v.MapX(v.xmax, &px));
    EXPECT_EQ(px, 400);
    EXPECT_FALSE(v.MapX(5.1L, &px));
    EXPECT_EQ(px, 401);
    EXPECT_FALSE(v.MapX(-7, &px));
    EXPECT_EQ(px, -1);
    EXPECT_TRUE(v.MapY(v.ymax, &py));
    EXPECT_EQ(py, 0);
    EXPECT_TRUE(v.MapY(0, &py));
    EXPECT_EQ(py, 150);
    EXPECT_FALSE(v.MapY(-4, &py));
    EXPECT_EQ(py, 301);
    EXPECT_EQ(v.ToPixelX(1e300L), 401);
    EXPECT_EQ(v.ToPixelY(1e300L), -1);
    EXPECT_FALSE(v.MapX(__builtin_nanl(""), &px));

    // A printer origin shifts the pixels that lie inside only.
    v.ApplyViewTo(400, 300, 100, 50);
    EXPECT_TRUE(v.MapX(0, &px));
    EXPECT_EQ(px, 300);
    EXPECT_EQ(v.ToPixelY(0), 200);
    EXPECT_EQ(v.ToPixelX(9), 401);
}

TEST(PlotViewTest, PixelToWorldRoundTrips) {
    PlotView v = View400x300();
    v.ApplyViewTo(400, 300, 10, 20);
    for (long double x : {-4.9L, -1.0L, 0.0L, 2.375L, 4.99L}) {
        for (long double y : {-3.7L, 0.0L, 1.25L}) {
            const WorldPoint w = v.PixelToWorld(v.ToPixelX(x), v.ToPixelY(y));
            EXPECT_NEAR(static_cast<double>(w.x), static_cast<double>(x), static_cast<double>(v.upx));
            EXPECT_NEAR(static_cast<double>(w.y), static_cast<double>(y), static_cast<double>(v.upy));
        }
    }
}

TEST(PlotViewTest, ResizeKeepsXRangeInEqualUnitsAndEdgesInUnequalUnits) {
    PlotView v = View400x300();
    v.SetClientSize(800, 300);
    v.ApplyView();
    EXPECT_EQ(v.xmax, 5);
    EXPECT_NEAR(static_cast<double>(v.hh), 1.875, 1e-15);  // wider window, less y
    v.SetClientSize(300, 600);
    v.ApplyView();
    EXPECT_NEAR(static_cast<double>(v.hh), 10, 1e-15);
    EXPECT_NEAR(static_cast<double>(v.ppx), static_cast<double>(v.ppy), 1e-12);

    ASSERT_TRUE(v.SetViewFree(0, 0, 2, 8, true));
    v.SetClientSize(500, 100);
    v.ApplyView();
    EXPECT_EQ(v.xmin, -2);
    EXPECT_EQ(v.ymax, 8);
    EXPECT_NEAR(static_cast<double>(v.ppx), 125, 1e-12);
    EXPECT_NEAR(static_cast<double>(v.ppy), 6.25, 1e-12);
    EXPECT_NEAR(static_cast<double>(v.aspect), 20, 1e-12);  // upy / upx
}

TEST(PlotViewTest, ZoomThereAndBackLeavesTwoHistoryEntries) {
    PlotView v = View400x300();
    CountingListener l;
    v.SetListener(&l);
    v.zoomFactor = 2;
    v.Zoom(true);
    EXPECT_NEAR(static_cast<double>(v.hw), 10, 1e-15);
    v.Zoom(false);
    EXPECT_NEAR(static_cast<double>(v.hw), 5, 1e-15);
    EXPECT_NEAR(static_cast<double>(v.hh), 3.75, 1e-15);
    EXPECT_EQ(v.HistorySize(), 2u);
    EXPECT_EQ(l.modified, 2);
    EXPECT_TRUE(l.history);

    EXPECT_TRUE(v.PopView());
    EXPECT_NEAR(static_cast<double>(v.hw), 10, 1e-15);
    EXPECT_TRUE(v.PopView());
    EXPECT_NEAR(static_cast<double>(v.hw), 5, 1e-15);
    EXPECT_FALSE(l.history);
    EXPECT_FALSE(v.PopView());
}

TEST(PlotViewTest, ZoomFactorBelowOneSwapsTheCommands) {
    PlotView v = View400x300();
    v.zoomFactor = 0.5L;
    v.Zoom(true);
    EXPECT_NEAR(static_cast<double>(v.hw), 2.5, 1e-15);  // "out" enlarged the picture
}

TEST(PlotViewTest, ZoomAndPanKeepUnequalUnits) {
    PlotView v = View400x300();
    ASSERT_TRUE(v.SetViewFree(1, 2, 4, 1, true));
    v.Zoom(true);
    EXPECT_EQ(v.unequal, 1);
    EXPECT_NEAR(static_cast<double>(v.hh), 1.01, 1e-15);
    v.panFraction = 0.25L;
    v.Pan(1 * v.panFraction, -v.panFraction);
    EXPECT_NEAR(static_cast<double>(v.cx), 1 + 0.25 * 2 * 4.04, 1e-12);
    EXPECT_NEAR(static_cast<double>(v.cy), 2 - 0.25 * 2 * 1.01, 1e-12);
    EXPECT_NEAR(static_cast<double>(v.hw), 4.04, 1e-12);
}

TEST(PlotViewTest, PanRightMovesTheViewPositively) {
    PlotView v = View400x300();
    v.Pan(v.panFraction, 0);
    EXPECT_NEAR(static_cast<double>(v.cx), 0.1, 1e-15);
    v.Pan(0, -v.panFraction);
    EXPECT_NEAR(static_cast<double>(v.cy), -0.075, 1e-15);
    EXPECT_EQ(v.unequal, 0);
}

TEST(PlotViewTest, MakeSquareOnATallNarrowViewWidensIt) {
    PlotView v = View400x300();
    ASSERT_TRUE(v.SetViewFree(0, 0, 1, 6, true));  // 2 wide, 12 tall in 400 x 300
    const long double oldYmin = v.ymin, oldYmax = v.ymax;
    v.MakeSquare();
    EXPECT_EQ(v.unequal, 0);
    EXPECT_NEAR(static_cast<double>(v.upx), static_cast<double>(v.upy), 1e-15);
    EXPECT_NEAR(static_cast<double>(v.ymin), static_cast<double>(oldYmin), 1e-12);
    EXPECT_NEAR(static_cast<double>(v.ymax), static_cast<double>(oldYmax), 1e-12);
    EXPECT_NEAR(static_cast<double>(v.hw), 8, 1e-12);
}

TEST(PlotViewTest, FreeViewWithEqualUnitsShowsTheWholeRectangle) {
    PlotView v = View400x300();
    ASSERT_TRUE(v.SetViewFree(0, 0, 1, 3, false));
    EXPECT_NEAR(static_cast<double>(v.hh), 3, 1e-15);
    EXPECT_NEAR(static_cast<double>(v.hw), 4, 1e-15);
    ASSERT_TRUE(v.SetViewFree(0, 0, 4, 1, false));
    EXPECT_NEAR(static_cast<double>(v.hw), 4, 1e-15);
}

TEST(PlotViewTest, DegenerateViewsAreRefused) {
    PlotView v = View400x300();
    EXPECT_FALSE(v.SetViewSquare(0, 0, 0));
    EXPECT_FALSE(v.SetViewFree(0, 0, 1, 1e-19L, true));
    EXPECT_FALSE(v.SetViewSquare(__builtin_infl(), 0, 1));
    EXPECT_FALSE(v.HasHistory());
    EXPECT_EQ(v.xmax, 5);
}

TEST(PlotViewTest, ResetEmptiesHistory) {
    PlotView v = View400x300();
    v.SetViewFree(3, 3, 1, 2, true);
    v.ResetView();
    EXPECT_FALSE(v.HasHistory());
    EXPECT_EQ(v.unequal, 0);
    EXPECT_EQ(v.xmin, -5);
    EXPECT_NEAR(static_cast<double>(v.ymin), -3.75, 1e-15);
}

TEST(PlotViewTest, MouseRectangleAndWheel) {
    PlotView v = View400x300();
    EXPECT_FALSE(v.ZoomToPixelRect(10, 10, 12, 100));  // a click
    ASSERT_TRUE(v.ZoomToPixelRect(200, 150, 240, 110));  // (0,0) to (1,1)
    EXPECT_NEAR(static_cast<double>(v.cx), 0.5, 1e-15);
    EXPECT_NEAR(static_cast<double>(v.cy), 0.5, 1e-15);
    EXPECT_GE(v.ymax, 1.0L - 1e-15L);
    EXPECT_EQ(v.unequal, 0);

    PlotView w = View400x300();
    const WorldPoint before = w.PixelToWorld(300, 75);
    w.ZoomAboutPixel(300, 75, 0.5L);
    const WorldPoint after = w.PixelToWorld(300, 75);
    EXPECT_NEAR(static_cast<double>(after.x), static_cast<double>(before.x), 1e-15);
    EXPECT_NEAR(static_cast<double>(after.y), static_cast<double>(before.y), 1e-15);
    EXPECT_NEAR(static_cast<double>(w.hw), 2.5, 1e-15);
}

TEST(PlotViewTest, RandomPointsLieInTheView) {
    PlotView v = View400x300();
    v.SetViewFree(10, -20, 0.5, 3, true);
    for (int i = 0; i < 200; ++i) {
        const WorldPoint p = v.RandomPointInView();
        ASSERT_TRUE(v.InView(p.x, p.y));
    }
}

TEST(PlotViewTest, BrokenStoredViewsFallBackToTheInitialView) {
    PlotView v;
    v.SetClientSize(400, 300);
    v.unequal = 1;
    v.xmin = 2;
    v.xmax = 2;  // an empty rectangle, as a damaged document could hold
    v.ApplyView();
    EXPECT_EQ(v.unequal, 0);
    EXPECT_EQ(v.xmin, -5);
    EXPECT_TRUE(std::isfinite(v.ppx) && std::isfinite(v.ppy));
    v.aspect = -3;
    v.ApplyView();
    EXPECT_EQ(v.aspect, 1);
    EXPECT_NEAR(static_cast<double>(v.hh), 3.75, 1e-15);

    v.zoomFactor = 0;
    v.panFraction = __builtin_nanl("");
    v.NormalizeStoredFactors();
    EXPECT_EQ(v.zoomFactor, kDefaultZoomFactor);
    EXPECT_EQ(v.panFraction, kDefaultPanFraction);
    v.zoomFactor = 0.5L;
    v.NormalizeStoredFactors();
    EXPECT_EQ(v.zoomFactor, 0.5L);
}

TEST(ClipSegmentTest, CasesAroundTheView) {
    PlotView v = View400x300();  // -5..5 x -3.75..3.75, one pixel 0.025
    WorldPoint p{-1, -1}, q{1, 1};
    EXPECT_TRUE(v.ClipSegment(p, q));
    EXPECT_EQ(p.x, -1);  // inside: unchanged

    p = {-10, 0}, q = {10, 0};  // both outside, crossing
    ASSERT_TRUE(v.ClipSegment(p, q));
    EXPECT_NEAR(static_cast<double>(p.x), -4.975, 1e-12);
    EXPECT_NEAR(static_cast<double>(q.x), 4.975, 1e-12);

    p = {-10, 10}, q = {-6, 20};  // both outside, missing
    EXPECT_FALSE(v.ClipSegment(p, q));

    p = {2, -10}, q = {2, 10};  // vertical
    ASSERT_TRUE(v.ClipSegment(p, q));
    EXPECT_EQ(p.x, 2);
    EXPECT_NEAR(static_cast<double>(p.y), -3.725, 1e-12);
    EXPECT_NEAR(static_cast<double>(q.y), 3.725, 1e-12);

    p = {-7, -5.75}, q = {7, 8.25};  // diagonal through a corner region, ends outside
    ASSERT_TRUE(v.ClipSegment(p, q));
    EXPECT_TRUE(v.InView(p.x, p.y));
    EXPECT_TRUE(v.InView(q.x, q.y));

    p = {4.99, 3.74}, q = {6, 6};  // passes outside the shrunk corner only
    EXPECT_FALSE(v.ClipSegment(p, q));

    p = {9, 9}, q = {9, 9};  // degenerate outside
    EXPECT_FALSE(v.ClipSegment(p, q));
    p = {0, 0}, q = {20, 0};  // one end inside
    ASSERT_TRUE(v.ClipSegment(p, q));
    EXPECT_EQ(p.x, 0);
    EXPECT_NEAR(static_cast<double>(q.x), 4.975, 1e-12);

    p = {0, 0}, q = {__builtin_infl(), 0};
    EXPECT_FALSE(v.ClipSegment(p, q));
}

}  // namespace
}  // namespace curvelo
