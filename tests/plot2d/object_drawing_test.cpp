// Segments, lines, points, sequences and the other objects of the Equation menu: formula
// texts in, recorded shapes and the fields left for the tools out.
#include <gtest/gtest.h>

#include <cmath>

#include "expr/engine.h"
#include "expr/eval.h"
#include "plot2d/curve_pick.h"
#include "plot2d/example_kinds.h"
#include "plot2d/interpolation.h"
#include "plot2d/inventory.h"
#include "plot2d/object_drawer.h"
#include "plot2d/object_form.h"
#include "plot2d/object_geometry.h"
#include "plot2d/start_points.h"
#include "plotwin/recording_surface.h"

using namespace curvelo;

namespace {

class ObjectDrawing : public ::testing::Test {
protected:
    ObjectDrawing() {
        view.SetClientSize(600, 600);  // x and y from -5 to 5
        view.SetViewSquare(0, 0, 5);
        view.ApplyView();
    }

    int Add(std::uint16_t kind, std::initializer_list<std::string> texts) {
        const int index = inventory.Begin(kind, 0, 1);
        int t = 0;
        for (const std::string& text : texts) inventory.At(index).texts[static_cast<std::size_t>(t++)] = text;
        EXPECT_EQ(inventory.Commit(index, engine), 0);
        return index;
    }

    int Draw(int index) {
        ObjectDrawer drawer(engine.letters, surface);
        drawer.silent = true;
        CurveTrees trees;
        InventorySlot& slot = inventory.Slot(index);
        for (int t = 0; t < TExample::kTexts; ++t) trees.tree[t] = slot.trees[static_cast<std::size_t>(t)];
        const int key = drawer.Draw(slot.example, trees, &slot.initialConditions);
        runs = drawer.SequenceRuns();
        return key;
    }

    std::vector<DrawOp> OpsOf(DrawOp::Kind kind) const {
        std::vector<DrawOp> out;
        for (const DrawOp& op : surface.Ops())
            if (op.kind == kind) out.push_back(op);
        return out;
    }

    void AddStartPoint(int index, long double x, long double y, int terms, bool keepDrawn = false) {
        StartPoint p;
        p.x = x;
        p.y = y;
        p.terms = terms;
        p.size = 0;
        p.keepDrawnCount = keepDrawn;
        Cv2InitialCondition record;
        WriteStartPoint(p, record);
        inventory.Slot(index).initialConditions.push_back(record);
    }

