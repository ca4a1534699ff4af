// The dy/dx solvers, the solution run against a view, the field grid and the comparison's
// reference method.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <set>
#include <vector>

#include "plot2d/direction_field.h"
#include "expr/engine.h"
#include "plot2d/example.h"
#include "plot2d/example_kinds.h"
#include "plot2d/inventory.h"
#include "plot2d/method_comparison.h"
#include "plot2d/ode_drawer.h"
#include "plot2d/slope_solver.h"
#include "plot2d/solution_rows.h"
#include "plotwin/recording_surface.h"

using namespace curvelo;

namespace {

const SlopeFunction kXMinusY = [](long double x, long double y, long double& s) {
    s = x - y;
    return true;
};
const SlopeFunction kGrowth = [](long double, long double y, long double& s) {
    s = y;
    return true;
};

// The error at x = 1 of y' = y, y(0) = 1 after 1/h steps.
long double ErrorAtOne(SlopeMethod m, int n) {
    long double x = 0, y = 1;
    for (int i = 0; i < n; ++i) EXPECT_TRUE(SlopeStep(kGrowth, m, x, y, 1.0L / n));
    return std::fabs(y - std::exp(1.0L));
}

struct Piece {
    long double ax, ay, bx, by;
    bool drawn;
};

std::vector<Piece> Solve(const SlopeFunction& f, SlopeRunSettings run, SlopeRunResult* result = nullptr) {
    std::vector<Piece> pieces;
    const SlopeRunResult r = RunSlopeSolution(f, run, [&](long double px, long double py, long double x, long double y, bool drawn) {
        pieces.push_back({px, py, x, y, drawn});
        return true;
    });
    if (result) *result = r;
    return pieces;
}

}  // namespace

TEST(SlopeStep, FirstStepsOfXMinusYFromTheOrigin) {
    const long double expected[] = {0.0L, 0.005L, 0.0048375L};
    for (int m = 0; m < 3; ++m) {
        long double x = 0, y = 0;
        ASSERT_TRUE(SlopeStep(kXMinusY, static_cast<SlopeMethod>(m), x, y, 0.1L));
        EXPECT_NEAR(static_cast<double>(x), 0.1, 1e-18);
        EXPECT_NEAR(static_cast<double>(y), static_cast<double>(expected[m]), 1e-15) << m;
    }
}

TEST(SlopeStep, OrdersOfConvergenceShowWhenTheStepHalves) {
    // Euler about 2x, modified Euler about 4x, Runge-Kutta about 16x smaller per halving.
    const struct { SlopeMethod m; double lo, hi; } cases[] = {
        {SlopeMethod::kEuler, 1.8, 2.2}, {SlopeMethod::kModifiedEuler, 3.6, 4.4}, {SlopeMethod::kRungeKutta, 14.5, 17.5}};
    for (const auto& c : cases) {
        const long double coarse = ErrorAtOne(c.m, 10), fine = ErrorAtOne(c.m, 20);
        EXPECT_GT(static_cast<double>(coarse / fine), c.lo) << static_cast<int>(c.m);
        EXPECT_LT(static_cast<double>(coarse / fine), c.hi) << static_cast<int>(c.m);
    }
    EXPECT_LT(static_cast<double>(ErrorAtOne(SlopeMethod::kRungeKutta, 10)), 3e-6);
}

TEST(SlopeStep, FailedEvaluationOrSuddenReversalLeavesThePoint) {
    const SlopeFunction undefinedAbove = [](long double, long double y, long double& s) {
        s = 1;
        return y < 0.05L;
    };
    long double x = 0, y = 0;
    EXPECT_FALSE(SlopeStep(undefinedAbove, SlopeMethod::kModifiedEuler, x, y, 0.1L));
    EXPECT_EQ(x, 0);
    EXPECT_EQ(y, 0);
    // dy/dx = -10y with a step far too long overshoots and reverses: only the switch
    // refuses the step.
    const SlopeFunction stiff = [](long double, long double py, long double& s) {
        s = -10 * py;
        return true;
    };
    for (int m = 0; m < 3; ++m) {
        long double sx = 0, sy = 1;
        EXPECT_FALSE(SlopeStep(stiff, static_cast<SlopeMethod>(m), sx, sy, 0.5L, true)) << m;
        EXPECT_EQ(sy, 1);
        EXPECT_TRUE(SlopeStep(stiff, static_cast<SlopeMethod>(m), sx, sy, 0.5L, false)) << m;
        sx = 0, sy = 1;
        EXPECT_TRUE(SlopeStep(stiff, static_cast<SlopeMethod>(m), sx, sy, 0.01L, true)) << m;
    }
}

