#include <gtest/gtest.h>

#include "tests/window_test.h"

#include "framework/automation.h"
#include "framework/bitmap.h"
#include "framework/dialog.h"
#include "plot2d/plot2_win.h"
#include "plot2d/plote_win.h"
#include "plot3d/plot3_win.h"
#include "plot3d/surface_form.h"
#include "plot3d/surface_kinds.h"
#include "plotwin/colour_table.h"

using namespace curvelo;
namespace au = curvelo::fw::automation;

namespace {

class SurfaceWindowTest : public curvelo::testing::WindowTest {
protected:
    // Pixels that are not background white.
    static int DrawnPixels(TPlot3Win& w) {
        w.RenderLayer(0);
        const fw::Bitmap& b = w.LayerBitmap(0);
        int n = 0;
        for (int y = 0; y < b.Height(); ++y)
            for (int x = 0; x < b.Width(); ++x) {
                const fw::Color p = b.GetPixel(x, y);
                n += (p.r < 250 || p.g < 250 || p.b < 250) ? 1 : 0;
            }
        return n;
    }
};

TEST_F(SurfaceWindowTest, EquationMenuAddsASurfaceThroughItsDialogAndLimits) {
    TPlot3Win w(nullptr, "névtelen1.cv3");
    ASSERT_TRUE(w.Create());
    w.MoveWindow({0, 0, 400, 400});
    w.Show();
    au::ProcessEvents();
    int shown = 0;
    au::SetDialogHook([&](fw::TDialog& d) {
        if (d.TemplateName() != "EQUA301") return 2;
        ++shown;
        d.SetItemText(surfid::kN1, "54");
        d.SetItemText(surfid::kN2, "54");
        d.EvCommand(1);  // refused: 3025 vertices
        d.SetItemText(surfid::kN2, "53");
        d.CheckItem(surfid::kShaded, true);
        return 1;
    });
    w.RunCommand(surfcmd::kFirstKind);
    ASSERT_EQ(shown, 1);
    ASSERT_EQ(messages.size(), 1u);
    EXPECT_EQ(messages[0], "túl a határokon");
    ASSERT_EQ(w.Inventory().Count(), 1);
    const TExample& e = w.Inventory().At(0);
    EXPECT_EQ(e.kind, kKindSurfaceExplicit);
    EXPECT_EQ(surf::N1(e), 54);
    EXPECT_EQ(surf::N2(e), 53);
    // The cell follows the surface's box and the picture shows its shaded sides.
    EXPECT_NEAR(static_cast<double>(w.Space().cellMax.z), 1.0, 0.02);
    EXPECT_GT(DrawnPixels(w), 20000);
    // Slow drawing draws lines only: far fewer pixels than the filled surface.
    const int filled = DrawnPixels(w);
    w.RunCommand(cellcmd::kSlowDrawing);
    EXPECT_TRUE(surf::Slow(w.Inventory().At(0)));
    const int lines = DrawnPixels(w);
    EXPECT_GT(lines, 200);
    EXPECT_LT(lines, filled);
    // Cancel leaves no trace.
    au::SetDialogHook([](fw::TDialog&) { return 2; });
    w.RunCommand(1016);
    EXPECT_EQ(w.Inventory().Count(), 1);
}

TEST_F(SurfaceWindowTest, TwoDimensionalCurveBecomesASurfaceOfRevolution) {
    TPlot3Win space(nullptr, "névtelen1.cv3");
    ASSERT_TRUE(space.Create());
    TPlot2Win plane(nullptr, "névtelen1.cv2");
    ASSERT_TRUE(plane.Create());
    au::SetDialogHook([](fw::TDialog& d) { return d.TemplateName() == "EQUA201" || d.TemplateName() == "EQUA307" ? 1 : 2; });
    plane.RunCommand(901);
    ASSERT_EQ(plane.Inventory().Count(), 1);
    plane.Inventory().Select(0);
    plane.RunCommand(kCmdSurfaceOfRevolution);
    ASSERT_EQ(space.Inventory().Count(), 1);
    const TExample& e = space.Inventory().At(0);
    EXPECT_EQ(e.kind, kKindRevolution);
    EXPECT_EQ(e.texts[1], plane.Inventory().At(0).texts[1]);
    EXPECT_EQ(e.low, plane.Inventory().At(0).low);
    // Nothing selected: the command is disabled and nothing is added.
    plane.Inventory().Select(-1);
    plane.RunCommand(kCmdSurfaceOfRevolution);
    EXPECT_EQ(space.Inventory().Count(), 1);
}

}  // namespace
