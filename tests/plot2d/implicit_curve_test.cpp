// Implicit curves: the search, the start-point list, the coverage test and the shading,
// through the drawer on a recording surface and through the real window's layer bitmap.
#include <gtest/gtest.h>

#include <cmath>

#include "expr/engine.h"
#include "framework/automation.h"
#include "framework/bitmap.h"
#include "framework/keys.h"
#include "plot2d/curve_sampler.h"
#include "plot2d/cv2_codec.h"
#include "plot2d/equation_form.h"
#include "plot2d/example_kinds.h"
#include "plot2d/implicit_drawer.h"
#include "plot2d/inventory.h"
#include "plot2d/plot2_win.h"
#include "plot2d/trace_options.h"
#include "plotwin/colour_table.h"
#include "plotwin/recording_surface.h"
#include "tests/window_test.h"

using namespace curvelo;
namespace au = curvelo::fw::automation;

namespace {

class ImplicitDrawing : public ::testing::Test {
protected:
    ImplicitDrawing() {
        view.SetClientSize(500, 500);
        view.SetViewSquare(0, 0, 5);
        view.ApplyView();
        view.SeedRandom(7);
    }
    int Add(const std::string& equation) {
        const int i = inventory.Begin(kKindImplicit, 0, 1);
        inventory.At(i).texts[4] = equation;
        EXPECT_EQ(inventory.Commit(i, engine), 0) << equation;
        RequestImplicitSearch(inventory.Slot(i));
        return i;
    }
    int Draw(int i, const std::function<int()>& poll = {}) {
        ImplicitDrawer drawer(engine.letters, surface, TraceOptions().Settings());
        drawer.silent = !poll;
        drawer.hooks.pollKey = poll;
        drawer.hooks.randomPoint = [this] { return view.RandomPointInView(); };
        const int key = drawer.Draw(inventory.Slot(i));
        branches = drawer.BranchesTraced();
        return key;
    }
    std::vector<const DrawOp*> Polylines() const {
        std::vector<const DrawOp*> out;
        for (const DrawOp& op : surface.Ops())
            if (op.kind == DrawOp::kPolyline && !op.points.empty()) out.push_back(&op);
        return out;
    }
    bool OnBorder(WorldPoint p) const {
        const long double e = 1e-6L;
        return std::fabs(p.x - view.xmin) < e || std::fabs(p.x - view.xmax) < e || std::fabs(p.y - view.ymin) < e ||
               std::fabs(p.y - view.ymax) < e;
    }

    PlotView view;
    FormulaEngine engine;
    ExampleInventory inventory;
    RecordingSurface surface{view};
    int branches = 0;
};

}  // namespace

TEST_F(ImplicitDrawing, CircleIsFoundOnceRememberedAndRetracedWithoutASearch) {
    const int i = Add("xx+yy=13");
    EXPECT_EQ(Draw(i), 0);
    ASSERT_EQ(inventory.Slot(i).initialConditions.size(), 1u);
    EXPECT_EQ(inventory.At(i).arrow, 0);  // byte 58: searched
    const auto lines = Polylines();
    ASSERT_EQ(lines.size(), 1u);  // one closed run, no backward trace
    const auto& pts = lines[0]->points;
    EXPECT_EQ(pts.front().x, pts.back().x);
    EXPECT_EQ(pts.front().y, pts.back().y);
    // The repaint traces the same branch again, point for point, and searches nothing.
    surface.Clear();
    EXPECT_EQ(Draw(i), 0);
    EXPECT_EQ(branches, 1);
    ASSERT_EQ(Polylines().size(), 1u);
    EXPECT_EQ(Polylines()[0]->points.size(), pts.size());
    EXPECT_EQ(inventory.Slot(i).initialConditions.size(), 1u);
}