TEST(SlopeRun, NegativeStepDrawsTheSameSolutionToTheLeft) {
    SlopeRunSettings run;
    run.h = -0.01L;
    run.steps = 100;
    SlopeRunResult r;
    const auto pieces = Solve(kXMinusY, run, &r);
    EXPECT_EQ(r.stepsMade, 100);
    EXPECT_NEAR(static_cast<double>(r.x), -1.0, 1e-12);
    // The known solution y = x - 1 + e^-x.
    EXPECT_NEAR(static_cast<double>(r.y), static_cast<double>(-2 + std::exp(1.0L)), 1e-9);
    for (const Piece& p : pieces) EXPECT_LT(p.bx, p.ax);
}

TEST(SlopeRun, LeavingTheTopGoesOnUnseenUnlessTheBordersStopIt) {
    // y = 6 sin x rises above the top (5) near x = pi/2 and comes back.
    const SlopeFunction f = [](long double x, long double, long double& s) {
        s = 6 * std::cos(x);
        return true;
    };
    SlopeRunSettings run;
    run.x0 = 0;
    run.h = 0.01L;
    run.steps = 400;
    run.stopAtBorder = false;
    SlopeRunResult r;
    auto pieces = Solve(f, run, &r);
    EXPECT_EQ(r.stepsMade, 400);
    bool before = false, after = false;
    for (const Piece& p : pieces) {
        if (p.ay > 5 && p.by > 5) {
            EXPECT_FALSE(p.drawn);
        }
        if (p.drawn && p.bx < 0.9L) before = true;
        if (p.drawn && p.ax > 2.3L) after = true;
    }
    EXPECT_TRUE(before && after);

    run.stopAtBorder = true;
    pieces = Solve(f, run, &r);
    EXPECT_LT(r.stepsMade, 100);
    EXPECT_LT(r.x, 1.0L);
    ASSERT_FALSE(pieces.empty());
    EXPECT_GT(pieces.back().by, 5);  // the last piece reaches the edge and is drawn clipped
    EXPECT_TRUE(pieces.back().drawn);

    // The right edge ends a solution whatever the switch says.
    run.stopAtBorder = false;
    run.x0 = 4;
    run.steps = 1000;
    Solve(f, run, &r);
    EXPECT_LE(r.x, 5.0L);
    EXPECT_LT(r.stepsMade, 101);
    // A start outside the view draws nothing.
    run.x0 = 6;
    EXPECT_TRUE(Solve(f, run, &r).empty());
}

TEST(FieldGrid, TwentyRowsOnASquareViewAreSymmetricAboutTheCentre) {
    PlotView view;
    view.SetClientSize(400, 400);
    ASSERT_TRUE(view.SetViewSquare(1, -2, 5));
    const auto columns = FieldGrid(view, 20);
    std::set<long double> xs, ys;
    for (const auto& column : columns)
        for (const WorldPoint& p : column) {
            xs.insert(p.x);
            ys.insert(p.y);
            EXPECT_GT(p.y, view.ymin);
            EXPECT_LT(p.y, view.ymax);
        }
    // Ten rows below the centre and their mirror images, the centre row shared.
    ASSERT_EQ(ys.size(), 19u);
    std::vector<long double> rows(ys.begin(), ys.end());
    for (std::size_t i = 0; i < rows.size(); ++i) {
        EXPECT_NEAR(static_cast<double>(rows[i] + rows[rows.size() - 1 - i]), -4.0, 1e-15);
        if (i) {
            EXPECT_NEAR(static_cast<double>(rows[i] - rows[i - 1]), 0.5, 1e-15);
        }
    }
    EXPECT_EQ(xs.size(), 19u);  // square on the screen: the same spacing across
    EXPECT_TRUE(ys.count(-2.0L));
    EXPECT_TRUE(xs.count(1.0L));
}

