// The tracer on its own: implicit curves through ImplicitField, systems through a plain
// field, points collected in a list.
#include <gtest/gtest.h>

#include <cmath>
#include <random>
#include <vector>

#include "expr/engine.h"
#include "plot2d/implicit_field.h"
#include "plot2d/trajectory_tracer.h"

using namespace curvelo;

namespace {

struct Collect : TraceSink {
    std::vector<std::vector<WorldPoint>> pieces;
    void MoveTo(WorldPoint p) override { pieces.push_back({p}); }
    void LineTo(WorldPoint p) override { pieces.back().push_back(p); }
    std::size_t Points() const {
        std::size_t n = 0;
        for (const auto& piece : pieces) n += piece.size();
        return n;
    }
};

// F(x, y) of "lhs - rhs" with its derivatives, in a 500 x 500 view of -5..5.
class Curve {
public:
    explicit Curve(const char* formula) {
        view.SetClientSize(500, 500);
        view.SetViewSquare(0, 0, 5);
        view.ApplyView();
        EXPECT_EQ(engine.CompileFormula(formula), 0) << formula;
        f = engine.TakeCompiledTree();
    }
    ~Curve() { FreeTree(f); }
    ImplicitField Field() { return ImplicitField(engine.letters, f, view.upx, view.upy); }
    WorldPoint Start(long double ax, long double ay, long double bx, long double by) {
        ImplicitField field = Field();
        const WorldPoint a{ax, ay}, b{bx, by};
        int n = 0;
        auto pick = [&] { return n++ % 2 ? b : a; };
        WorldPoint p;
        EXPECT_TRUE(FindStartPoint(field, pick, 1e-9L, p));
        return p;
    }

    PlotView view;
    FormulaEngine engine;
    ExprNode* f = nullptr;
};

long double MaxGapPixels(const std::vector<WorldPoint>& piece, const PlotView& view) {
    long double gap = 0;
    for (std::size_t i = 1; i < piece.size(); ++i)
        gap = std::max(gap, std::hypot((piece[i].x - piece[i - 1].x) / view.upx, (piece[i].y - piece[i - 1].y) / view.upy));
    return gap;
}

}  // namespace

TEST(TrajectoryTracer, CircleClosesOnItsStartInOneForwardRun) {
    Curve c("xx+yy-13");
    ImplicitField field = c.Field();
    const WorldPoint start = c.Start(0, 0, 5, 0.3L);
    TrajectoryTracer tracer(c.view, {});
    Collect sink;
    const TraceResult r = tracer.TraceBoth(field, start, 0, sink);
    EXPECT_EQ(r.end, TraceEnd::kClosed);
    ASSERT_EQ(sink.pieces.size(), 1u);  // no backward run
    const auto& piece = sink.pieces[0];
    // Ends exactly where it began: no seam and no overlap.
    EXPECT_EQ(piece.back().x, start.x);
    EXPECT_EQ(piece.back().y, start.y);
    long double turned = 0;
    for (std::size_t i = 0; i < piece.size(); ++i) {
        EXPECT_NEAR(std::hypot(piece[i].x, piece[i].y), std::sqrt(13.0L), 1e-6L);
        if (i) {
            long double a = std::atan2(piece[i].y, piece[i].x) - std::atan2(piece[i - 1].y, piece[i - 1].x);
            if (a > M_PI) a -= 2 * M_PI;
            if (a < -M_PI) a += 2 * M_PI;
            turned += a;
        }
    }
    EXPECT_NEAR(std::fabs(turned), 2 * M_PI, 1e-9);  // once round, not more
    EXPECT_LE(MaxGapPixels(piece, c.view), 9.0L);
}

TEST(TrajectoryTracer, LemniscateGoesStraightThroughTheOrigin) {
    Curve c("(xx+yy)^2-2(xx-yy)");
    ImplicitField field = c.Field();
    const WorldPoint start = c.Start(1.2L, 0.1L, 2, 0.1L);
    TrajectoryTracer tracer(c.view, {});
    Collect sink;
    EXPECT_EQ(tracer.TraceBoth(field, start, 0, sink).end, TraceEnd::kClosed);
    ASSERT_EQ(sink.pieces.size(), 1u);
    bool left = false, right = false;
    long double nearest = 1;
    for (const WorldPoint& p : sink.pieces[0]) {
        left = left || p.x < -1.3L;
        right = right || p.x > 1.3L;
        nearest = std::min(nearest, std::hypot(p.x, p.y));
        const long double r2 = p.x * p.x + p.y * p.y;
        EXPECT_NEAR(r2 * r2, 2 * (p.x * p.x - p.y * p.y), 1e-6L);
    }
    EXPECT_TRUE(left && right);  // both loops, through the crossing
    EXPECT_LT(nearest / c.view.upx, 4.0L);
    // Through the crossing the segments stay short: no gap.
    EXPECT_LE(MaxGapPixels(sink.pieces[0], c.view), 9.0L);
}

