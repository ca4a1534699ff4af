// Plane sections of an explicit surface, the tangent plane at their crossing, and the slice
// dialog driving the 3D window's overlay.
#include <gtest/gtest.h>

#include "tests/window_test.h"

#include <cmath>

#include "expr/engine.h"
#include "framework/automation.h"
#include "framework/dialog.h"
#include "plot3d/plane_slices.h"
#include "plot3d/plot3_win.h"
#include "plot3d/slice_dlg.h"
#include "plot3d/surface_commands.h"
#include "plot3d/surface_kinds.h"
#include "plot3d/surface_trees.h"

using namespace curvelo;
namespace au = curvelo::fw::automation;

namespace {

class PlaneSlices : public ::testing::Test {
protected:
    PlaneSlices() { inventory.SetKindCompiler(&CompileSurface); }
    InventorySlot& Add(const std::string& f) {
        const int i = BeginSurface(inventory, kKindSurfaceExplicit);
        inventory.At(i).texts[2] = f;
        EXPECT_EQ(CommitSurface(inventory, i, engine), 0) << f;
        return inventory.Slot(i);
    }
    FormulaEngine engine;
    ExampleInventory inventory;
};

TEST_F(PlaneSlices, SectionsFollowTheSurfaceAndBreakWhereItIsUndefined) {
    InventorySlot& saddle = Add("xy");
    const auto lines = SectionCurve(saddle, engine.letters, 0, 1);
    ASSERT_EQ(lines.size(), 1u);
    EXPECT_EQ(lines[0].size(), static_cast<std::size_t>(kSectionSamples + 1));
    for (const Vec3& p : lines[0]) {
        EXPECT_EQ(p.x, 1);
        EXPECT_NEAR(static_cast<double>(p.z), static_cast<double>(p.y), 1e-15);
    }
    // y = 0 through a hemisphere over a wider box: one piece, within |x| <= 1.
    InventorySlot& dome = Add("sqrt(1-xx-yy)");
    const auto cap = SectionCurve(dome, engine.letters, 1, 0);
    ASSERT_EQ(cap.size(), 1u);
    for (const Vec3& p : cap[0]) EXPECT_LE(std::fabs(p.x), 1.0L);
    // A plane outside it meets nothing.
    EXPECT_TRUE(SectionCurve(dome, engine.letters, 1, 2).empty());
}

TEST_F(PlaneSlices, TangentPlaneTouchesAtTheCrossingPoint) {
    InventorySlot& bowl = Add("xx+yy");
    const TangentPlane t = TangentAt(bowl, engine.letters, 1, 1);
    ASSERT_TRUE(t.defined);
    EXPECT_NEAR(static_cast<double>(t.point.z), 2.0, 1e-12);
    EXPECT_NEAR(static_cast<double>(t.fx), 2.0, 1e-6);
    EXPECT_NEAR(static_cast<double>(t.fy), 2.0, 1e-6);
    for (const Vec3& c : t.corners) EXPECT_NEAR(static_cast<double>(c.z - t.At(c.x, c.y)), 0.0, 1e-12);
    EXPECT_FALSE(TangentAt(Add("sqrt(1-xx-yy)"), engine.letters, 2, 2).defined);
}

class SliceDialogTest : public curvelo::testing::WindowTest {};

TEST_F(SliceDialogTest, BarsMoveThePlanesAndAStaticSweepKeepsItsSections) {
    TPlot3Win w(nullptr, "névtelen1.cv3");
    ASSERT_TRUE(w.Create());
    EXPECT_FALSE(w.RunCommand(surfcmd::kSlices));  // no explicit surface yet
    au::SetDialogHook([](fw::TDialog& d) { return d.TemplateName() == "EQUA301" ? 1 : 2; });
    ASSERT_TRUE(w.RunCommand(surfcmd::kFirstKind));
    const TExample& e = w.Inventory().At(0);
    bool checked = false;
    au::SetDialogHook([&](fw::TDialog& dialog) {
        if (dialog.TemplateName() != "SLICES") return 2;
        auto& d = static_cast<TSliceDlg&>(dialog);
        SliceOverlay& overlay = w.Slices();
        EXPECT_EQ(overlay.example, 0);
        d.SetScrollPos(sliceid::kBarY, kSliceSteps);
        d.EvNotify(sliceid::kBarY, fw::Notify::ScrollChange);
        EXPECT_EQ(overlay.hy, e.values191[1]);
        EXPECT_TRUE(overlay.keptY.empty());  // animated: nothing kept
        d.CheckItem(sliceid::kStatic, true);
        d.CheckItem(sliceid::kAnimated, false);
        EXPECT_EQ(d.Sweep(false), kSliceSteps / kSweepStride + 1);
        EXPECT_EQ(overlay.keptY.size(), static_cast<std::size_t>(kSliceSteps / kSweepStride + 1));
        EXPECT_EQ(overlay.keptY.front(), e.values161[1]);
        EXPECT_EQ(overlay.hy, e.values191[1]);
        checked = true;
        return 2;
    });
    w.RunCommand(surfcmd::kSlices);
    EXPECT_TRUE(checked);
    EXPECT_EQ(w.Slices().example, -1);  // closed: the overlay is gone
}

}  // namespace