TEST(FieldGrid, WideWindowGetsMoreColumnsAtTheSameScreenSpacing) {
    PlotView view;
    view.SetClientSize(800, 400);
    ASSERT_TRUE(view.SetViewSquare(0, 0, 10));  // 20 wide, 10 high
    std::set<long double> xs, ys;
    for (const auto& column : FieldGrid(view, 10))
        for (const WorldPoint& p : column) {
            xs.insert(p.x);
            ys.insert(p.y);
        }
    // The outermost line may fall on either side of the edge; the spacing is what counts.
    EXPECT_GE(xs.size(), 2 * ys.size());
    std::vector<long double> cols(xs.begin(), xs.end());
    for (std::size_t i = 1; i < cols.size(); ++i) EXPECT_NEAR(static_cast<double>(cols[i] - cols[i - 1]), 1.0, 1e-15);
    EXPECT_TRUE(FieldGrid(view, 0).size() > 0);  // rows clamped to at least one
}

TEST(MethodComparison, ReferenceIsTightAndTheTableShowsEveryRow) {
    long double y = 1;
    ASSERT_TRUE(ReferenceStep(kGrowth, 0, y, 1));
    EXPECT_NEAR(static_cast<double>(y), static_cast<double>(std::exp(1.0L)), 1e-13);
    y = 1;
    ASSERT_TRUE(ReferenceStep(kGrowth, 0, y, -1));
    EXPECT_NEAR(static_cast<double>(y), static_cast<double>(std::exp(-1.0L)), 1e-14);

    const auto rows = CompareMethods(kXMinusY, 0, 0, 0.1L, 10);
    ASSERT_EQ(rows.size(), 11u);
    EXPECT_NEAR(static_cast<double>(rows[1].modified), 0.005, 1e-15);
    const ComparisonRow& last = rows.back();
    EXPECT_NEAR(static_cast<double>(last.x), 1.0, 1e-15);
    EXPECT_NEAR(static_cast<double>(last.reference), static_cast<double>(std::exp(-1.0L)), 1e-14);
    const long double eE = std::fabs(last.euler - last.reference), eM = std::fabs(last.modified - last.reference),
                      eR = std::fabs(last.rungeKutta - last.reference);
    EXPECT_GT(eE, eM);
    EXPECT_GT(eM, eR);
    const std::string text = ComparisonText("x-y", 0.1L, rows);
    EXPECT_NE(text.find("Runge-Kutta"), std::string::npos);
    EXPECT_EQ(static_cast<int>(std::count(text.begin(), text.end(), '\n')), 4 + 11);
    EXPECT_EQ(CompareMethods(kXMinusY, 0, 0, 0, 10).size(), 0u);
    EXPECT_EQ(CompareMethods(kXMinusY, 0, 0, 0.1L, 1000000).size(), static_cast<std::size_t>(kMaxComparisonRows) + 1);
}

