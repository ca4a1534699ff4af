// The inventory, the equation form and the curve sampler together: formula text in,
// recorded polylines out.
#include <gtest/gtest.h>

#include <cmath>

#include "expr/engine.h"
#include "expr/letters.h"
#include "plot2d/curve_pick.h"
#include "plot2d/curve_sampler.h"
#include "plot2d/equation_form.h"
#include "plot2d/example_kinds.h"
#include "plot2d/family_form.h"
#include "plot2d/inventory.h"
#include "plot2d/ordered_midpoint.h"
#include "plotwin/recording_surface.h"

using namespace curvelo;

namespace {

class CurveDrawing : public ::testing::Test {
protected:
    CurveDrawing() {
        view.SetClientSize(400, 400);  // x and y from -5 to 5
        view.SetViewSquare(0, 0, 5);
        view.ApplyView();
    }

    int Add(std::uint16_t kind, int text, const std::string& formula) {
        long double lo = 0, hi = 0;
        DefaultRangeOf(kind, view.xmin, view.xmax, lo, hi);
        const int index = inventory.Begin(kind, lo, hi);
        inventory.At(index).texts[static_cast<std::size_t>(text)] = formula;
        EXPECT_EQ(inventory.Commit(index, engine), 0) << formula;
        return index;
    }

    int Draw(int index) {
        CurveSampler sampler(engine.letters, surface);
        sampler.silent = true;
        CurveTrees trees;
        for (int t = 0; t < TExample::kTexts; ++t) trees.tree[t] = inventory.Slot(index).trees[static_cast<std::size_t>(t)];
        return sampler.Draw(inventory.At(index), trees);
    }

    std::vector<const DrawOp*> Polylines() const {
        std::vector<const DrawOp*> out;
        for (const DrawOp& op : surface.Ops())
            if (op.kind == DrawOp::kPolyline && !op.points.empty()) out.push_back(&op);
        return out;
    }

    PlotView view;
    FormulaEngine engine;
    ExampleInventory inventory;
    RecordingSurface surface{view};
};

}  // namespace

TEST_F(CurveDrawing, ExplicitCurveSpansTheViewAndEndsExactlyAtItsUpperBound) {
    const int i = Add(kKindExplicit, 1, "xsin(x)");
    Draw(i);
    auto lines = Polylines();
    ASSERT_EQ(lines.size(), 1u);
    const auto& pts = lines[0]->points;
    EXPECT_NEAR(static_cast<double>(pts.front().x), -5.0, 1e-12);
    EXPECT_EQ(pts.back().x, 5.0L);
    for (const WorldPoint& p : pts) EXPECT_NEAR(static_cast<double>(p.y), static_cast<double>(p.x * std::sin(p.x)), 1e-9);
}

TEST_F(CurveDrawing, PenLiftsWhereTheValueIsUndefinedOrJumps) {
    Draw(Add(kKindExplicit, 1, "sqrt(x)"));
    auto lines = Polylines();
    ASSERT_EQ(lines.size(), 1u);
    for (const WorldPoint& p : lines[0]->points) EXPECT_GE(p.x, 0.0L);

    surface.Clear();
    Draw(Add(kKindExplicit, 1, "int(x)"));  // steps at every integer
    EXPECT_GE(Polylines().size(), 10u);
    for (const DrawOp* line : Polylines())
        for (const WorldPoint& p : line->points) EXPECT_EQ(p.y, line->points.front().y);
}

// True when some drawn segment rises or falls across more than half of the view: the
// stroke that joins the two sides of a pole.
bool HasStroke(const std::vector<const DrawOp*>& lines, const PlotView& view) {
    for (const DrawOp* line : lines)
        for (std::size_t k = 1; k < line->points.size(); ++k)
            if (std::fabs(line->points[k].y - line->points[k - 1].y) > (view.ymax - view.ymin) / 2) return true;
    return false;
}

