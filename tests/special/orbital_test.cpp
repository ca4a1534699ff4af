#include <gtest/gtest.h>

#include <cmath>

#include "expr/byte_io.h"
#include "plot2d/example_kinds.h"
#include "plotwin/recording_surface.h"
#include "special/orbital_run.h"

using namespace curvelo;

namespace {

OrbitalBody Body(long double x, long double y, const char* vx, const char* vy, long double mass = 1) {
    OrbitalBody b;
    b.position = {x, y, 0};
    b.velocity = {vx, vy, "0.0"};
    b.mass = mass;
    return b;
}

OrbitalSystem TwoBodies(OrbitalBody a, OrbitalBody b) {
    OrbitalSystem s;
    s.entries = {a, b, OrbitalBody{}};
    UpdateCentreRecord(s, NumberFormat{});
    return s;
}

PlotView ViewOf(long double half) {
    PlotView v;
    v.SetClientSize(600, 600);
    v.SetViewSquare(0, 0, half);
    return v;
}

// The end points of the segments drawn in one colour, in order.
std::vector<WorldPoint> PathOf(const RecordingSurface& surface, std::uint16_t colour) {
    std::vector<WorldPoint> path;
    for (const DrawOp& op : surface.Ops())
        if (op.kind == DrawOp::kSegment && op.pen == ColourOf(colour)) path.push_back(op.points[1]);
    return path;
}

}  // namespace

TEST(OrbitalRun, TwoBodiesWithTheOriginOnOneDrawAClosedEllipseAroundIt) {
    // Relative motion with mu = G (m1 + m2) = 2 from (2, 0) at speed 0.8, below the circular
    // speed 1: an ellipse with its far point at the start, p = h^2 / mu = 1.28, e = 0.36.
    OrbitalSystem s = TwoBodies(Body(0, 0, "0", "0"), Body(2, 0, "0", "0.8"));
    s.entries[0].colour = 4;
    s.entries[1].colour = 6;
    s.entries[2].colour = 8;
    s.originFixed = true;
    s.originIndex = 0;
    s.markers = false;
    s.positions = 4200;  // a little more than one period (7.92)
    const PlotView view = ViewOf(4);
    RecordingSurface surface(view);
    OrbitalSimulation sim;
    const OrbitalRunResult run = RunOrbitalSystem(s, sim, surface, {}, {});
    EXPECT_EQ(run.steps, 4200);
    EXPECT_FALSE(run.closeApproach || run.leftWindow || run.stopped);
    const std::vector<WorldPoint> orbit = PathOf(surface, 6);
    ASSERT_GT(orbit.size(), 4000u);
    long double worst = 0, closestToStartLate = 10;
    for (std::size_t i = 0; i < orbit.size(); ++i) {
        const long double r = std::hypot(orbit[i].x, orbit[i].y);
        const long double cosTheta = orbit[i].x / r;
        worst = std::max(worst, std::fabs(r - 1.28L / (1 - 0.36L * cosTheta)));
        if (i > 3000) closestToStartLate = std::min(closestToStartLate, std::hypot(orbit[i].x - 2, orbit[i].y));
    }
    EXPECT_LT(worst, 0.01L);
    EXPECT_LT(closestToStartLate, 0.01L);  // it comes back: the conic is closed
    // The fixed body stays at the origin: its path is not drawn away from it.
    for (const WorldPoint& p : PathOf(surface, 4)) EXPECT_LT(std::hypot(p.x, p.y), 1e-12L);
}

TEST(OrbitalRun, TheSameStepDrawnLessOftenPassesThroughTheSamePositions) {
    NumberFormat format;
    RandomInts random(7);
    OrbitalSystem coarse = RandomOrbitalSystem(random, format);
    OrbitalSystem fine = coarse;
    coarse.computations = 10;
    coarse.interval = 0.01L;
    coarse.step = coarse.interval / coarse.computations;
    coarse.positions = 50;
    fine.computations = 1;
    fine.interval = 0.001L;
    fine.step = fine.interval / fine.computations;
    fine.positions = 500;
    const PlotView view = ViewOf(5);
    RecordingSurface a(view), b(view);
    OrbitalSimulation simA, simB;
    RunOrbitalSystem(coarse, simA, a, {}, {});
    RunOrbitalSystem(fine, simB, b, {}, {});
    const std::vector<WorldPoint> pa = PathOf(a, coarse.entries[0].colour), pb = PathOf(b, fine.entries[0].colour);
    ASSERT_EQ(pa.size(), 50u);
    ASSERT_EQ(pb.size(), 500u);
    for (std::size_t i = 0; i < pa.size(); ++i) {
        EXPECT_NEAR(static_cast<double>(pa[i].x), static_cast<double>(pb[10 * i + 9].x), 1e-12);
        EXPECT_NEAR(static_cast<double>(pa[i].y), static_cast<double>(pb[10 * i + 9].y), 1e-12);
    }
}