TEST_F(ImplicitDrawing, HyperbolaBranchesAreBothFoundAndRunToTheBorderBothWays) {
    const int i = Add("xy=1");
    Draw(i);
    EXPECT_EQ(inventory.Slot(i).initialConditions.size(), 2u);
    const auto lines = Polylines();
    ASSERT_EQ(lines.size(), 4u);  // each branch forward and backward
    int positive = 0;
    for (const DrawOp* line : lines) {
        EXPECT_TRUE(OnBorder(line->points.back()));
        // On the curve; the last point is where the last chord meets the border.
        for (std::size_t k = 0; k + 1 < line->points.size(); ++k)
            ASSERT_NEAR(line->points[k].x * line->points[k].y, 1.0L, 1e-4L);
        EXPECT_NEAR(line->points.back().x * line->points.back().y, 1.0L, 1e-2L);
        positive += line->points.back().x > 0;
    }
    EXPECT_EQ(positive, 2);
}

TEST_F(ImplicitDrawing, LongSearchGoesOnUntilQAndNeverTracesABranchTwice) {
    const int i = Add("sin(x)+sin(y)=0.5");
    inventory.At(i).longSearch = 1;
    int polls = 0;
    EXPECT_EQ(Draw(i, [&polls] { return ++polls >= 400 ? kKeyStopDrawing : 0; }), kKeyStopDrawing);
    EXPECT_GE(polls, 400);
    // Every start point lies on its own branch: no two closed loops around one centre.
    const auto& list = inventory.Slot(i).initialConditions;
    EXPECT_EQ(static_cast<int>(list.size()), branches);
    const auto lines = Polylines();
    for (std::size_t a = 0; a < lines.size(); ++a)
        for (std::size_t b = a + 1; b < lines.size(); ++b) {
            const auto& pa = lines[a]->points;
            const auto& pb = lines[b]->points;
            // Runs that share points are the two halves of one branch from one start.
            if (pa.front().x == pb.front().x && pa.front().y == pb.front().y) continue;
            for (const WorldPoint& p : pa)
                for (std::size_t k = 0; k < pb.size(); k += 4)
                    ASSERT_GT(std::hypot(p.x - pb[k].x, p.y - pb[k].y), 1.5L * view.upx);
        }
    // Loops around the four maxima in the view (two of them cut by its left border).
    EXPECT_EQ(list.size(), 4u);
}

TEST_F(ImplicitDrawing, NoSignChangeDrawsNothingAndAStaleStartPointIsReplaced) {
    for (const char* eq : {"(x-y)^2=0", "xx+yy=-1"}) {
        const int i = Add(eq);
        EXPECT_EQ(Draw(i), 0);
        EXPECT_TRUE(inventory.Slot(i).initialConditions.empty()) << eq;
    }
    EXPECT_TRUE(Polylines().empty());

    // A letter change moves the curve off its remembered start point: searched again.
    SetLetter(engine.letters, 1, 4);
    const int i = Add("xx+yy=a");
    Draw(i);
    ASSERT_EQ(inventory.Slot(i).initialConditions.size(), 1u);
    SetLetter(engine.letters, 1, 9);
    surface.Clear();
    Draw(i);
    ASSERT_EQ(inventory.Slot(i).initialConditions.size(), 1u);
    const WorldPoint p = LoadImplicitStart(inventory.Slot(i).initialConditions[0]).p;
    EXPECT_NEAR(std::hypot(p.x, p.y), 3.0L, 1e-3L);
}

TEST_F(ImplicitDrawing, FamilyPassesKeepTheirOwnStartPoints) {
    const int i = Add("xx+yy=a");
    TExample& e = inventory.At(i);
    e.familyActive = 1;
    e.familyParam = 1;
    e.familyLow = 1;
    e.familyHigh = 9;
    e.familySteps = 2;  // a = 1, 5, 9
    Draw(i);
    const auto& list = inventory.Slot(i).initialConditions;
    ASSERT_EQ(list.size(), 3u);
    for (const auto& node : list) {
        const ImplicitStart s = LoadImplicitStart(node);
        EXPECT_NEAR(s.p.x * s.p.x + s.p.y * s.p.y, s.passValue, 1e-4L);
        EXPECT_EQ(s.passValue, 1 + 4 * s.pass);
    }
    surface.Clear();
    Draw(i);
    EXPECT_EQ(list.size(), 3u);
    EXPECT_EQ(Polylines().size(), 3u);
}