TEST_F(CurveDrawing, PolesBreakTheCurveButSteepContinuousPiecesStayJoined) {
    Draw(Add(kKindExplicit, 1, "1/x"));
    EXPECT_FALSE(HasStroke(Polylines(), view)) << "a stroke joins the two branches of 1/x";
    long double top = 0, bottom = 0;
    for (const DrawOp* line : Polylines())
        for (const WorldPoint& p : line->points) {
            top = std::max(top, p.y);
            bottom = std::min(bottom, p.y);
        }
    EXPECT_GT(top, view.ymax - 3 * view.upy) << "the right branch still reaches the top edge";
    EXPECT_LT(bottom, view.ymin + 3 * view.upy);

    surface.Clear();
    Draw(Add(kKindExplicit, 1, "tan(x)"));
    EXPECT_FALSE(HasStroke(Polylines(), view));
    EXPECT_EQ(Polylines().size(), 5u);  // four poles in -5..5

    surface.Clear();
    const int p = Add(kKindParametric, 0, "t-3");
    inventory.At(p).texts[1] = "1/(t-3)";
    inventory.At(p).discontinuity = 1;  // new parametric examples start with 0
    ASSERT_EQ(inventory.Compile(p, engine), 0);
    Draw(p);
    EXPECT_FALSE(HasStroke(Polylines(), view));

    for (const char* steep : {"atan(1000x)", "100x", "x^3/10"}) {
        surface.Clear();
        Draw(Add(kKindExplicit, 1, steep));
        EXPECT_EQ(Polylines().size(), 1u) << steep;
    }

    surface.Clear();
    const int joined = Add(kKindExplicit, 1, "1/x");
    inventory.At(joined).discontinuity = 0;  // threshold 0 joins every jump by a stroke
    Draw(joined);
    EXPECT_TRUE(HasStroke(Polylines(), view));
}

TEST_F(CurveDrawing, FamilyDrawsOnePassMoreThanItsSteps) {
    const int i = Add(kKindExplicit, 1, "a");
    TExample& e = inventory.At(i);
    e.familyActive = 1;
    e.familyParam = 1;  // A
    e.familySteps = 4;
    e.familyLow = -2;
    e.familyHigh = 2;
    Draw(i);
    auto lines = Polylines();
    ASSERT_EQ(lines.size(), 5u);
    for (int k = 0; k < 5; ++k) EXPECT_NEAR(static_cast<double>(lines[k]->points.back().y), k - 2.0, 1e-9);
}

TEST_F(CurveDrawing, PolarCurveWithPositiveROnlySkipsNegativePetals) {
    const int i = Add(kKindPolar, 2, "cos(t)");
    Draw(i);
    ASSERT_FALSE(Polylines().empty());
    bool leftHalf = false;
    for (const DrawOp* line : Polylines())
        for (const WorldPoint& p : line->points) leftHalf |= p.x < -1e-6L;
    EXPECT_FALSE(leftHalf) << "r = cos t traces the same circle twice, never left of the y axis";

    surface.Clear();
    const int j = Add(kKindPolar, 2, "cos(2t)");
    inventory.At(j).positiveROnly = 1;
    Draw(j);
    for (const DrawOp* line : Polylines())
        for (const WorldPoint& p : line->points) {
            const long double angle = std::atan2(p.y, p.x);
            EXPECT_GE(std::cos(2 * angle), -1e-6L) << "a sample with r <= 0 was drawn";
        }
}

TEST_F(CurveDrawing, ParametricCircleClosesAndQStopsTheDrawing) {
    const int i = Add(kKindParametric, 0, "2cos(t)");
    inventory.At(i).texts[1] = "2sin(t)";
    ASSERT_EQ(inventory.Compile(i, engine), 0);
    Draw(i);
    auto lines = Polylines();
    ASSERT_EQ(lines.size(), 1u);
    EXPECT_NEAR(static_cast<double>(lines[0]->points.front().x), 2.0, 1e-9);
    EXPECT_NEAR(static_cast<double>(lines[0]->points.back().x), 2.0, 1e-9);

    surface.Clear();
    CurveSampler sampler(engine.letters, surface);
    int polls = 0;
    sampler.hooks.pollKey = [&] { return ++polls == 10 ? kKeyStopDrawing : 0; };
    CurveTrees trees;
    for (int t = 0; t < TExample::kTexts; ++t) trees.tree[t] = inventory.Slot(i).trees[static_cast<std::size_t>(t)];
    EXPECT_EQ(sampler.Draw(inventory.At(i), trees), kKeyStopDrawing);
    ASSERT_FALSE(Polylines().empty());
    EXPECT_LE(Polylines()[0]->points.size(), 11u);
}

