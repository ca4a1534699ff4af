#include "plot3d/axes3d.h"

#include <gtest/gtest.h>

#include <cmath>

#include "plotwin/recording_surface.h"

namespace curvelo {
namespace {

class Axes3DTest : public ::testing::Test {
protected:
    Axes3DTest() {
        view.SetClientSize(400, 300);
        space.FitViewToCell(view, true);
    }
    PlotView view;
    View3D space;
    RecordingSurface surface{view};
};

TEST_F(Axes3DTest, SegmentsBehindTheEyeAreCutAndHiddenPiecesLeftOut) {
    DrawSegment3D(surface, space, {0, 0, 0}, {2, 0, 0}, 10, {});
    ASSERT_EQ(surface.Ops().size(), 1u);
    EXPECT_EQ(surface.Ops()[0].kind, DrawOp::kSegment);
    EXPECT_NEAR(static_cast<double>(surface.Ops()[0].points[1].x), static_cast<double>(space.ProjectPoint({2, 0, 0}).x), 1e-12);

    // Wholly behind the eye: nothing. Through the eye's plane: only the part in front.
    surface.Clear();
    const Vec3 away = space.eye + (space.eye - space.centre);
    DrawSegment3D(surface, space, away, away + Vec3{1, 0, 0}, 10, {});
    EXPECT_TRUE(surface.Ops().empty());
    DrawSegment3D(surface, space, space.centre, away, 10, {});
    ASSERT_EQ(surface.Ops().size(), 1u);
    for (const WorldPoint& p : surface.Ops()[0].points) EXPECT_TRUE(std::isfinite(p.x) && std::isfinite(p.y));

    // The middle third is hidden: two visible runs.
    surface.Clear();
    DrawSegment3D(surface, space, {0, 0, 0}, {3, 0, 0}, 30, [](const Vec3& p) { return p.x > 1.05L && p.x < 1.95L; });
    ASSERT_EQ(surface.Ops().size(), 2u);
    EXPECT_EQ(surface.Ops()[0].kind, DrawOp::kPolyline);
    EXPECT_EQ(surface.Ops()[0].points.size(), 11u);
    EXPECT_EQ(surface.Ops()[1].points.size(), 11u);
}

TEST_F(Axes3DTest, AxesStickOutOfTheCellAndTheCellHasTwelveEdges) {
    FrameSettings frame;
    frame.axisTitlesShown = 1;
    Axes3DLook look;
    DrawAxes3D(surface, space, frame, look, {});
    int segments = 0, labels = 0;
    for (const DrawOp& op : surface.Ops()) {
        segments += op.kind == DrawOp::kSegment;
        labels += op.kind == DrawOp::kLabel;
    }
    EXPECT_EQ(segments, 3);
    EXPECT_EQ(labels, 3);
    EXPECT_EQ(space.axisMax, (Vec3{2.6L, 2.6L, 2.6L}));

    surface.Clear();
    space.cellDashed = true;
    space.cellCoordinatesShown = true;
    DrawCell3D(surface, space, frame, look, {});
    segments = labels = 0;
    for (const DrawOp& op : surface.Ops()) {
        if (op.kind == DrawOp::kSegment) {
            ++segments;
            EXPECT_EQ(op.style, LineStyle::kDashed);
        }
        labels += op.kind == DrawOp::kLabel;
    }
    EXPECT_EQ(segments, 12);
    EXPECT_EQ(labels, 2);
    // On paper the cell is always solid.
    surface.Clear();
    look.printing = true;
    DrawCell3D(surface, space, frame, look, {});
    EXPECT_EQ(surface.Ops()[0].style, LineStyle::kSolid);
}

}  // namespace
}  // namespace curvelo
