#include <gtest/gtest.h>

#include <cstdlib>
#include <unistd.h>

#include "tests/window_test.h"

#include "framework/automation.h"
#include "framework/bitmap.h"
#include "framework/dialog.h"
#include "plot2d/ivp_form.h"
#include "plot3d/merid_dlg.h"
#include "plot3d/plot3_win.h"
#include "plot3d/space_form.h"
#include "plot3d/space_kinds.h"
#include "plot3d/space_seq_dlg.h"
#include "plot3d/space_solutions.h"
#include "plot3d/space_trace_dlg.h"

using namespace curvelo;
namespace au = curvelo::fw::automation;

namespace {

class SpaceWindowTest : public curvelo::testing::WindowTest {
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
    static void Open(TPlot3Win& w) {
        ASSERT_TRUE(w.Create());
        w.MoveWindow({0, 0, 400, 400});
        w.Show();
        au::ProcessEvents();
    }
};

TEST_F(SpaceWindowTest, EveryKindComesFromTheMenuAndSurvivesTheDocumentWithItsLists) {
    const std::string path = ::testing::TempDir() + "/space-" + std::to_string(::getpid()) + ".cv3";
    std::vector<TExample> before;
    std::vector<std::vector<Cv2InitialCondition>> lists;
    {
        TPlot3Win w(nullptr, "névtelen1.cv3");
        Open(w);
        au::SetDialogHook([](fw::TDialog& d) {
            if (d.TemplateName() == "EQUA304") {
                d.SetItemText(spaceid::kLow, "3");
                d.SetItemText(spaceid::kHigh, "1");
                d.EvCommand(1);  // refused: a reversed range
                d.SetItemText(spaceid::kHigh, "2pi");
                d.CheckItem(spaceid::kArrow, true);
            }
            if (d.TemplateName() == "EQUA309") d.CheckItem(spaceid::kHollow, true);
            return 1;
        });
        for (int command : {spacecmd::kCurve, spacecmd::kSegment, spacecmd::kPointCartesian,
                            spacecmd::kPointCylindrical, spacecmd::kPointSpherical, spacecmd::kSystem,
                            spacecmd::kSequence, spacecmd::kPointSequence})
            EXPECT_GE(w.AddSpaceExample(command), 0) << command;
        ASSERT_EQ(messages.size(), 1u);
        EXPECT_EQ(messages[0], "túl a határokon");
        au::SetDialogHook([](fw::TDialog& d) {
            EXPECT_EQ(d.TemplateName(), "MERID");
            return 1;
        });
        w.RunCommand(spacecmd::kMeridian);
        ASSERT_EQ(w.Inventory().Count(), 9);
        EXPECT_EQ(w.Inventory().At(8).texts[2], "(1.00)cos(t)");
        EXPECT_TRUE(w.Inventory().At(0).arrow);
        EXPECT_EQ(space::Coordinates(w.Inventory().At(4)), PointCoordinates::kSpherical);

        // A trajectory through IVP10 with z, kept as texts; a start point through IVP12.
        au::SetDialogHook([](fw::TDialog& d) {
            if (d.TemplateName() != "IVP10") return 2;
            EXPECT_TRUE(d.IsItemVisible(ivpid::kZ));
            d.SetItemText(ivpid::kX, "1");
            d.SetItemText(ivpid::kY, "A+1");
            d.SetItemText(ivpid::kZ, "3");
            d.CheckItem(ivpid::kAsText, true);
            d.EvCommand(ivpid::kDraw);
            return 2;
        });
        w.RunCommand(spacecmd::kConditions);
        au::SetDialogHook([](fw::TDialog& d) {
            if (d.TemplateName() != "IVP12") return 2;
            d.SetItemText(seqstartid::kTerms, "0");
            d.EvCommand(ivpid::kDraw);  // refused
            d.SetItemText(seqstartid::kTerms, "150");
            d.SetItemText(seqstartid::kZ, "0.5");
            d.EvCommand(ivpid::kDraw);
            return 2;
        });
        w.RunCommand(spacecmd::kStartPoints);
        const InventorySlot& system = w.Inventory().Slot(5);
        ASSERT_EQ(system.initialConditions.size(), 1u);
        const TInitialCondition c = TInitialCondition::Load(system.initialConditions[0]);
        EXPECT_EQ(c.z0, 3);
        EXPECT_EQ(c.texts[TInitialCondition::kTextY0], "A+1");
        ASSERT_EQ(w.Inventory().Slot(6).initialConditions.size(), 1u);
        EXPECT_EQ(ReadSpaceStartPoint(w.Inventory().Slot(6).initialConditions[0]).z, 0.5L);
        EXPECT_GT(DrawnPixels(w), 2000);
        for (int i = 0; i < w.Inventory().Count(); ++i) {
            before.push_back(w.Inventory().At(i));
            lists.push_back(w.Inventory().Slot(i).initialConditions);
        }
        ASSERT_EQ(w.WriteDocument(path), 0);
    }
    TPlot3Win r(nullptr, "névtelen2.cv3");
    Open(r);
    ASSERT_EQ(r.ReadDocument(path), 0);
    ASSERT_EQ(r.Inventory().Count(), static_cast<int>(before.size()));
    for (int i = 0; i < r.Inventory().Count(); ++i) {
        EXPECT_EQ(r.Inventory().At(i), before[static_cast<std::size_t>(i)]) << i;
        EXPECT_EQ(r.Inventory().Slot(i).initialConditions, lists[static_cast<std::size_t>(i)]) << i;
    }
    EXPECT_FALSE(SpaceSolutionRows(r.Engine(), r.Inventory().Slot(5), 0).empty());
    EXPECT_GT(DrawnPixels(r), 2000);
    if (!::getenv("KEEP_SPACE_DOC")) ::unlink(path.c_str());
}

}  // namespace

namespace {

TEST_F(SpaceWindowTest, RunningPointMovesAlongTheMeridianAndLeavesWithItsDialog) {
    TPlot3Win w(nullptr, "névtelen1.cv3");
    Open(w);
    ASSERT_GE(w.AddMeridian("2", "0"), 0);
    w.RunCommand(spacecmd::kRunningPoint);
    TSpaceTraceDlg* d = w.RunningPointDialog();
    ASSERT_NE(d, nullptr);
    ASSERT_TRUE(d->HasPoint());
    // It starts in the middle of the range: the equator.
    EXPECT_NEAR(static_cast<double>(d->Point().x), 2, 1e-12);
    EXPECT_NEAR(static_cast<double>(d->Point().z), 0, 1e-12);
    const int before = DrawnPixels(w);
    for (int k = 0; k < 80; ++k) d->EvCommand(trace3id::kFastForward);
    EXPECT_EQ(d->T(), w.Inventory().At(0).high);  // stops at the end
    EXPECT_NEAR(static_cast<double>(d->Point().z), -2, 1e-12);
    EXPECT_GT(before, 0);
    d->EndDialog(2);
    au::ProcessEvents();
    EXPECT_EQ(w.RunningPointDialog(), nullptr);
}

}  // namespace