TEST(Inventory, CapacityColoursAbandonAndRemoval) {
    FormulaEngine engine;
    ExampleInventory inv;
    EXPECT_EQ(inv.LastIndex(), -1);
    for (int k = 0; k < kDefaultInventoryCapacity; ++k) {
        const int i = inv.Begin(kKindExplicit, -5, 5);
        ASSERT_EQ(i, k);
        inv.Commit(i, engine);
    }
    EXPECT_FALSE(inv.HasRoom());
    EXPECT_EQ(inv.Begin(kKindExplicit, -5, 5), -1);
    EXPECT_EQ(inv.At(10).penColour, inv.At(0).penColour);  // the palette has ten entries
    EXPECT_NE(inv.At(1).penColour, inv.At(0).penColour);
    EXPECT_EQ(inv.At(0).confirmMark, 0xFFFF);

    inv.Select(20);
    inv.Remove(20);
    EXPECT_EQ(inv.Count(), kDefaultInventoryCapacity - 1);
    EXPECT_EQ(inv.Selected(), 19);
    EXPECT_FALSE(inv.Resize(10));  // would not hold the examples

    inv.Clear();
    inv.SetBlackGraphs(true);
    const unsigned counter = inv.CreationCounter();
    const int i = inv.Begin(kKindPolar, 0, 6.283185307179586L);
    EXPECT_EQ(inv.At(i).penColour, 0);
    inv.Abandon(i);
    EXPECT_EQ(inv.Count(), 0);
    EXPECT_EQ(inv.CreationCounter(), counter);
}

TEST(Inventory, FailedTextCompilesToZeroAndReportsItsCode) {
    FormulaEngine engine;
    ExampleInventory inv;
    const int i = inv.Begin(kKindParametric, 0, 1);
    inv.At(i).texts[0] = "sin(";
    EXPECT_NE(inv.Compile(i, engine), 0);
    ASSERT_NE(inv.Slot(i).trees[0], nullptr);
    EXPECT_EQ(inv.Slot(i).trees[0]->kind, nk::NUM);
    EXPECT_NE(inv.Slot(i).trees[4], nullptr);  // the tangent is still there for the arrow
}

TEST(EquationForm, BadFieldsKeepTheExampleAndNameTheEditToFix) {
    FormulaEngine engine;
    TExample e = NewExample(kKindExplicit, -5, 5, 6);
    NumberFormat format;
    EquationForm form = EquationFormOf(e, format);
    EXPECT_EQ(form.edits[eqid::kTextY], "xsin(x)");
    EXPECT_EQ(form.edits[eqid::kLow], "-5.00000");

    form.edits[eqid::kTextY] = "sin(x";
    const TExample before = e;
    FormOutcome bad = ApplyEquationForm(form, engine, e);
    EXPECT_NE(bad.code, 0);
    EXPECT_EQ(bad.focusId, eqid::kTextY);
    EXPECT_EQ(e, before);

    form.edits[eqid::kTextY] = "x^2";
    form.edits[eqid::kDensity] = "1001";
    bad = ApplyEquationForm(form, engine, e);
    EXPECT_EQ(bad.code, 17);
    EXPECT_EQ(bad.focusId, eqid::kDensity);

    form.edits[eqid::kDensity] = "2";
    form.edits[eqid::kHigh] = "-6";
    EXPECT_EQ(ApplyEquationForm(form, engine, e).focusId, eqid::kHigh);

    form.edits[eqid::kHigh] = "pi";  // numbers are formulas
    form.checks[eqid::kIntervalFixed] = true;
    form.penStyle = 2;
    EXPECT_EQ(ApplyEquationForm(form, engine, e).code, 0);
    EXPECT_EQ(e.texts[1], "x^2");
    EXPECT_EQ(e.density, 2);
    EXPECT_NEAR(static_cast<double>(e.high), 3.141592653589793, 1e-15);
    EXPECT_EQ(e.intervalFixed, 1);
    EXPECT_EQ(e.penStyle, 2);
}