TEST_F(ImplicitDrawing, ShadingHatchesOnlyTheChosenSide) {
    const int i = Add("xx+yy=4");
    inventory.At(i).flag49 = kShadeBelow;
    Draw(i);
    int hatches = 0;
    for (const DrawOp& op : surface.Ops()) {
        if (op.kind != DrawOp::kSegment) continue;
        ++hatches;
        for (const WorldPoint& p : op.points) EXPECT_LE(std::hypot(p.x, p.y), 2.0L + 0.1L);
        // The ends of a hatch line lie on the circle.
        EXPECT_NEAR(std::hypot(op.points[0].x, op.points[0].y), 2.0L, 0.05L);
    }
    EXPECT_GT(hatches, 10);
}

TEST_F(ImplicitDrawing, StartPointsAndSearchFlagSurviveTheDocument) {
    const int i = Add("xy=1");
    Draw(i);
    Cv2Document doc;
    Cv2Example ex;
    ex.example = inventory.At(i);
    ex.initialConditions = inventory.Slot(i).initialConditions;
    doc.examples.push_back(ex);
    const std::vector<std::uint8_t> bytes = WriteCv2(doc);
    Cv2Document back;
    ASSERT_EQ(ReadCv2(bytes, kFileType2D, back), 0);
    ASSERT_EQ(back.examples.size(), 1u);
    EXPECT_EQ(back.examples[0].initialConditions, ex.initialConditions);
    EXPECT_EQ(LoadImplicitStart(back.examples[0].initialConditions[1]).p.x,
              LoadImplicitStart(ex.initialConditions[1]).p.x);
}

TEST(ImplicitForm, EquationIsCheckedAndTheDialogFieldsReachTheRecord) {
    FormulaEngine engine;
    NumberFormat format;
    TExample e = NewExample(kKindImplicit, 0, 1, 6);
    EXPECT_EQ(e.texts[4], "xx+yy=13");
    EXPECT_EQ(e.flags52[0], 1);  // stops at the picture's borders
    EquationForm f = EquationFormOf(e, format);
    EXPECT_EQ(f.edits.count(eqid::kLow), 0u);  // no interval
    f.edits[eqid::kTextImplicit] = "x=y=1";
    EXPECT_EQ(ApplyEquationForm(f, engine, e).code, 1);
    f.edits[eqid::kTextImplicit] = "x^3+y^3=3xy";
    f.checks[eqid::kLongSearch] = true;
    f.checks[eqid::kObserve] = true;
    f.checks[eqid::kPictureBorders] = false;
    f.shading = 2;
    f.edits[eqid::kDensity] = "3";
    ASSERT_EQ(ApplyEquationForm(f, engine, e).code, 0);
    EXPECT_EQ(e.texts[4], "x^3+y^3=3xy");
    EXPECT_EQ(e.longSearch, 1);
    EXPECT_EQ(e.periodic, 1);
    EXPECT_EQ(e.flags52[0], 0);
    EXPECT_EQ(e.flag49, kShadeAbove);
    EXPECT_EQ(e.density, 3);
    std::string formula;
    EXPECT_TRUE(ImplicitDifference("xy", formula));
    EXPECT_EQ(formula, "xy");
    EXPECT_FALSE(ImplicitDifference("=1", formula));
}

namespace {

class ImplicitWindow : public curvelo::testing::WindowTest {
protected:
    // Ink of any colour but the background within a pixel of (x, y).
    static bool Inked(const fw::Bitmap& b, int x, int y) {
        for (int dy = -1; dy <= 1; ++dy)
            for (int dx = -1; dx <= 1; ++dx) {
                const fw::Color p = b.GetPixel(x + dx, y + dy);
                if (p.r < 200 || p.g < 200 || p.b < 200) return true;
            }
        return false;
    }
};

}  // namespace

