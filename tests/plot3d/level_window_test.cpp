// The level tool through the 3D window: the implicit surface from the Equation menu, the
// level dialog's buttons, the level window, cancelling, and a document with layers.
#include <gtest/gtest.h>

#include "tests/window_test.h"

#include <unistd.h>

#include "framework/automation.h"
#include "framework/bitmap.h"
#include "framework/dialog.h"
#include "plot3d/layer_curves.h"
#include "plot3d/level_dlg.h"
#include "plot3d/level_win.h"
#include "plot3d/plot3_win.h"
#include "plot3d/surface_kinds.h"

using namespace curvelo;
namespace au = curvelo::fw::automation;

namespace {

class LevelWindowTest : public curvelo::testing::WindowTest {
protected:
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
    // A sphere of radius 2 from the Equation menu.
    static void AddSphere(TPlot3Win& w) {
        au::SetDialogHook([](fw::TDialog& d) {
            if (d.TemplateName() != "EQUA305") return 2;
            d.SetItemText(218, "xx+yy+zz=4");
            return 1;
        });
        ASSERT_TRUE(w.RunCommand(surfcmd::kImplicitSurface));
        ASSERT_EQ(w.Inventory().Count(), 1);
    }
    static std::vector<long double> LayerValues(TPlot3Win& w) {
        std::vector<long double> values;
        for (const LayerCurve& c : DistinctLayers(w.Inventory().Slot(0))) values.push_back(c.value);
        return values;
    }
};

TEST_F(LevelWindowTest, ImplicitSurfaceIsShownThroughTheLayersTheDialogFinds) {
    TPlot3Win w(nullptr, "névtelen1.cv3");
    ASSERT_TRUE(w.Create());
    w.MoveWindow({0, 0, 400, 400});
    w.Show();
    au::ProcessEvents();
    AddSphere(w);
    EXPECT_TRUE(w.CanDerive(0));
    const int empty = DrawnPixels(w);

    au::SetDialogHook([&](fw::TDialog& d) {
        if (d.TemplateName() != "LEVELS") return 2;
        d.SetItemText(levelid::kCount, "1");
        d.EvCommand(levelid::kNext);  // refused
        d.SetItemText(levelid::kCount, "5");
        d.SetItemText(levelid::kLower, "-2");
        d.SetItemText(levelid::kUpper, "2");
        d.SetItemText(levelid::kCurrent, "7");
        d.EvCommand(levelid::kSearch);  // outside the bounds: refused
        d.EvCommand(levelid::kNext);    // takes the lower bound
        EXPECT_EQ(d.GetItemText(levelid::kCurrent), w.Format().FormatForField(-2));
        d.EvCommand(levelid::kAuto);
        EXPECT_EQ(d.GetCount(levelid::kList), 3);  // the poles touch the planes ±2 only
        return 1;
    });
    EXPECT_EQ(w.DeriveExample(0), 0);
    EXPECT_EQ(messages, (std::vector<std::string>{"nem értem", "nem értem"}));
    EXPECT_EQ(LayerValues(w), (std::vector<long double>{-1, 0, 1}));
    EXPECT_EQ(w.Inventory().At(0).ints111[2], 4);
    EXPECT_GT(DrawnPixels(w), empty + 300);

    TLevelWin* level = w.ExistingLevelWindow();
    ASSERT_NE(level, nullptr);
    EXPECT_EQ(level->GetCaption(), "rétegek.cv3");
    EXPECT_EQ(level->ProjectionKind(), 3);
    EXPECT_EQ(level->Frame().axisTitles[0], "x");

    // Layers in x, then cancelled: the example is as before, the window kept.
    au::SetDialogHook([&](fw::TDialog& d) {
        if (d.TemplateName() != "LEVELS") return 2;
        d.EvCommand(levelid::kAxisX);
        EXPECT_EQ(d.GetItemText(levelid::kCurrent), d.GetItemText(levelid::kLower));
        d.SetItemText(levelid::kCurrent, "0.5");
        d.EvCommand(levelid::kSearch);
        EXPECT_EQ(d.GetCount(levelid::kList), 4);
        return 2;
    });
    EXPECT_EQ(w.DeriveExample(0), -1);
    EXPECT_EQ(LayerValues(w), (std::vector<long double>{-1, 0, 1}));
    EXPECT_EQ(w.ExistingLevelWindow(), level);
    EXPECT_EQ(level->ProjectionKind(), 6);
    EXPECT_EQ(level->Frame().axisTitles[0], "y");
}

TEST_F(LevelWindowTest, LayersSurviveTheDocumentAndDrawAgain) {
    const std::string path = ::testing::TempDir() + "/layers-" + std::to_string(::getpid()) + ".cv3";
    int drawn = 0;
    std::vector<Cv2InitialCondition> kept;
    {
        TPlot3Win w(nullptr, "névtelen1.cv3");
        ASSERT_TRUE(w.Create());
        w.MoveWindow({0, 0, 400, 400});
        w.Show();
        au::ProcessEvents();
        AddSphere(w);
        InventorySlot& slot = w.Inventory().Slot(0);
        for (int axis : {0, 1, 2}) SearchLayerCurves(slot, w.Engine().letters, axis, 0.5L, {});
        ASSERT_EQ(slot.initialConditions.size(), 3u);
        kept = slot.initialConditions;
        drawn = DrawnPixels(w);
        ASSERT_EQ(w.WriteDocument(path), 0);
    }
    TPlot3Win r(nullptr, "névtelen2.cv3");
    ASSERT_TRUE(r.Create());
    r.MoveWindow({0, 0, 400, 400});
    r.Show();
    au::ProcessEvents();
    ASSERT_EQ(r.ReadDocument(path), 0);
    ASSERT_EQ(r.Inventory().Count(), 1);
    EXPECT_EQ(r.Inventory().At(0).kind, kKindSurfaceImplicit);
    EXPECT_EQ(r.Inventory().Slot(0).initialConditions, kept);
    EXPECT_NEAR(DrawnPixels(r), drawn, drawn / 20);
    std::remove(path.c_str());
}

}  // namespace
