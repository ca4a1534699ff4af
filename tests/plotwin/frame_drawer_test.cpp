#include "plotwin/frame_drawer.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <cmath>

#include "plotwin/colour_table.h"
#include "plotwin/recording_surface.h"

namespace curvelo {
namespace {

constexpr Rgb kBlack{0, 0, 0};
constexpr Rgb kRed{255, 0, 0};

class FrameDrawerTest : public ::testing::Test {
protected:
    FrameDrawerTest() {
        view.SetClientSize(400, 300);
        view.ApplyView();
        s.axesShown = 1;
        s.UpdateDerived(view);
    }
    std::vector<DrawOp> Draw(const FrameOutput& out = {}) {
        RecordingSurface surface(view);
        DrawFrame(surface, s, out);
        EXPECT_EQ(surface.SaveDepth(), 0);
        return surface.Ops();
    }
    static bool IsHorizontal(const DrawOp& op) {
        return op.kind == DrawOp::kSegment && op.points[0].y == op.points[1].y;
    }
    static bool IsVertical(const DrawOp& op) {
        return op.kind == DrawOp::kSegment && op.points[0].x == op.points[1].x;
    }
    PlotView view;
    FrameSettings s;
};

TEST_F(FrameDrawerTest, NothingSwitchedOnDrawsNothing) {
    s.axesShown = 0;
    EXPECT_TRUE(Draw().empty());
    s.gridFlags = kGridQuadrant1 | kGridDotted;  // quadrants and style alone draw nothing
    EXPECT_TRUE(Draw().empty());
}

TEST_F(FrameDrawerTest, AxesWithTicksInTheirOrder) {
    const auto ops = Draw();
    // x axis, 11 ticks, y axis, 9 ticks (-3..3 plus nothing beyond 3.75).
    ASSERT_EQ(ops.size(), 1u + 11u + 1u + 7u);
    EXPECT_TRUE(IsHorizontal(ops[0]));
    EXPECT_EQ(ops[0].points[0].x, -5);
    EXPECT_NEAR(static_cast<double>(ops[0].points[1].x), 5 - 0.002 * 5, 1e-15);
    EXPECT_TRUE(IsVertical(ops[1]));
    EXPECT_EQ(ops[1].points[0].x, -5);
    EXPECT_EQ(ops[11].points[0].x, 5);  // the tick exactly at xmax
    EXPECT_NEAR(static_cast<double>(ops[11].points[1].y - ops[11].points[0].y), 10 * 0.025, 1e-15);
    EXPECT_TRUE(IsVertical(ops[12]));
    EXPECT_EQ(ops[12].points[0].y, view.ymin);
    for (const auto& op : ops) EXPECT_EQ(op.pen, kBlack);
}

TEST_F(FrameDrawerTest, GridComesFirstAndUsesItsOwnPen) {
    s.gridFlags = kGridSquare | 15 | kGridDotted;
    s.gridColour = 21;
    s.gridPoints = 1;
    s.numberFlags = kNumbersX | kNumbersY;
    s.axisTitlesShown = 1;
    const auto ops = Draw();
    const auto firstAxis = std::find_if(ops.begin(), ops.end(), [](const DrawOp& op) {
        return op.kind == DrawOp::kSegment && op.style == LineStyle::kSolid;
    });
    ASSERT_NE(firstAxis, ops.end());
    // 11 vertical and 9 horizontal grid lines, then dots; all before the axes.
    int lines = 0, dots = 0;
    for (auto it = ops.begin(); it != firstAxis; ++it) {
        EXPECT_EQ(it->pen, ColourOf(21));
        EXPECT_EQ(it->style, LineStyle::kDotted);
        lines += it->kind == DrawOp::kSegment;
        dots += it->kind == DrawOp::kDot;
    }
    EXPECT_EQ(lines, 11 + 7);
    EXPECT_EQ(dots, 11 * 7);
    // Numbers of x before the y axis, titles last.
    const auto yAxis = std::find_if(firstAxis + 1, ops.end(), [](const DrawOp& op) {
        return op.kind == DrawOp::kSegment && op.points[0].x == 0 && op.points[1].x == 0 &&
               op.points[1].y - op.points[0].y > 1;
    });
    ASSERT_NE(yAxis, ops.end());
    EXPECT_TRUE(std::any_of(firstAxis, yAxis, [](const DrawOp& op) {
        return op.kind == DrawOp::kLabel && op.role == LabelRole::kNumberX && op.text == "-5.0";
    }));
    EXPECT_TRUE(std::none_of(firstAxis, yAxis, [](const DrawOp& op) {
        return op.kind == DrawOp::kLabel && op.text == "0.0";  // left to the y axis
    }));
    ASSERT_EQ(ops.back().role, LabelRole::kAxisTitle);
    EXPECT_EQ(ops.back().text, "y");
    EXPECT_EQ(ops.back().font, kFontAxisTitles);
    EXPECT_EQ(ops[ops.size() - 2].text, "x");
}

TEST_F(FrameDrawerTest, GridColourEqualToTheBackgroundIsBlack) {
    s.gridFlags = kGridSquare | 15;
    s.gridColour = 3;
    FrameOutput out;
    out.backgroundIndex = 3;
    EXPECT_EQ(EffectiveGridColour(s, out), kColourBlack);
    EXPECT_EQ(Draw(out).front().pen, kBlack);
    out.backgroundIndex = -1;
    out.measuredBackground = ColourOf(3);
    EXPECT_EQ(EffectiveGridColour(s, out), kColourBlack);
    out.measuredBackground = {1, 2, 3};
    EXPECT_EQ(EffectiveGridColour(s, out), 3);
}

TEST_F(FrameDrawerTest, BlackAndWhitePrintingDrawsARedAxisBlackWithThePrintWidth) {
    s.axisColour = 4;
    EXPECT_EQ(Draw().front().pen, kRed);
    EXPECT_EQ(Draw().front().penWidth, 1);
    FrameOutput out;
    out.printing = true;
    out.colourOutput = false;
    const auto ops = Draw(out);
    EXPECT_EQ(ops.front().pen, kBlack);
    EXPECT_EQ(ops.front().penWidth, 2);
    out.colourOutput = true;
    EXPECT_EQ(Draw(out).front().pen, kRed);
}

TEST_F(FrameDrawerTest, QuadrantGridAndHalfAxes) {
    s.gridFlags = kGridSquare | kGridQuadrant1;  // value 17: only the non-negative halves
    const auto ops = Draw();
    for (const auto& op : ops) {
        if (op.kind != DrawOp::kSegment) continue;
        EXPECT_GE(op.points[0].x, -s.halfTickX - 1e-15L);
        EXPECT_GE(op.points[0].y, -s.halfTickY - 1e-15L);
    }
    s.gridFlags = kGridSquare | kGridQuadrant2 | kGridQuadrant4;
    for (const auto& op : Draw()) {
        if (op.style != LineStyle::kSolid || op.pen != ColourOf(s.gridColour)) continue;
        if (IsVertical(op) && op.points[0].x > 0) {
            EXPECT_LE(op.points[1].y, 0);
        }
        if (IsVertical(op) && op.points[0].x < 0) {
            EXPECT_GE(op.points[0].y, 0);
        }
    }
}

TEST_F(FrameDrawerTest, PolarAxisIsTheRightHalfOnly) {
    s.axesMode = kAxesPolar;
    s.gridFlags = kGridPolar;
    s.polarSectors = 4;
    const auto ops = Draw();
    const auto axis = std::find_if(ops.begin(), ops.end(), [&](const DrawOp& op) {
        return op.pen == ColourOf(s.axisColour) && IsHorizontal(op);
    });
    ASSERT_NE(axis, ops.end());
    EXPECT_EQ(axis->points[0].x, 0);
    for (const auto& op : ops)
        if (op.kind == DrawOp::kSegment) {
            EXPECT_TRUE(view.InView(op.points[0].x, op.points[0].y));
            EXPECT_TRUE(view.InView(op.points[1].x, op.points[1].y));
        }
    EXPECT_TRUE(std::none_of(ops.begin(), ops.end(), [](const DrawOp& op) {
        return op.kind == DrawOp::kSegment && op.points[0].x == 0 && op.points[1].x == 0 &&
               op.points[1].y - op.points[0].y > 7;  // no y axis in polar mode
    }));
}

TEST_F(FrameDrawerTest, ArrowheadsSolidAndOpen) {
    s.arrows = 1;
    auto ops = Draw();
    const long double xe = 5 - 0.002L * 5;
    const auto barbs = std::count_if(ops.begin(), ops.end(), [&](const DrawOp& op) {
        return op.kind == DrawOp::kSegment && op.points[0].x == xe && op.points[0].y == 0 &&
               std::fabs(op.points[1].x - (xe - 7 * view.upx)) < 1e-12L;
    });
    EXPECT_EQ(barbs, 2);
    s.solidArrows = 1;
    s.axisColour = 6;
    ops = Draw();
    const auto n = std::count_if(ops.begin(), ops.end(), [](const DrawOp& op) { return op.kind == DrawOp::kPolygon; });
    EXPECT_EQ(n, 2);
    for (const auto& op : ops)
        if (op.kind == DrawOp::kPolygon) {
            EXPECT_EQ(op.brush, ColourOf(6));
        }
}

TEST_F(FrameDrawerTest, NumbersAtTheEdgeWithLongMinusAndFrequency) {
    view.SetViewSquare(0, 20, 5);  // the x axis is off screen
    s.UpdateDerived(view);
    s.numberFlags = kNumbersX;
    const auto hidden = Draw();
    EXPECT_TRUE(std::none_of(hidden.begin(), hidden.end(), [](const DrawOp& op) { return op.kind == DrawOp::kLabel; }));
    s.numberFlags = kNumbersX | kNumbersAtEdge;
    s.frequencyX = 2;
    s.longMinus = 1;
    s.decimalsX = 0;
    s.labelBackground = kLabelsTransparent;
    std::vector<std::string> texts;
    for (const auto& op : Draw())
        if (op.kind == DrawOp::kLabel) {
            texts.push_back(op.text);
            EXPECT_EQ(op.points[0].y, view.ymin);
            EXPECT_EQ(op.b, 1);
            EXPECT_FALSE(op.opaque);
        }
    const std::vector<std::string> want{"\u20134", "\u20132", "0", "2", "4"};
    EXPECT_EQ(texts, want);
}

TEST_F(FrameDrawerTest, PolarCirclesFarFromTheOriginAreDrawnAsVisibleArcs) {
    view.SetViewSquare(100, 0, 1);
    s.UpdateDerived(view);
    s.axesShown = 0;
    s.gridFlags = kGridPolar;
    const auto ops = Draw();
    ASSERT_FALSE(ops.empty());
    bool crossesAxisAt100 = false;
    for (const auto& op : ops) {
        ASSERT_EQ(op.kind, DrawOp::kSegment);
        EXPECT_TRUE(view.InView(op.points[0].x, op.points[0].y));
        EXPECT_TRUE(view.InView(op.points[1].x, op.points[1].y));
        const WorldPoint a = op.points[0], b = op.points[1];
        if ((a.y <= 0) != (b.y <= 0) && std::fabs(a.x - 100) < 1e-3L) crossesAxisAt100 = true;
        // Pieces of a circle stay on it: a short chord of radius about 100.
        const long double r = std::hypot(a.x, a.y);
        if (std::fabs(r - std::round(r)) < 1e-9L) {
            EXPECT_LT(std::hypot(b.x - a.x, b.y - a.y), 0.2L);
        }
    }
    EXPECT_TRUE(crossesAxisAt100);
}

TEST_F(FrameDrawerTest, FarFromTheOriginEveryGridAndTickLoopEnds) {
    // Once a counter passes 2^64, adding 1 no longer changes it: counted loops must end.
    s.gridFlags = kGridPolar | kGridSquare | 0xF;
    s.gridPoints = 1;
    s.numberFlags = kNumbersX | kNumbersY;
    const WorldPoint centres[] = {{1e20L, 0}, {0, 1e20L}, {-1e20L, -1e20L}, {1e200L, 3}, {1e20L, 1e20L}};
    int drawn = 0;
    for (const WorldPoint& c : centres) {
        for (long double half : {5.0L, 1e-3L}) {
            if (!view.SetViewSquare(c.x, c.y, half)) continue;
            ++drawn;
            s.spacingX = s.spacingY = 1;
            s.ticks = 1;
            s.UpdateDerived(view);
            const auto start = std::chrono::steady_clock::now();
            const auto ops = Draw();
            EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(2)) << double(c.x);
            // At most 401 circles of 2000 pieces and 360 sectors, besides the ticks.
            EXPECT_LT(ops.size(), 401u * 2000u + 360u + 1000u);
        }
    }
    EXPECT_GE(drawn, 4);
}

TEST_F(FrameDrawerTest, DecorationsScaleForFinerDevices) {
    s.UpdateDerived(view, 6);
    EXPECT_NEAR(static_cast<double>(s.halfTickX), 10 * 0.5 * 0.025 * 6, 1e-15);
    EXPECT_NEAR(static_cast<double>(s.arrowY), 7 * 0.025 * 6, 1e-15);
    s.UpdateDerived(view, -1);  // a nonsense scale is ignored
    EXPECT_NEAR(static_cast<double>(s.halfTickX), 10 * 0.5 * 0.025, 1e-15);
}

}  // namespace
}  // namespace curvelo
