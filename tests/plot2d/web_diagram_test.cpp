#include "expr/engine.h"
#include "framework/automation.h"
#include "framework/dialog.h"
#include "plot2d/example_kinds.h"
#include "plot2d/fn_list_dlg.h"
#include "plot2d/iteration_form.h"
#include "plot2d/plot2_win.h"
#include "plot2d/web_diagram.h"

#include <gtest/gtest.h>

using namespace curvelo;
namespace au = curvelo::fw::automation;

namespace {

ExprNode* Compile(FormulaEngine& engine, const char* text) {
    EXPECT_EQ(engine.CompileFormula(text), 0) << text;
    return engine.TakeCompiledTree();
}

}  // namespace

TEST(WebDiagram, OrbitStepsBetweenTheGraphAndTheDiagonal) {
    FormulaEngine engine;
    SetLetter(engine.letters, kLetterX, 7);
    ExprNode* half = Compile(engine, "x/2");
    const std::vector<WorldPoint> path = WebDiagramPath(engine.letters, half, 1, 3);
    const std::vector<std::pair<long double, long double>> expected = {
        {1, 0}, {1, 0.5L}, {0.5L, 0.5L}, {0.5L, 0.25L}, {0.25L, 0.25L}, {0.25L, 0.125L}, {0.125L, 0.125L}};
    ASSERT_EQ(path.size(), expected.size());
    for (std::size_t i = 0; i < path.size(); ++i) {
        EXPECT_EQ(path[i].x, expected[i].first) << i;
        EXPECT_EQ(path[i].y, expected[i].second) << i;
    }
    EXPECT_EQ(GetLetter(engine.letters, kLetterX), 7);  // the drawing's X is left alone
    FreeTree(half);

    // sqrt(x) - 1 from 0.5 leaves the domain after one step; exp(exp(x)) overflows.
    ExprNode* root = Compile(engine, "sqrt(x)-1");
    EXPECT_EQ(WebDiagramPath(engine.letters, root, 0.5L, 10).size(), 3u);
    FreeTree(root);
    ExprNode* fast = Compile(engine, "exp(exp(x))");
    EXPECT_LT(WebDiagramPath(engine.letters, fast, 2, 50).size(), 10u);
    FreeTree(fast);
    EXPECT_EQ(WebDiagramPath(engine.letters, nullptr, 0, 5).size(), 0u);
}

TEST(WebDiagram, FormTakesFormulasAndBoundsTheSteps) {
    FormulaEngine engine;
    TExample e = NewExample(kKindExplicit, -5, 5, 6);
    const IterationForm initial = IterationFormOf(e, NumberFormat());
    EXPECT_FALSE(initial.active);
    EXPECT_EQ(initial.steps, "10");

    IterationForm f{true, "pi/4", "0"};
    const FormOutcome refused = ApplyIterationForm(f, engine, e);
    EXPECT_NE(refused.code, 0);
    EXPECT_EQ(refused.focusId, iterid::kSteps);
    EXPECT_FALSE(IterationActive(e));  // nothing written

    f.steps = "25";
    EXPECT_EQ(ApplyIterationForm(f, engine, e).code, 0);
    EXPECT_TRUE(IterationActive(e));
    EXPECT_NEAR(static_cast<double>(IterationStart(e)), 0.785398163, 1e-9);
    EXPECT_EQ(IterationSteps(e), 25);
    EXPECT_EQ(ApplyIterationForm({true, "1+", "5"}, engine, e).focusId, iterid::kStart);
}

TEST(WebDiagram, InventoryButtonDrawsTheDiagramOfTheSelectedCurve) {
    au::EnsureApplication();
    TPlot2Win w(nullptr, "t.cv2");
    ASSERT_TRUE(w.Create());
    w.Show();
    ExampleInventory& inv = w.Inventory();
    const int polar = inv.Begin(kKindPolar, 0, 6.283185307179586L);
    inv.Commit(polar, w.Engine());
    const int i = inv.Begin(kKindExplicit, -5, 5);
    inv.At(i).texts[1] = "cos(x)";
    inv.Commit(i, w.Engine());
    EXPECT_FALSE(w.CanIterate(polar));
    EXPECT_TRUE(w.CanIterate(i));

    inv.Select(i);
    w.ShowInventory();  // the list shows the selection
    ASSERT_NE(w.InventoryDialog(), nullptr);
    au::SetDialogHook([](fw::TDialog& d) {
        EXPECT_EQ(d.TemplateName(), "ITERATE");
        d.CheckItem(iterid::kActive, true);
        d.SetItemText(iterid::kStart, "-2");
        d.SetItemText(iterid::kSteps, "30");
        return 1;
    });
    w.InventoryDialog()->EvCommand(invid::kIteration);
    au::SetDialogHook({});
    EXPECT_TRUE(IterationActive(inv.At(i)));
    EXPECT_TRUE(w.IsModified());
    EXPECT_EQ(inv.Selected(), i);  // refreshing the list keeps the selection

    w.RenderLayer(0);
    const fw::Bitmap& b = w.LayerBitmap(0);
    const PlotView& v = w.View();
    const fw::Color pen = [&] { const Rgb c = ColourOf(inv.At(i).penColour); return fw::Color{c.r, c.g, c.b}; }();
    // The first riser stands at x0 = -2 from the axis up to cos(-2) < 0, i.e. downwards.
    int onRiser = 0;
    for (int y = v.ToPixelY(0) + 2; y < v.ToPixelY(std::cos(-2.0L)) - 1; ++y)
        if (b.GetPixel(v.ToPixelX(-2), y) == pen) ++onRiser;
    EXPECT_GT(onRiser, 5);
    // cos(x) = x near 0.739: the orbit spirals into the fixed point on the diagonal.
    const int fx = v.ToPixelX(0.7390851L), fy = v.ToPixelY(0.7390851L);
    int nearFixed = 0;
    for (int dy = -2; dy <= 2; ++dy)
        for (int dx = -2; dx <= 2; ++dx)
            if (b.GetPixel(fx + dx, fy + dy) == pen) ++nearFixed;
    EXPECT_GT(nearFixed, 0);
}