TEST(OrbitalRun, TheBorderEndsTheRunOnlyWhenAsked) {
    // The light body flies off to the right.
    OrbitalSystem s = TwoBodies(Body(0, 0, "0", "0"), Body(1, 0, "50", "0", 0.001L));
    s.positions = 1000;
    s.markers = false;
    const PlotView view = ViewOf(3);
    {
        RecordingSurface surface(view);
        OrbitalSimulation sim;
        const OrbitalRunResult run = RunOrbitalSystem(s, sim, surface, {}, {});
        EXPECT_TRUE(run.leftWindow);
        EXPECT_LT(run.steps, 30);  // x = 1 + 0.1 s leaves x = 3 after about 20 steps
        EXPECT_GT(run.steps, 15);
    }
    s.stopAtBorder = false;
    RecordingSurface surface(view);
    OrbitalSimulation sim;
    const OrbitalRunResult run = RunOrbitalSystem(s, sim, surface, {}, {});
    EXPECT_EQ(run.steps, 1000);
    EXPECT_TRUE(run.leftWindow);
    for (const DrawOp& op : surface.Ops())
        for (const WorldPoint& p : op.points) EXPECT_TRUE(view.InView(p.x, p.y));
}

TEST(OrbitalRun, CollisionQAndMarkersEndAndFinishTheRun) {
    // Two bodies at rest fall into each other.
    OrbitalSystem s = TwoBodies(Body(-0.5L, 0, "0", "0"), Body(0.5L, 0, "0", "0"));
    s.positions = 100000;
    const PlotView view = ViewOf(2);
    RecordingSurface surface(view);
    OrbitalSimulation sim;
    OrbitalPicture picture;
    picture.widthPixels = 600;
    OrbitalRunResult run = RunOrbitalSystem(s, sim, surface, picture, {});
    EXPECT_TRUE(run.closeApproach);
    EXPECT_GT(run.steps, 100);
    EXPECT_LT(run.steps, 100000);
    // Markers: a ring at each start, a dot of radius 600 x 3 / 600 at each end.
    int rings = 0, dots = 0;
    for (const DrawOp& op : surface.Ops()) {
        rings += op.kind == DrawOp::kPolygon;
        if (op.kind == DrawOp::kDot) {
            ++dots;
            EXPECT_EQ(op.radius, 3);
        }
    }
    EXPECT_EQ(rings, 3);  // two bodies and the centre of mass
    EXPECT_EQ(dots, 3);
    // Replaying the steps done stops short of the collision.
    s.positions = static_cast<long double>(run.steps);
    RecordingSurface again(view);
    EXPECT_FALSE(RunOrbitalSystem(s, sim, again, picture, {}).closeApproach);

    int polls = 0;
    OrbitalRunHooks hooks;
    hooks.pollKey = [&polls] { return ++polls == 5 ? 'Q' : 0; };
    run = RunOrbitalSystem(s, sim, surface, picture, hooks);
    EXPECT_TRUE(run.stopped);
    EXPECT_EQ(run.steps, 5);
    EXPECT_EQ(MarkerRadius(100, 3), 1);
    EXPECT_EQ(MarkerRadius(1000, 3), 5);
}

TEST(OrbitalSystemTest, RandomSystemFollowsTheCircleAndNamesItsEntries) {
    RandomInts random(3);
    const OrbitalSystem s = RandomOrbitalSystem(random, NumberFormat{});
    ASSERT_EQ(s.BodyCount(), 3);
    for (int i = 0; i < 3; ++i) {
        const OrbitalBody& b = s.entries[static_cast<std::size_t>(i)];
        const long double theta = std::atan2(b.position.y, b.position.x);
        EXPECT_NEAR(static_cast<double>(std::hypot(b.position.x, b.position.y)), 2.4, 1e-12);
        // The angle lies in [2i + 0.7, 2i + 1.2) up to whole turns.
        const long double turns = (theta - (2 * i + 0.7L)) / (2 * 3.14159265358979L);
        const long double offset = (turns - std::floor(turns)) * 2 * 3.14159265358979L;
        EXPECT_LT(offset, 0.5L + 1e-9L);
        const Vec3 v = InitialVelocity(b);
        EXPECT_NEAR(static_cast<double>(v.x * b.position.x + v.y * b.position.y), 0.0, 1e-4);
        EXPECT_EQ(b.velocity[2], "0.0");
        EXPECT_EQ(b.name, "test " + std::to_string(i));
    }
    EXPECT_EQ(s.entries[3].name, "tömegközéppont");
    EXPECT_DOUBLE_EQ(static_cast<double>(s.entries[3].mass), 3.0);
    EXPECT_DOUBLE_EQ(static_cast<double>(s.step), static_cast<double>(s.interval / s.computations));
}