TEST(DirectionField, SegmentsHaveTheSetLengthAndSlopeAndVectorsScaleToTheLongest) {
    PlotView view;
    view.SetClientSize(400, 400);
    ASSERT_TRUE(view.SetViewSquare(0, 0, 5));
    RecordingSurface surface(view);
    FieldSettings settings;
    settings.rows = 20;
    settings.segmentTenthsPercent = 50;  // 5 % of 400 pixels: 20 pixels, 0.5 units
    const FieldVector slope = [](long double x, long double, long double& dx, long double& dy) {
        dx = 1;
        dy = x;
        return true;
    };
    ASSERT_TRUE(DrawField(surface, settings, slope, {}));
    ASSERT_EQ(surface.Ops().size(), 19u * 19u);
    for (const DrawOp& op : surface.Ops()) {
        const WorldPoint a = op.points[0], b = op.points[1];
        const long double mx = (a.x + b.x) / 2;
        EXPECT_NEAR(static_cast<double>(std::hypot(b.x - a.x, b.y - a.y)), 0.5, 1e-12);
        EXPECT_NEAR(static_cast<double>((b.y - a.y) / (b.x - a.x)), static_cast<double>(mx), 1e-9);
    }
    RecordingSurface vectors(view);
    settings.style = FieldStyle::kVectors;
    const FieldVector rotation = [](long double x, long double y, long double& dx, long double& dy) {
        dx = -y;
        dy = x;
        return !(x == 0 && y == 0);
    };
    ASSERT_TRUE(DrawField(vectors, settings, rotation, {}));
    long double longest = 0;
    // Each vector is a shaft and two head strokes.
    for (std::size_t k = 0; k < vectors.Ops().size(); k += 3) {
        const WorldPoint a = vectors.Ops()[k].points[0], b = vectors.Ops()[k].points[1];
        longest = std::max(longest, std::hypot(b.x - a.x, b.y - a.y));
    }
    EXPECT_NEAR(static_cast<double>(longest), 0.5, 1e-12);
    // Q after the first column stops the field.
    RecordingSurface stopped(view);
    EXPECT_FALSE(DrawField(stopped, settings, slope, [] { return true; }));
    EXPECT_LE(stopped.Ops().size(), 19u * 3);
}

TEST(SystemTrajectories, RestrictionHidesPartsAndTimeDependenceBendsThePath) {
    FormulaEngine engine;
    PlotView view;
    view.SetClientSize(500, 500);
    ASSERT_TRUE(view.SetViewSquare(0, 0, 5));
    auto trees = [&](TExample& e, CurveTrees& t, std::vector<ExprNode*>& owned) {
        for (int k : {0, 1, 3}) {
            if (e.texts[static_cast<std::size_t>(k)].empty()) continue;
            ASSERT_EQ(engine.CompileFormula(e.texts[static_cast<std::size_t>(k)]), 0);
            t.tree[k] = engine.TakeCompiledTree();
            owned.push_back(t.tree[k]);
        }
    };
    TExample e = NewExample(kKindSystem, 0, 1, 0);
    e.reserved16 = 0;  // no field
    e.texts = {"1", "0", "", "0-x", "", "", ""};
    e.positiveROnly = 1;
    TInitialCondition c;
    c.x0 = -3;
    c.y0 = 1;
    c.directionCode = static_cast<std::uint16_t>(TraceDirection::kForward);
    std::vector<ExprNode*> owned;
    CurveTrees t;
    trees(e, t, owned);
    RecordingSurface surface(view);
    OdeDrawer drawer(engine.letters, surface);
    drawer.silent = true;
    drawer.Draw(e, {c}, t);
    long double maxX = -10;
    for (const DrawOp& op : surface.Ops())
        for (const WorldPoint& p : op.points) maxX = std::max(maxX, p.x);
    EXPECT_GT(maxX, -0.2L);
    EXPECT_LT(maxX, 0.2L);  // nothing drawn where r = -x is not positive

    TExample timed = NewExample(kKindSystem, 0, 1, 0);
    timed.reserved16 = 0;
    timed.texts = {"1", "t", "", "", "", "", ""};
    timed.flag51 = 1;
    CurveTrees tt;
    trees(timed, tt, owned);
    TInitialCondition s;
    s.x0 = -2;
    s.y0 = 0;
    s.t0 = -2;
    s.directionCode = static_cast<std::uint16_t>(TraceDirection::kForward);
    RecordingSurface bent(view);
    OdeDrawer timedDrawer(engine.letters, bent);
    timedDrawer.silent = true;
    timedDrawer.Draw(timed, {s}, tt);
    // x = t, y = (t^2 - 4) / 2: through (0, -2) and (2, 0).
    bool nearLowest = false, nearEnd = false;
    for (const DrawOp& op : bent.Ops())
        for (const WorldPoint& p : op.points) {
            EXPECT_NEAR(static_cast<double>(p.y), static_cast<double>((p.x * p.x - 4) / 2), 0.03);
            if (std::fabs(p.x) < 0.1L) nearLowest = true;
            if (std::fabs(p.x - 2) < 0.1L) nearEnd = true;
        }
    EXPECT_TRUE(nearLowest && nearEnd);
    for (ExprNode* n : owned) FreeTree(n);
}