TEST_F(CurveDrawing, AClickNearACurvePicksItsExample) {
    Add(kKindExplicit, 1, "2");
    Add(kKindParametric, 0, "cos(t)");
    inventory.At(1).texts[1] = "sin(t)";
    ASSERT_EQ(inventory.Compile(1, engine), 0);
    EXPECT_EQ(PickExample(inventory, engine.letters, view, view.ToPixelX(3), view.ToPixelY(2) + 2), 0);
    EXPECT_EQ(PickExample(inventory, engine.letters, view, view.ToPixelX(0), view.ToPixelY(-1) - 1), 1);
    EXPECT_EQ(PickExample(inventory, engine.letters, view, view.ToPixelX(3), view.ToPixelY(-3)), -1);
    inventory.At(0).visible = 0;  // hidden curves cannot be clicked
    EXPECT_EQ(PickExample(inventory, engine.letters, view, view.ToPixelX(3), view.ToPixelY(2)), -1);
}

TEST(FamilyForm, ParameterBoundsStepsAndWatchingAreCheckedBeforeAnythingChanges) {
    FormulaEngine engine;
    TExample e = NewExample(kKindExplicit, -5, 5, 6);
    FamilyForm f = FamilyFormOf(e, NumberFormat());
    EXPECT_EQ(f.letter, "a");
    EXPECT_EQ(f.steps, "20");

    const TExample before = e;
    f.letter = "x";  // a variable, not a parameter
    EXPECT_EQ(ApplyFamilyForm(f, engine, e).focusId, famid::kLetter);
    f.letter = " B ";
    f.steps = "0";
    EXPECT_EQ(ApplyFamilyForm(f, engine, e).focusId, famid::kSteps);
    EXPECT_EQ(e, before);

    f.steps = "2*4";
    f.low = "-pi";
    f.high = "pi";
    f.active = true;
    f.observe = true;
    f.delay = "100";
    ASSERT_EQ(ApplyFamilyForm(f, engine, e).code, 0);
    EXPECT_EQ(e.familyParam, 2);
    EXPECT_EQ(e.familySteps, -8);  // watched: negative
    EXPECT_EQ(e.familyDelay, 100);
    EXPECT_EQ(e.familyActive, 1);
    EXPECT_NEAR(static_cast<double>(e.familyLow), -3.141592653589793, 1e-15);
    EXPECT_NE(InventoryLine(e, "").find("osztály[b = "), std::string::npos);
}

namespace {

// Distance in pixels between a drawn point and where it should be.
long double PixelDistance(const PlotView& view, WorldPoint p, long double x, long double y) {
    return std::max(std::fabs(p.x - x) * view.ppx, std::fabs(p.y - y) * view.ppy);
}

// Every piece but the first starts, and every piece but the last ends, at the origin.
void ExpectLoopsMeetAtTheOrigin(const std::vector<const DrawOp*>& lines, const PlotView& view) {
    for (std::size_t k = 0; k < lines.size(); ++k) {
        if (k > 0) {
            EXPECT_LE(PixelDistance(view, lines[k]->points.front(), 0, 0), 1) << k;
        }
        if (k + 1 < lines.size()) {
            EXPECT_LE(PixelDistance(view, lines[k]->points.back(), 0, 0), 1) << k;
        }
    }
}

}  // namespace

TEST_F(CurveDrawing, CurvesReachTheEdgeOfTheirDomainAtAnyZoom) {
    struct Zoom {
        long double cx, cy, hw;
    };
    for (const Zoom z : {Zoom{0, 0, 5}, Zoom{1, 0, 0.01L}, Zoom{-1, 0, 1e-5L}, Zoom{0, 0, 1.3L}}) {
        view.SetViewSquare(z.cx, z.cy, z.hw);
        view.ApplyView();
        surface.Clear();
        Draw(Add(kKindExplicit, 1, "sqrt(1-x^2)"));
        auto lines = Polylines();
        ASSERT_EQ(lines.size(), 1u) << "hw " << static_cast<double>(z.hw);
        const auto& pts = lines[0]->points;
        if (view.xmin < -1) {
            EXPECT_LE(PixelDistance(view, pts.front(), -1, 0), 1) << static_cast<double>(z.hw);
        }
        if (view.xmax > 1) {
            EXPECT_LE(PixelDistance(view, pts.back(), 1, 0), 1) << static_cast<double>(z.hw);
        }
    }

    view.SetViewSquare(0, 0, 5);
    view.ApplyView();
    surface.Clear();
    Draw(Add(kKindExplicit, 1, "sqrt(x)"));
    ASSERT_EQ(Polylines().size(), 1u);
    EXPECT_LE(PixelDistance(view, Polylines()[0]->points.front(), 0, 0), 1);

    surface.Clear();
    Draw(Add(kKindExplicit, 1, "arcsin(x)"));
    ASSERT_EQ(Polylines().size(), 1u);
    EXPECT_LE(PixelDistance(view, Polylines()[0]->points.front(), -1, -1.5707963267948966L), 1);
    EXPECT_LE(PixelDistance(view, Polylines()[0]->points.back(), 1, 1.5707963267948966L), 1);

    // ln falls towards minus infinity at 0: drawn down to the picture's edge, also zoomed
    // out where halving the sample step 64 times would stop short (ln is defined down to
    // 1e-18, about -41.4).
    for (const long double hw : {5.0L, 0.002L, 25.0L}) {
        view.SetViewSquare(0.3L * hw, -6, hw);
        view.ApplyView();
        surface.Clear();
        Draw(Add(kKindExplicit, 1, "ln(x)"));
        ASSERT_EQ(Polylines().size(), 1u);
        const WorldPoint first = Polylines()[0]->points.front();
        EXPECT_LE(first.y, view.ymin + 2 * view.upy) << static_cast<double>(hw);
        EXPECT_LE(PixelDistance(view, first, std::exp(first.y), first.y), 1) << static_cast<double>(hw);
    }
}