TEST(OrbitalSystemTest, BodiesAreAddedUpToElevenAndRemovedDownToTwo) {
    RandomInts random(1);
    OrbitalSystem s = RandomOrbitalSystem(random, NumberFormat{});
    s.entries[2].penWidth = 5;
    ASSERT_TRUE(AddBody(s, NumberFormat{}));
    EXPECT_EQ(s.entries[3].name, "test 3");
    EXPECT_EQ(s.entries[3].penWidth, 5);
    EXPECT_EQ(s.entries[3].position, Vec3{});
    EXPECT_EQ(s.entries.back().name, "tömegközéppont");
    while (s.BodyCount() < kMaxBodies) ASSERT_TRUE(AddBody(s, NumberFormat{}));
    EXPECT_FALSE(AddBody(s, NumberFormat{}));
    s.originFixed = true;
    EXPECT_FALSE(RemoveBody(s, s.CentreIndex(), NumberFormat{}));
    while (s.BodyCount() > kMinBodies) ASSERT_TRUE(RemoveBody(s, 0, NumberFormat{}));
    EXPECT_FALSE(s.originFixed);
    EXPECT_FALSE(RemoveBody(s, 0, NumberFormat{}));
}

TEST(OrbitalSystemTest, TheDocumentFieldsRoundTripAndHostileOnesAreClampedOrRefused) {
    RandomInts random(5);
    OrbitalSystem s = RandomOrbitalSystem(random, NumberFormat{});
    s.entries[1].name = "Hold ő";
    s.originFixed = true;
    s.originIndex = 3;
    s.stopAtBorder = false;
    s.positions = 1234;
    TExample e = NewExample(kKindOrbital, -5, 5, 6);
    std::vector<Cv2InitialCondition> list;
    StoreOrbitalSystem(s, e, list);
    // Through the raw record, as a document carries it.
    TExample stored;
    stored.Load(e.Store());
    OrbitalSystem back;
    ASSERT_TRUE(LoadOrbitalSystem(stored, list, back));
    EXPECT_EQ(back, s);
    EXPECT_EQ(list[1].texts[3], "Hold \xF5");  // Windows-1250 in the file

    TExample hostile = stored;
    hostile.extra411[3] = 1e30L;                           // computations
    hostile.extra411[0] = std::nanl("");                   // G
    hostile.ints111[1] = 60000;                            // marker size
    std::vector<Cv2InitialCondition> wide = list;
    PutU16(wide[0].record.data() + 44, 60000);             // pen width
    ASSERT_TRUE(LoadOrbitalSystem(hostile, wide, back));
    EXPECT_EQ(back.computations, kMaxComputations);
    EXPECT_EQ(back.G, 1.0L);
    EXPECT_EQ(back.markerSize, kMaxMarkerSize);
    EXPECT_EQ(back.entries[0].penWidth, kMaxBodyPenWidth);

    std::vector<Cv2InitialCondition> shorter(list.begin(), list.end() - 1);
    EXPECT_FALSE(LoadOrbitalSystem(stored, shorter, back));
    hostile = stored;
    hostile.kindCount = 12;
    EXPECT_FALSE(LoadOrbitalSystem(hostile, list, back));
    std::vector<Cv2InitialCondition> bare = list;
    PutU16(bare[2].record.data() + 30, 0);  // no texts
    EXPECT_FALSE(LoadOrbitalSystem(stored, bare, back));
}

TEST(OrbitalSystemTest, DecimalFieldsAcceptNumbersOnly) {
    long double v = 7;
    EXPECT_TRUE(ParseDecimal(" -1.5e-3 ", v));
    EXPECT_DOUBLE_EQ(static_cast<double>(v), -0.0015);
    EXPECT_TRUE(ParseDecimal(".5", v));
    for (const char* bad : {"", "pi", "1..2", "1e", "--1", "1 2", "1e99999", "0x10", "nan"}) {
        v = 7;
        EXPECT_FALSE(ParseDecimal(bad, v)) << bad;
        EXPECT_EQ(v, 7);
    }
}
