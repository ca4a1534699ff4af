#include "plot3d/view3d.h"

#include <gtest/gtest.h>

#include <array>
#include <cmath>

#include "plot3d/rotation_playback.h"

namespace curvelo {
namespace {

long double Elevation(const View3D& v) {
    const Vec3 d = v.eye - v.centre;
    return std::atan(d.z / std::sqrt(d.x * d.x + d.y * d.y));
}

void ExpectNear(const Vec3& a, const Vec3& b, long double tol) {
    EXPECT_NEAR(static_cast<double>(a.x), static_cast<double>(b.x), static_cast<double>(tol));
    EXPECT_NEAR(static_cast<double>(a.y), static_cast<double>(b.y), static_cast<double>(tol));
    EXPECT_NEAR(static_cast<double>(a.z), static_cast<double>(b.z), static_cast<double>(tol));
}

TEST(View3DProjection, CentreAndPerpendicularLine) {
    View3D v;
    EXPECT_EQ(v.eye, (Vec3{60, 80, 60}));
    const WorldPoint c = v.ProjectPoint(v.centre);
    EXPECT_NEAR(static_cast<double>(c.x), 0.0, 1e-15);
    EXPECT_NEAR(static_cast<double>(c.y), 0.0, 1e-15);

    // Horizontal, perpendicular to the line of sight: true size along u, nothing along v.
    const Vec3 d = v.eye - v.centre;
    const long double rho = std::sqrt(d.x * d.x + d.y * d.y);
    const Vec3 side{-d.y / rho, d.x / rho, 0};
    for (long double s : {0.75L, -1.5L, 3.0L}) {
        const WorldPoint p = v.ProjectPoint(v.centre + side * s);
        EXPECT_NEAR(static_cast<double>(p.x), static_cast<double>(s), 1e-12);
        EXPECT_NEAR(static_cast<double>(p.y), 0.0, 1e-12);
    }
    // Up is up, and nearer points grow.
    EXPECT_GT(v.ProjectPoint(v.centre + Vec3{0, 0, 1}).y, 0);
    const long double nearer = v.ProjectPoint(v.centre + side + d * 0.5L).x;
    EXPECT_GT(nearer, 1.0L);
}

TEST(View3DProjection, CubeNormalisationAndKinds) {
    View3D v;
    v.SetCell({0, 0, 0}, {10, 2, 2});
    v.cubeNormalisation = true;
    v.EyeChanged();
    const WorldPoint c = v.ProjectPoint(v.centre);
    EXPECT_NEAR(static_cast<double>(c.x), 0.0, 1e-15);
    EXPECT_NEAR(static_cast<double>(c.y), 0.0, 1e-15);
    // In cube coordinates every cell edge is 1 long, however long it is in the world.
    const WorldPoint a = v.ProjectPoint({0, 1, 1}), b = v.ProjectPoint({10, 1, 1});
    EXPECT_LT(std::hypot(static_cast<double>(b.x - a.x), static_cast<double>(b.y - a.y)), 1.5);

    const WorldPoint k5 = v.ProjectByKind(5, 1, 2, 3, 4), k12 = v.ProjectByKind(12, 1, 2, 3, 4);
    EXPECT_EQ(k5.x, 3);
    EXPECT_EQ(k5.y, 1);
    EXPECT_EQ(k12.x, 4);
    EXPECT_EQ(k12.y, 3);
    EXPECT_EQ(v.ProjectByKind(7, 1, 1, 1, 0).x, v.ProjectPoint({1, 1, 1}).x);
}

TEST(View3DProjection, ScreenMappingRefusesPointsOutsideTheView) {
    View3D v;
    PlotView view;
    view.SetClientSize(400, 300);
    v.FitViewToCell(view, false);
    const ScreenPoint c = v.ProjectToScreen(v.centre, view);
    EXPECT_NEAR(c.x, 200, 1);
    EXPECT_NEAR(c.y, 150, 1);
    EXPECT_EQ(v.ProjectToScreen({500, -300, 0}, view).x, -1);
}

TEST(View3DMoves, RotationsReturnAndTiltNeverReachesTheVertical) {
    View3D v;
    const Vec3 start = v.eye;
    v.Rotate(true);
    EXPECT_NE(v.eye, start);
    EXPECT_EQ(v.eye.z, start.z);
    v.Rotate(false);
    ExpectNear(v.eye, start, 1e-12L);

    v.Tilt(true);
    v.Tilt(false);
    ExpectNear(v.eye, start, 1e-12L);

    View3D flat;
    flat.eye = {60, 80, 1};
    flat.EyeChanged();
    flat.Tilt(true);
    EXPECT_NEAR(static_cast<double>(Elevation(flat)), static_cast<double>(kPi3 / 80), 1e-15);

    long double last = Elevation(v);
    for (int i = 0; i < 2000; ++i) {
        v.Tilt(true);
        const long double e = Elevation(v);
        ASSERT_GE(e, last);
        ASSERT_LT(e, kPi3 / 2);
        last = e;
    }
    // The far side of the horizon: down steps approach straight down without reaching it.
    View3D down;
    for (int i = 0; i < 1000; ++i) down.Tilt(false);
    EXPECT_LT(Elevation(down), -1.5L);
    EXPECT_GT(Elevation(down), -kPi3 / 2);
}

TEST(View3DMoves, RotationAboutOriginKeepsTheEyesDistanceFromTheOrigin) {
    View3D v;
    v.rotateAboutOrigin = true;
    const long double before = std::hypot(static_cast<double>(v.eye.x), static_cast<double>(v.eye.y));
    v.Rotate(true);
    EXPECT_NEAR(std::hypot(static_cast<double>(v.eye.x), static_cast<double>(v.eye.y)),
                static_cast<double>(before), 1e-9);
}

TEST(View3DMoves, ApproachMoveAwayInfinityIsometric) {
    View3D v;
    const Vec3 start = v.eye;
    ASSERT_TRUE(v.Approach());
    EXPECT_EQ(v.eye, (start + v.centre) * 0.5L);
    // Eventually the midpoint falls over the cell's base and the eye stays.
    int accepted = 0;
    for (int i = 0; i < 100 && v.Approach(); ++i) ++accepted;
    EXPECT_LT(accepted, 100);
    const Vec3 stuck = v.eye;
    EXPECT_FALSE(v.Approach());
    EXPECT_EQ(v.eye, stuck);

    v.eye = start;
    v.MoveAway();
    ExpectNear(v.eye - v.centre, (start - v.centre) * 2, 1e-12L);
    for (int i = 0; i < 200; ++i) v.MoveAway();
    EXPECT_LE((v.eye - v.centre).L1(), 10000 * v.CellDiagonalL1());
    EXPECT_FALSE(v.OverCellBase(v.eye.x, v.eye.y));

    v.eye = start;
    ASSERT_TRUE(v.FromInfinity());
    const Vec3 d = v.eye - v.centre, d0 = start - v.centre;
    EXPECT_NEAR(std::sqrt(static_cast<double>(d.Dot(d))), 6000.0, 1e-9);
    EXPECT_NEAR(static_cast<double>(d.x / d.y), static_cast<double>(d0.x / d0.y), 1e-12);
    v.eye = v.centre;
    EXPECT_FALSE(v.FromInfinity());

    v.Isometric();
    EXPECT_EQ(v.eye, (Vec3{48000, 48000, 48000}));
}

TEST(View3DMoves, ObserverEyeChecksAndSphericalForm) {
    View3D v;
    EXPECT_EQ(v.CheckEye({1, 1, 50}), kMsgTooClose);
    EXPECT_EQ(v.CheckEye({2, 2, -5}), kMsgTooClose);  // the border counts as over the cell
    EXPECT_EQ(v.CheckEye({70000, 0, 0}), kMsgTooFar);
    EXPECT_EQ(v.CheckEye({NAN, 0, 0}), kMsgTooFar);
    EXPECT_EQ(v.CheckEye({10, 20, 30}), 0);

    const Vec3 eye{60, 80, 60};
    const Spherical s = ToSpherical(eye);
    EXPECT_NEAR(static_cast<double>(s.rho), std::sqrt(60.0 * 60 + 80 * 80 + 60 * 60), 1e-12);
    Vec3 back;
    ASSERT_TRUE(FromSpherical(s, &back));
    ExpectNear(back, eye, 1e-12L);
    EXPECT_NEAR(static_cast<double>(ToSpherical({0, -3, 1}).theta), -kPi3 / 2, 1e-15);
    EXPECT_FALSE(FromSpherical({1, 6e18L, 0}, &back));
}

TEST(View3DRotation, FramesMakeOneFullTurnAndCountsAreBounded) {
    for (int n : {2, 7, 30, 200}) {
        View3D v;
        v.rotationStep = View3D::FullTurnStep(n);
        const Vec3 start = v.eye;
        for (int k = 1; k <= n; ++k) {
            v.Rotate(false);
            if (k == n / 2 && n > 2) {
                EXPECT_GT((v.eye - start).L1(), 1);
            }
        }
        ExpectNear(v.eye, start, 1e-9L);
    }
    View3D v;
    EXPECT_EQ(v.SetRotationFrames(1), 17);
    EXPECT_EQ(v.SetRotationFrames(201), 17);
    EXPECT_EQ(v.rotationFrames, 30);
    EXPECT_EQ(v.SetRotationFrames(2), 0);
    EXPECT_EQ(v.SetRotationFrames(200), 0);
    EXPECT_EQ(v.rotationFrames, 200);
}

TEST(View3DRotation, PlaybackKeys) {
    RotationPlayback p(3, 150);
    p.Advance();
    p.Advance();
    p.Advance();
    EXPECT_EQ(p.Frame(), 0);
    EXPECT_TRUE(p.Key(' '));
    p.Advance();
    EXPECT_EQ(p.Frame(), 2);
    p.Key('S');
    EXPECT_EQ(p.DelayMs(), 155);
    RotationPlayback fast(3, 5);
    fast.Key('F');
    EXPECT_EQ(fast.DelayMs(), 5);
    EXPECT_FALSE(p.Key('Q'));
}

TEST(View3DCell, AutomaticCellAndFit) {
    View3D v;
    EXPECT_FALSE(v.SetCellFromBoxes({}));
    const std::array<Box3, 2> same{Box3{{0, 0, 0}, {2, 2, 2}}, Box3{{0.5L, 0.5L, 0.5L}, {1, 1, 1}}};
    EXPECT_FALSE(v.SetCellFromBoxes(same));

    const std::array<Box3, 3> boxes{Box3{{-3, -1, 4}, {3, 1, 4}}, Box3{{0, 0, 4}, {5, 2, 4}},
                                    Box3{{NAN, 0, 0}, {1, 1, 1}}};
    ASSERT_TRUE(v.SetCellFromBoxes(boxes));
    EXPECT_EQ(v.cellMin, (Vec3{-3, -1, 4}));
    EXPECT_EQ(v.cellMax, (Vec3{5, 2, 5}));  // a flat z extent becomes 1
    EXPECT_EQ(v.centre, (Vec3{1, 0.5L, 4.5L}));
    EXPECT_NEAR(static_cast<double>(v.visibilityTolerance), 0.011, 1e-15);
    EXPECT_FALSE(v.OverCellBase(v.eye.x, v.eye.y));
    const WorldPoint c = v.ProjectPoint(v.centre);
    EXPECT_NEAR(static_cast<double>(c.x), 0.0, 1e-12);

    PlotView view;
    view.SetClientSize(300, 600);
    v.FitViewToCell(view, true);
    EXPECT_FALSE(view.HasHistory());
    for (int corner = 0; corner < 8; ++corner) {
        const Vec3 p{(corner & 1) ? v.axisMax.x : v.axisMin.x, (corner & 2) ? v.axisMax.y : v.axisMin.y,
                     (corner & 4) ? v.axisMax.z : v.axisMin.z};
        EXPECT_NE(v.ProjectToScreen(p, view).x, -1) << corner;
    }
}

TEST(View3DCell, AxisBoxFollowsTheCellUntilFixed) {
    View3D v;
    v.SetCell({-2, 1, -4}, {3, 5, -1});
    v.UpdateAxisBox();
    ExpectNear(v.axisMin, {-2.6L, -1, -5.2L}, 1e-15L);
    ExpectNear(v.axisMax, {3.9L, 6.5L, 1}, 1e-15L);

    EXPECT_EQ(v.SetAxisBox({0, 0, 0}, {1, 0, 1}, true), 6);
    EXPECT_EQ(v.SetAxisBox({0, 0, 0}, {1, 1, -1}, true), 6);
    EXPECT_EQ(v.SetAxisBox({0, 0, 0}, {1e200L, 1, 1}, true), 17);
    EXPECT_FALSE(v.axisLengthsFixed);
    EXPECT_EQ(v.SetAxisBox({-1, -1, -1}, {1, 1, 1}, true), 0);
    EXPECT_EQ(v.SetAxisBox({-1, -1, -1}, {1, 1, 1}, true), -1);
    v.SetCell({0, 0, 0}, {9, 9, 9});
    v.UpdateAxisBox();
    EXPECT_EQ(v.axisMax, (Vec3{1, 1, 1}));
}

}  // namespace
}  // namespace curvelo