TEST_F(CurveDrawing, DomainEdgesAddOnlyTheirOwnPointsAndFewEvaluations) {
    const int i = Add(kKindExplicit, 1, "sqrt(4-x^2)");
    CurveSampler sampler(engine.letters, surface);
    sampler.silent = true;
    CurveTrees trees;
    for (int t = 0; t < TExample::kTexts; ++t) trees.tree[t] = inventory.Slot(i).trees[static_cast<std::size_t>(t)];
    sampler.Draw(inventory.At(i), trees);
    const SamplingRange range = ComputeSamplingRange(inventory.At(i), view);
    EXPECT_LE(sampler.Evaluations(), static_cast<std::uint64_t>(range.steps + 1 + 2 * 80));

    ASSERT_EQ(Polylines().size(), 1u);
    const auto& pts = Polylines()[0]->points;
    ASSERT_GT(pts.size(), 3u);
    const long double dt = (range.hi - range.lo) / static_cast<long double>(range.steps);
    for (std::size_t k = 1; k + 1 < pts.size(); ++k) {
        const long double steps = (pts[k].x - range.lo) / dt;
        EXPECT_NEAR(static_cast<double>(steps), std::round(static_cast<double>(steps)), 1e-6) << "not a sample";
    }
    EXPECT_NEAR(static_cast<double>(pts.front().x), -2.0, 1e-12);
    EXPECT_NEAR(static_cast<double>(pts.back().x), 2.0, 1e-12);
}

TEST_F(CurveDrawing, PolarAndParametricCurvesAlsoReachTheirEdges) {
    // The lemniscate and the positive petals of cos 2t close at the origin.
    const int lemniscate = Add(kKindPolar, 2, "4sqrt(cos(2t))");
    Draw(lemniscate);
    ASSERT_EQ(Polylines().size(), 3u);  // right loop, left loop, right loop again
    ExpectLoopsMeetAtTheOrigin(Polylines(), view);

    surface.Clear();
    const int petals = Add(kKindPolar, 2, "3cos(2t)");
    inventory.At(petals).positiveROnly = 1;
    Draw(petals);
    ExpectLoopsMeetAtTheOrigin(Polylines(), view);

    surface.Clear();
    const int p = Add(kKindParametric, 0, "t-3");
    inventory.At(p).texts[1] = "ln(t-3)";
    ASSERT_EQ(inventory.Compile(p, engine), 0);
    Draw(p);
    ASSERT_EQ(Polylines().size(), 1u);
    EXPECT_LE(Polylines()[0]->points.front().y, view.ymin + 2 * view.upy);
}