TEST_F(ImplicitWindow, F3AddsTheCurveAndTheLayerBitmapShowsItWhole) {
    TPlot2Win w(nullptr, "implicit.cv2");
    ASSERT_TRUE(w.Create());
    w.Show();
    au::ProcessEvents();
    w.EvCommand(109);  // no axes: only the curves leave ink
    au::SetDialogHook([](fw::TDialog& d) {
        if (d.GetItemText(eqid::kTextImplicit).empty()) return 2;  // only the equation dialog
        d.SetItemText(eqid::kTextImplicit, "(xx+yy)^2=2(xx-yy)");
        return 1;
    });
    au::PostKey(w, fw::vk::F(3));
    au::ProcessEvents();
    au::SetDialogHook({});
    ASSERT_EQ(w.Inventory().Count(), 1);
    EXPECT_EQ(w.Inventory().At(0).kind, kKindImplicit);
    w.RenderLayer(0);
    const fw::Bitmap& b = w.LayerBitmap(0);
    const PlotView& v = w.View();
    // Every pixel along the lemniscate, the crossing at the origin included, is inked.
    int missing = 0;
    for (int k = 0; k < 2000; ++k) {
        const long double t = k * kTwoPi / 2000, s = std::sin(t), c = std::cos(t);
        const long double x = std::sqrt(2.0L) * c / (1 + s * s), y = x * s;
        missing += !Inked(b, v.ToPixelX(x), v.ToPixelY(y));
    }
    EXPECT_EQ(missing, 0);
    EXPECT_TRUE(Inked(b, v.ToPixelX(0), v.ToPixelY(0)));
    EXPECT_FALSE(Inked(b, v.ToPixelX(0), v.ToPixelY(1)));
    EXPECT_FALSE(Inked(b, v.ToPixelX(0.7L), v.ToPixelY(0)));  // inside a loop
}

TEST_F(ImplicitWindow, CloseCirclesAreEachDrawnInTheirOwnColour) {
    TPlot2Win w(nullptr, "two.cv2");
    ASSERT_TRUE(w.Create());
    w.Show();
    au::ProcessEvents();
    ExampleInventory& inv = w.Inventory();
    for (const char* eq : {"xx+yy=1", "xx+yy=1.0404"}) {
        const int i = inv.Begin(kKindImplicit, 0, 1);
        inv.At(i).texts[4] = eq;
        inv.Commit(i, w.Engine());
        RequestImplicitSearch(inv.Slot(i));
    }
    inv.At(0).penColour = 4;
    inv.At(1).penColour = 2;
    w.RenderLayer(0);
    EXPECT_EQ(inv.Slot(0).initialConditions.size(), 1u);
    EXPECT_EQ(inv.Slot(1).initialConditions.size(), 1u);
    const fw::Bitmap& b = w.LayerBitmap(0);
    const PlotView& v = w.View();
    const auto near = [](fw::Color p, Rgb c) {
        return std::abs(p.r - c.r) < 60 && std::abs(p.g - c.g) < 60 && std::abs(p.b - c.b) < 60;
    };
    // Along rays outward, the inner colour comes first and the outer one after it (one
    // pixel apart, one may cover the other where they fall on the same pixels).
    int inside = 0, outside = 0;
    for (int k = 0; k < 16; ++k) {
        const long double a = k * kTwoPi / 16 + 0.1L;
        int inner = -1, outer = -1;
        for (int step = 0; step < 60; ++step) {
            const long double r = 0.9L + step * 0.004L;
            const fw::Color p = b.GetPixel(v.ToPixelX(r * std::cos(a)), v.ToPixelY(r * std::sin(a)));
            if (inner < 0 && near(p, ColourOf(4))) inner = step;
            if (near(p, ColourOf(2))) outer = step;
        }
        inside += inner >= 0;
        outside += outer >= 0 && outer >= inner;
    }
    EXPECT_GE(inside, 12);
    EXPECT_GE(outside, 12);
}