// The table of a system lists the traced trajectory with its times: along a circle of unit
// speed the time is the arc length, a loop ends at its start, and a trajectory traced both
// ways runs through its start once, in the order of time.
TEST(SystemTable, RowsFollowTheTrajectoryInTheOrderOfTime) {
    FormulaEngine engine;
    ExampleInventory inv;
    const int i = inv.Begin(kKindSystem, 0, 1);
    inv.At(i).texts[0] = "0-y";
    inv.At(i).texts[1] = "x";
    inv.At(i).texts[3] = "1";  // the unused restriction must still compile
    TInitialCondition around;
    around.x0 = 1;
    around.y0 = 0;
    around.directionCode = static_cast<std::uint16_t>(TraceDirection::kForward);
    inv.Slot(i).initialConditions.push_back(around.Store());
    inv.Slot(i).initialConditions.push_back(around.Store());
    ASSERT_EQ(inv.Commit(i, engine), 0);
    ASSERT_EQ(SolutionCount(inv.Slot(i)), 2);

    const auto circle = SolutionRows(engine, inv.Slot(i), 0);
    ASSERT_GT(circle.size(), 20u);
    EXPECT_EQ(circle.front(), (std::vector<long double>{0, 1, 0}));
    for (std::size_t k = 1; k < circle.size(); ++k) {
        const long double t = circle[k][0];
        EXPECT_GT(t, circle[k - 1][0]);
        EXPECT_NEAR(static_cast<double>(circle[k][1]), std::cos(static_cast<double>(t)), 0.01);
        EXPECT_NEAR(static_cast<double>(circle[k][2]), std::sin(static_cast<double>(t)), 0.01);
    }
    EXPECT_NEAR(static_cast<double>(circle.back()[0]), 2 * M_PI, 0.01);
    EXPECT_EQ(circle.back()[1], 1);

    // Both ways from (0.5, 0) at t = 3 along a field in x: both halves, one start.
    TInitialCondition through;
    through.x0 = 0.5L;
    through.y0 = 0;
    through.t0 = 3;
    through.directionCode = static_cast<std::uint16_t>(TraceDirection::kBoth);
    const int j = inv.Begin(kKindSystem, 0, 1);
    inv.At(j).texts[0] = "1";
    inv.At(j).texts[1] = "0";
    inv.At(j).texts[3] = "1";
    inv.Slot(j).initialConditions.push_back(through.Store());
    ASSERT_EQ(inv.Commit(j, engine), 0);
    const auto line = SolutionRows(engine, inv.Slot(j), 0);
    ASSERT_GT(line.size(), 4u);
    int starts = 0;
    for (std::size_t k = 0; k < line.size(); ++k) {
        if (k > 0) EXPECT_GT(line[k][0], line[k - 1][0]);
        EXPECT_NEAR(static_cast<double>(line[k][1] - line[k][0]), 0.5 - 3, 1e-9);  // x = t - 2.5
        EXPECT_EQ(line[k][2], 0);
        if (line[k][1] == 0.5L) ++starts;
    }
    EXPECT_EQ(starts, 1);
    // The default view ends the trajectory at its borders, x = -5 and x = 5.
    EXPECT_NEAR(static_cast<double>(line.front()[1]), -5, 1e-9);
    EXPECT_NEAR(static_cast<double>(line.back()[1]), 5, 1e-9);
}