TEST(TrajectoryTracer, CloseBranchesOfOneEquationAreNotMixed) {
    // Radii 1 and 1.02 are one pixel apart in this view.
    Curve c("(xx+yy-1)(xx+yy-1.0404)");
    for (const long double radius : {1.0L, 1.02L}) {
        ImplicitField field = c.Field();
        const WorldPoint start{radius * std::cos(0.3L), radius * std::sin(0.3L)};
        TrajectoryTracer tracer(c.view, {});
        Collect sink;
        EXPECT_EQ(tracer.TraceBoth(field, start, 0, sink).end, TraceEnd::kClosed) << radius;
        for (const WorldPoint& p : sink.pieces.at(0)) ASSERT_NEAR(std::hypot(p.x, p.y), radius, 2e-3L);
    }
}

TEST(TrajectoryTracer, CuspsAndBordersEndTheRunInsteadOfLooping) {
    Curve c("yy-x^3");
    ImplicitField field = c.Field();
    const WorldPoint start = c.Start(1, 0.5L, 1, 1.5L);  // upper branch at x = 1
    TrajectoryTracer tracer(c.view, {});
    Collect sink;
    const TraceResult forward = tracer.Trace(field, start, 0, TrajectoryTracer::kForward, sink);
    const TraceResult backward = tracer.Trace(field, start, 0, TrajectoryTracer::kBackward, sink);
    // One way reaches the cusp and ends there, the other leaves through the top border.
    const TraceResult& atCusp = forward.last.y < backward.last.y ? forward : backward;
    const TraceResult& atBorder = forward.last.y < backward.last.y ? backward : forward;
    EXPECT_EQ(atBorder.end, TraceEnd::kBorder);
    EXPECT_NEAR(atBorder.last.y, 5.0L, 1e-9L);
    EXPECT_LT(std::hypot(atCusp.last.x, atCusp.last.y), 0.05L);
    EXPECT_LT(atCusp.steps + atBorder.steps, 5000);
}

TEST(TrajectoryTracer, DensityRefinesTheSteps) {
    Curve c("xx+yy-13");
    std::size_t points[2];
    for (int density : {1, 4}) {
        ImplicitField field = c.Field();
        TraceSettings s;
        s.density = density;
        TrajectoryTracer tracer(c.view, s);
        Collect sink;
        tracer.TraceBoth(field, c.Start(0, 0, 5, 0.3L), 0, sink);
        points[density == 1 ? 0 : 1] = sink.Points();
    }
    EXPECT_GT(points[1], 3 * points[0]);
}

namespace {

// x' = y, y' = -sin x: the pendulum; with a time-dependent twist when asked.
struct Pendulum : TraceField {
    int calls = 0;
    bool Velocity(WorldPoint p, long double, WorldPoint& v) override {
        ++calls;
        v = {p.y, -std::sin(p.x)};
        return true;
    }
};

struct Stop : TraceField {
    bool Velocity(WorldPoint p, long double, WorldPoint& v) override {
        v = {-p.x, -p.y};  // everything flows into the origin
        return true;
    }
};

}  // namespace

TEST(TrajectoryTracer, SystemOrbitsCloseAndStopAtEquilibriaBordersAndQ) {
    PlotView view;
    view.SetClientSize(500, 500);
    view.SetViewSquare(0, 0, 5);
    view.ApplyView();
    {
        // A closed orbit of the pendulum: energy stays put and the run closes.
        Pendulum field;
        TrajectoryTracer tracer(view, {});
        Collect sink;
        const TraceResult r = tracer.Trace(field, {1, 0}, 0, TrajectoryTracer::kForward, sink);
        EXPECT_EQ(r.end, TraceEnd::kClosed);
        for (const WorldPoint& p : sink.pieces.at(0)) ASSERT_NEAR(p.y * p.y / 2 - std::cos(p.x), -std::cos(1.0L), 1e-5L);
        // The period of this swing is about 6.70 (time runs with the arc length).
        EXPECT_NEAR(r.t, 6.6995, 0.01);
    }
    {
        // A rotating orbit leaves through the border, both ways.
        Pendulum field;
        TrajectoryTracer tracer(view, {});
        Collect sink;
        EXPECT_EQ(tracer.TraceBoth(field, {0, 2.5L}, 0, sink).end, TraceEnd::kBorder);
        EXPECT_EQ(sink.pieces.size(), 2u);
    }
    {
        Stop field;
        TraceSettings s;
        s.nullVectorPixels = 0.5;
        TrajectoryTracer tracer(view, s);
        Collect sink;
        const TraceResult r = tracer.Trace(field, {3, 2}, 0, TrajectoryTracer::kForward, sink);
        EXPECT_EQ(r.end, TraceEnd::kNullVector);
        EXPECT_LT(std::hypot(r.last.x, r.last.y) / view.upx, 2.0L);
    }
    {
        Pendulum field;
        TraceSettings s;
        s.loopPixels = 0;  // never closes: only Q ends it
        int polls = 0;
        s.stopRequested = [&polls] { return ++polls == 3; };
        TrajectoryTracer tracer(view, s);
        Collect sink;
        EXPECT_EQ(tracer.Trace(field, {1, 0}, 0, TrajectoryTracer::kForward, sink).end, TraceEnd::kStopped);
        EXPECT_EQ(polls, 3);
    }
}