TEST_F(ImplicitWindow, DocumentKeepsStartPointsAndTracerSettingsAndReopeningSearchesAgain) {
    const std::string path = ::testing::TempDir() + "/implicit_round.cv2";
    {
        TPlot2Win w(nullptr, "implicit_round.cv2");
        ASSERT_TRUE(w.Create());
        ExampleInventory& inv = w.Inventory();
        const int i = inv.Begin(kKindImplicit, 0, 1);
        inv.At(i).texts[4] = "xy=1";
        inv.Commit(i, w.Engine());
        RequestImplicitSearch(inv.Slot(i));
        w.RenderLayer(0);
        ASSERT_EQ(inv.Slot(i).initialConditions.size(), 2u);
        // The tracer's menu: a tolerance typed into its input box, the sudden-angle switch.
        au::SetDialogHook([](fw::TDialog& d) {
            d.SetItemText(211, "2.5");
            return 1;
        });
        w.EvCommand(tracecmd::kLoops);
        au::SetDialogHook([](fw::TDialog& d) {
            d.SetItemText(211, "-1");  // refused: the old value stays
            return 1;
        });
        w.EvCommand(tracecmd::kFlatness);
        au::SetDialogHook({});
        EXPECT_EQ(messages.size(), 1u);
        w.EvCommand(tracecmd::kSuddenAngles);
        EXPECT_EQ(w.Tracing().loopPixels, 2.5L);
        EXPECT_EQ(w.Tracing().flatnessPixels, 0.25L);
        ASSERT_EQ(w.WriteDocument(path), 0);
    }
    TPlot2Win w(nullptr, "again.cv2");
    ASSERT_TRUE(w.Create());
    ASSERT_EQ(w.ReadDocument(path), 0);
    EXPECT_EQ(w.Tracing().loopPixels, 2.5L);
    EXPECT_TRUE(w.Tracing().suddenAngles);
    InventorySlot& slot = w.Inventory().Slot(0);
    EXPECT_EQ(slot.initialConditions.size(), 2u);
    EXPECT_EQ(slot.example.arrow, 1);  // searches again on the first drawing
    w.RenderLayer(0);
    EXPECT_EQ(slot.example.arrow, 0);
    EXPECT_EQ(slot.initialConditions.size(), 2u);  // the known branches are not found twice
}

namespace {

// Counts the paints that come while the picture is still being drawn.
class ObservedWin : public TPlot2Win {
public:
    using TPlot2Win::TPlot2Win;
    int paintsWhileDrawing = 0;
    bool drawing = false;
    void Redraw() {
        drawing = true;
        RepaintAll();
        drawing = false;
    }

protected:
    void Paint(fw::DC& dc, bool erase, const fw::Rect& rect) override {
        if (drawing) ++paintsWhileDrawing;
        TPlot2Win::Paint(dc, erase, rect);
    }
};

}  // namespace

TEST_F(ImplicitWindow, ObserveModeShowsTheTracingStepByStep) {
    ObservedWin w(nullptr, "observe.cv2");
    ASSERT_TRUE(w.Create());
    w.Show();
    au::ProcessEvents();
    ExampleInventory& inv = w.Inventory();
    const int i = inv.Begin(kKindImplicit, 0, 1);
    inv.At(i).texts[4] = "xx+yy=13";
    inv.Commit(i, w.Engine());
    RequestImplicitSearch(inv.Slot(i));
    w.Redraw();
    EXPECT_EQ(w.paintsWhileDrawing, 0);
    inv.At(i).periodic = 1;  // "megfigyelés"
    RequestImplicitSearch(inv.Slot(i));
    w.Redraw();
    EXPECT_GE(w.paintsWhileDrawing, 20);  // the circle takes a hundred steps or more
}

TEST_F(ImplicitDrawing, StartPointsOfOneBranchFromAFileAreTracedOnce) {
    const int i = Add("xx+yy=13");
    auto& list = inventory.Slot(i).initialConditions;
    for (int k = 0; k < 5000; ++k) {
        const long double a = k * 0.001L;
        list.push_back(StoreImplicitStart({{std::sqrt(13.0L) * std::cos(a), std::sqrt(13.0L) * std::sin(a)}, 0, 0}));
    }
    list.push_back(StoreImplicitStart({{NAN, 1}, 0, 0}));
    inventory.At(i).arrow = 0;
    Draw(i);
    EXPECT_EQ(branches, 1);
    EXPECT_EQ(list.size(), 1u);
}