TEST(OrderedMidpoint, BisectionReachesAdjacentValuesInEightySteps) {
    struct Bracket {
        long double a, b;
    };
    for (const Bracket br : {Bracket{0, 1}, Bracket{-1e-30L, 3e20L}, Bracket{0.999L, 1.001L}, Bracket{-7, -6.5L}}) {
        long double a = br.a, b = br.b;
        int steps = 0;
        for (; steps < 200; ++steps) {
            const long double m = OrderedMidpoint(a, b);
            ASSERT_GE(m, a);
            ASSERT_LE(m, b);
            if (m == a || m == b) break;
            (steps % 2 ? a : b) = m;
        }
        EXPECT_LE(steps, 80);
        EXPECT_EQ(std::nextafter(a, b), b) << "stopped before the values were adjacent";
    }
    EXPECT_EQ(OrderedMidpoint(-2, 2), 0);
    EXPECT_GT(OrderedMidpoint(0, 1), 0);
    EXPECT_LT(OrderedMidpoint(0, 1), 1e-2000L);  // halfway in order, not in value
}

TEST_F(CurveDrawing, BatchedGridDrawsExactlyWhatSampleBySampleDraws) {
    struct Case {
        std::uint16_t kind;
        const char* texts[3];  // texts 0, 1, 2
        bool family, positiveR, fixed;
    };
    const Case cases[] = {
        {kKindExplicit, {"", "x*x+1", ""}, false, false, false},
        {kKindExplicit, {"", "1/x+floor(2x)", ""}, false, false, false},  // a pole and jumps
        {kKindExplicit, {"", "sqrt(4-x^2)-ln(x+3)", ""}, false, false, true},  // domain edges, fixed interval
        {kKindExplicit, {"", "a*x^3-x/(x-a)", ""}, true, false, false},        // a family over its letter
        {kKindExplicit, {"", "x+sum(n*x,n,1,2)", ""}, false, false, false},     // no flat code
        {kKindPolar, {"", "", "cos(2t)"}, false, true, false},
        {kKindParametric, {"2cos(3t)", "1/sin(t)", ""}, false, false, false},
    };
    for (const Case& c : cases) {
        const int i = Add(c.kind, c.kind == kKindPolar ? 2 : 1, c.kind == kKindPolar ? c.texts[2] : c.texts[1]);
        TExample& e = inventory.At(i);
        if (c.kind == kKindParametric) {
            e.texts[0] = c.texts[0];
            ASSERT_EQ(inventory.Commit(i, engine), 0);
        }
        e.positiveROnly = c.positiveR ? 1 : 0;
        e.density = 3;  // several batches per pass
        if (c.fixed) {
            e.intervalFixed = 1;
            e.low = -2.5L;
            e.high = 1.75L;
        }
        if (c.family) {
            e.familyActive = 1;
            e.familyParam = 1;
            e.familySteps = 3;
            e.familyLow = -1;
            e.familyHigh = 2;
        }
        std::vector<DrawOp> drawn[2];
        std::uint64_t evaluations[2] = {};
        long double letterAfter[2] = {};
        for (int batched = 0; batched < 2; ++batched) {
            surface.Clear();
            CurveSampler sampler(engine.letters, surface);
            sampler.silent = true;
            sampler.batched = batched != 0;
            CurveTrees trees;
            for (int t = 0; t < TExample::kTexts; ++t) trees.tree[t] = inventory.Slot(i).trees[static_cast<std::size_t>(t)];
            sampler.Draw(e, trees);
            drawn[batched] = surface.Ops();
            evaluations[batched] = sampler.Evaluations();
            letterAfter[batched] = engine.letters.LetterValues[c.kind == kKindExplicit ? kLetterX : kLetterT].re;
        }
        const std::string name = c.texts[0] + std::string("; ") + c.texts[1] + c.texts[2];
        EXPECT_EQ(evaluations[0], evaluations[1]) << name;
        EXPECT_EQ(letterAfter[0], letterAfter[1]) << name;
        ASSERT_EQ(drawn[0].size(), drawn[1].size()) << name;
        ASSERT_GT(drawn[0].size(), 0u) << name;
        for (std::size_t k = 0; k < drawn[0].size(); ++k) {
            ASSERT_EQ(drawn[0][k].kind, drawn[1][k].kind) << name;
            ASSERT_EQ(drawn[0][k].points.size(), drawn[1][k].points.size()) << name << " op " << k;
            for (std::size_t j = 0; j < drawn[0][k].points.size(); ++j) {
                EXPECT_EQ(drawn[0][k].points[j].x, drawn[1][k].points[j].x) << name;
                EXPECT_EQ(drawn[0][k].points[j].y, drawn[1][k].points[j].y) << name;
            }
        }
    }
}