    PlotView view;
    RecordingSurface surface{view};
    FormulaEngine engine;
    ExampleInventory inventory;
    std::vector<SequenceRun> runs;
};

TEST_F(ObjectDrawing, LinesWithZeroCoefficientsAreNothingHorizontalOrVertical) {
    const int none = Add(kKindLine, {"0", "0", "1"});
    const int horizontal = Add(kKindLine, {"0", "2", "4"});
    const int vertical = Add(kKindLine, {"3", "0", "6"});

    Draw(none);
    EXPECT_TRUE(OpsOf(DrawOp::kSegment).empty());
    EXPECT_EQ(inventory.At(none).longSearch, 0);  // not drawn: nothing for the tools

    Draw(horizontal);
    auto segments = OpsOf(DrawOp::kSegment);
    ASSERT_EQ(segments.size(), 1u);
    for (const WorldPoint& p : segments[0].points) EXPECT_NEAR(static_cast<double>(p.y), 2.0, 1e-12);
    // The piece spans the view and one pixel beyond on each side.
    EXPECT_NEAR(static_cast<double>(std::fmin(segments[0].points[0].x, segments[0].points[1].x)),
                static_cast<double>(view.xmin - view.upx), 1e-9);
    WorldPoint p, q;
    ASSERT_TRUE(StoredLinePiece(inventory.At(horizontal), p, q));
    EXPECT_NEAR(static_cast<double>(p.y), 2.0, 1e-12);
    EXPECT_EQ(inventory.At(horizontal).flag60, 1);  // b is not zero

    surface.Clear();
    Draw(vertical);
    segments = OpsOf(DrawOp::kSegment);
    ASSERT_EQ(segments.size(), 1u);
    for (const WorldPoint& v : segments[0].points) EXPECT_NEAR(static_cast<double>(v.x), 2.0, 1e-12);
    EXPECT_NEAR(static_cast<double>(std::fabs(segments[0].points[0].y - segments[0].points[1].y)),
                static_cast<double>(view.ymax - view.ymin + 2 * view.upy), 1e-9);
    EXPECT_EQ(inventory.At(vertical).flag60, 0);
    EXPECT_EQ(inventory.At(vertical).longSearch, 1);

    // A line that misses the view leaves "not drawn" as well.
    const int far = Add(kKindLine, {"1", "1", "100"});
    Draw(far);
    EXPECT_EQ(inventory.At(far).longSearch, 0);
}

TEST_F(ObjectDrawing, SegmentWithAnUndefinedEndIsNotDrawnAndADrawnOneLeavesItsRange) {
    const int bad = Add(kKindSegment, {"0", "0", "ln(-1)", "1"});
    const long double lowBefore = inventory.At(bad).low;
    Draw(bad);
    EXPECT_TRUE(surface.Ops().empty());
    EXPECT_EQ(inventory.At(bad).low, lowBefore);

    const int good = Add(kKindSegment, {"3", "-1", "-2", "4"});
    Draw(good);
    auto segments = OpsOf(DrawOp::kSegment);
    ASSERT_EQ(segments.size(), 1u);
    const TExample& e = inventory.At(good);
    EXPECT_EQ(e.low, -2);
    EXPECT_EQ(e.high, 3);
    EXPECT_EQ(e.low2, -1);
    EXPECT_EQ(e.high2, 4);
    EXPECT_EQ(e.flag60, 1);

    // (r, t) input: the ends (2, 0) and (2, pi/2).
    const int polar = inventory.Begin(kKindSegment, 0, 1);
    inventory.At(polar).longSearch = 1;
    inventory.At(polar).texts = {"2", "0", "2", "pi/2", "", "", ""};
    inventory.Commit(polar, engine);
    WorldPoint a, b;
    CurveTrees trees;
    for (int t = 0; t < 4; ++t) trees.tree[t] = inventory.Slot(polar).trees[static_cast<std::size_t>(t)];
    ASSERT_TRUE(SegmentEndsOf(inventory.At(polar), trees, engine.letters, a, b));
    EXPECT_NEAR(static_cast<double>(a.x), 2, 1e-15);
    EXPECT_NEAR(static_cast<double>(b.x), 0, 1e-15);
    EXPECT_NEAR(static_cast<double>(b.y), 2, 1e-15);
    // A vertical segment: its ends do not differ in x.
    const int upright = Add(kKindSegment, {"1", "0", "1", "2"});
    Draw(upright);
    EXPECT_EQ(inventory.At(upright).flag60, 0);
}

TEST_F(ObjectDrawing, SwappingSequenceIsPeriodicAndStopsAtOnce) {
    const int s = Add(kKindSequence, {"y", "x"});
    inventory.At(s).flag60 = 1;  // "pontok összekötése"
    AddStartPoint(s, 1, 2, 50, true);
    Draw(s);
    ASSERT_EQ(runs.size(), 1u);
    EXPECT_EQ(runs[0].period, 2);
    EXPECT_EQ(runs[0].drawn, 2);
    const auto dots = OpsOf(DrawOp::kDot);
    ASSERT_EQ(dots.size(), 2u);
    EXPECT_EQ(dots[0].points[0].x, 1);
    EXPECT_EQ(dots[1].points[0].x, 2);
    EXPECT_EQ(dots[0].radius, 0);  // size 0: the smallest dot
    // The step to the second term and the closing step back to the start.
    EXPECT_EQ(OpsOf(DrawOp::kSegment).size(), 2u);
    // The start point asked for the count drawn, less one.
    EXPECT_EQ(ReadStartPoint(inventory.Slot(s).initialConditions[0]).terms, 1);
}

TEST_F(ObjectDrawing, SequenceStopsAtItsCountAtTheBorderOrWhereItIsUndefined) {
    const int s = Add(kKindSequence, {"2x", "y"});
    AddStartPoint(s, 0.1L, 0, 30);
    inventory.At(s).flags52[0] = 0;  // not stopped by the border
    Draw(s);
    ASSERT_EQ(runs.size(), 1u);
    EXPECT_EQ(runs[0].drawn, 30);
    EXPECT_EQ(runs[0].period, 0);
    EXPECT_EQ(OpsOf(DrawOp::kDot).size(), 6u);  // 0.1 ... 3.2 lie in the view
    EXPECT_TRUE(OpsOf(DrawOp::kSegment).empty());

    inventory.At(s).flags52[0] = 1;
    Draw(s);
    EXPECT_EQ(runs[0].drawn, 6);  // 6.4 leaves the picture

    const int undefined = Add(kKindSequence, {"ln(x)", "y"});
    AddStartPoint(undefined, 0.5L, 0, 10);
    Draw(undefined);
    EXPECT_EQ(runs[0].drawn, 2);  // ln(0.5) < 0, then ln of it is undefined
}

TEST_F(ObjectDrawing, PointsPointsOnACurveAndPointSequencesAreDots) {
    const int point = Add(kKindPoint, {"1", "pi/2"});
    inventory.At(point).value291 = 6;
    Draw(point);
    auto dots = OpsOf(DrawOp::kDot);
    ASSERT_EQ(dots.size(), 1u);
    EXPECT_EQ(dots[0].radius, 6);
    EXPECT_NEAR(static_cast<double>(dots[0].points[0].y), M_PI / 2, 1e-15);

    surface.Clear();
    const int onCurve = inventory.Begin(kKindPointOnCurve, 0, 1);
    TExample& e = inventory.At(onCurve);
    e.kindCount = kKindParametric;
    e.texts = {"cos(t)", "sin(t)", "", "0 1.5707963267948966 -3.14159265358979 x 9", "", "", ""};
    inventory.Commit(onCurve, engine);
    Draw(onCurve);
    dots = OpsOf(DrawOp::kDot);
    ASSERT_EQ(dots.size(), 4u);  // "x" is no number; 9 gives a point too
    EXPECT_NEAR(static_cast<double>(dots[1].points[0].y), 1, 1e-15);
    EXPECT_NEAR(static_cast<double>(dots[2].points[0].x), -1, 1e-12);

    surface.Clear();
    const int pairs = inventory.Begin(kKindPointSequence, 0, 1);
    inventory.At(pairs).texts[3] = "0 0  1 -1  2 4  9";  // the odd number has no partner
    inventory.Commit(pairs, engine);
    EXPECT_EQ(inventory.At(pairs).confirmMark, 3);  // the point size is not overwritten
    Draw(pairs);
    dots = OpsOf(DrawOp::kDot);
    ASSERT_EQ(dots.size(), 3u);
    EXPECT_EQ(dots[1].points[0].y, -1);
}

TEST_F(ObjectDrawing, CircleRollingAlongTheAxisDrawsTheCycloid) {
    const int c = inventory.Begin(kKindRollingCircle, 0, 1);
    ASSERT_EQ(inventory.Commit(c, engine), 0);  // the defaults: y = 0, radius 1, distance 1
    inventory.At(c).high = 2 * M_PI;
    Draw(c);
    const auto segments = OpsOf(DrawOp::kSegment);
    ASSERT_GT(segments.size(), 100u);
    long double top = -1, bottom = 10;
    for (const DrawOp& op : segments)
        for (const WorldPoint& p : op.points) {
            top = std::fmax(top, p.y);
            bottom = std::fmin(bottom, p.y);
            // x = t - sin t with t = arccos(1 - y), on one of the two branches.
            const long double t = std::acos(std::clamp(1 - p.y, -1.0L, 1.0L));
            const long double d = std::fmin(std::fabs(p.x - (t - std::sin(t))),
                                            std::fabs(p.x - (2 * M_PI - t + std::sin(t))));
            EXPECT_LT(static_cast<double>(d), 0.02) << static_cast<double>(p.x) << " " << static_cast<double>(p.y);
        }
    EXPECT_NEAR(static_cast<double>(top), 2, 1e-3);
    EXPECT_NEAR(static_cast<double>(bottom), 0, 1e-9);
}

TEST_F(ObjectDrawing, InterpolationThroughThreeNodesIsTheirParabola) {
    // Through (-1, 6), (1, 2), (2, 3): y = x^2 - 2x + 3.
    std::vector<WorldPoint> nodes;
    ASSERT_TRUE(ParseNodeText("-1 6; 1 2; 2 3", nodes));
    std::vector<long double> c;
    ASSERT_TRUE(InterpolationCoefficients(nodes, c));
    ASSERT_EQ(c.size(), 3u);
    EXPECT_NEAR(static_cast<double>(c[0]), 3, 1e-15);
    EXPECT_NEAR(static_cast<double>(c[1]), -2, 1e-15);
    EXPECT_NEAR(static_cast<double>(c[2]), 1, 1e-15);

    // Made from the menu: the formula is written from the nodes and evaluates as the parabola.
    const int p = inventory.Begin(kKindInterpolation, -5, 5);
    StoreNodes(inventory.At(p), nodes);
    ASSERT_EQ(inventory.Commit(p, engine), 0);
    for (long double x : {-3.0L, -1.0L, 0.5L, 2.0L, 4.25L}) {
        engine.letters.LetterValues[kLetterX] = {x, 0};
        long double y = 0;
        ASSERT_TRUE(EvalReal(engine.letters, inventory.Slot(p).trees[1], y));
        EXPECT_NEAR(static_cast<double>(y), static_cast<double>(x * x - 2 * x + 3), 1e-12) << inventory.At(p).texts[1];
    }
    // Nodes in a line give a line; two nodes over one x give no polynomial.
    ASSERT_TRUE(ParseNodeText("0 1 1 3 2 5", nodes));
    ASSERT_TRUE(InterpolationCoefficients(nodes, c));
    EXPECT_EQ(c.size(), 2u);
    ASSERT_TRUE(ParseNodeText("1 1 1 2", nodes));
    EXPECT_FALSE(InterpolationCoefficients(nodes, c));
    EXPECT_FALSE(ParseNodeText("1 2 3", nodes));
    // Numbers are written without exponent, which the parser would read as the letter E.
    EXPECT_EQ(NumberLiteral(1e-9L, 6), "0.000000001");
    EXPECT_EQ(NumberLiteral(-2.5L, 6), "-2.5");
    EXPECT_EQ(NumberLiteral(123456789.0L, 6), "123456789");  // whole digits are kept
    EXPECT_FALSE(ParseNodeText("0 0 1 1 2 2 3 3 4 4 5 5 6 6 7 7 8 8 9 9", nodes));  // ten nodes
}

TEST_F(ObjectDrawing, ObjectDialogsRefuseWhatTheKindCannotDraw) {
    const NumberFormat format;
    const auto apply = [&](std::uint16_t kind, int id, const std::string& text) {
        const int i = inventory.Begin(kind, -5, 5);
        EquationForm form = ObjectFormOf(inventory.At(i), format);
        form.edits[id] = text;
        const FormOutcome out = ApplyObjectForm(form, engine, inventory.At(i));
        inventory.Abandon(i);
        return out;
    };
    EXPECT_EQ(apply(kKindPointSequence, objid::kText3, "1 2 3").code, 1);
    EXPECT_EQ(apply(kKindPointSequence, objid::kText3, "1 2 3 4").code, 0);
    EXPECT_EQ(apply(kKindPointOnCurve, objid::kText3, "sin").code, 1);
    EXPECT_EQ(apply(kKindRollingCircle, objid::kRadius, "0").code, 17);
    EXPECT_EQ(apply(kKindPoint, objid::kPointSize, "1000").code, 17);
    EXPECT_EQ(apply(kKindInterpolation, 211, "1 1 1 2").code, 1);
    const FormOutcome parse = apply(kKindLine, 212, "2*(x");
    EXPECT_NE(parse.code, 0);
    EXPECT_EQ(parse.focusId, 212);
}

TEST_F(ObjectDrawing, FamilyOfPointsDrawsOneMemberPerStep) {
    const int point = Add(kKindPoint, {"a", "0"});
    TExample& e = inventory.At(point);
    e.familyActive = 1;
    e.familyParam = 1;
    e.familyLow = -2;
    e.familyHigh = 2;
    e.familySteps = 4;
    engine.letters.LetterValues[1] = {7, 0};
    Draw(point);
    const auto dots = OpsOf(DrawOp::kDot);
    ASSERT_EQ(dots.size(), 5u);
    EXPECT_EQ(dots[0].points[0].x, -2);
    EXPECT_EQ(dots[4].points[0].x, 2);
    EXPECT_EQ(engine.letters.LetterValues[1].re, 7);  // the letter gets its value back
}

}  // namespace

namespace {

TEST_F(ObjectDrawing, AClickNearASegmentOrAPointSelectsIt) {
    Add(kKindSegment, {"-4", "-4", "-2", "-2"});
    Add(kKindPoint, {"3", "3"});
    EXPECT_EQ(PickExample(inventory, engine.letters, view, view.ToPixelX(-3) + 1, view.ToPixelY(-3)), 0);
    EXPECT_EQ(PickExample(inventory, engine.letters, view, view.ToPixelX(3), view.ToPixelY(3) + 2), 1);
    EXPECT_EQ(PickExample(inventory, engine.letters, view, view.ToPixelX(0), view.ToPixelY(0)), -1);
}

}  // namespace
