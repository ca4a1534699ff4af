// The Equation menu's objects made through their dialogs in a real 2D window, kept in a
// document, read back and drawn.
#include "plot2d/plot2_win.h"

#include <gtest/gtest.h>

#include "tests/window_test.h"

#include "framework/automation.h"
#include "framework/bitmap.h"
#include "framework/dc.h"
#include "framework/dialog.h"
#include "plot2d/equation_form.h"
#include "plot2d/example_kinds.h"
#include "plot2d/interpolation.h"
#include "plot2d/object_form.h"
#include "plot2d/sequence_dlg.h"

using namespace curvelo;
namespace au = curvelo::fw::automation;

namespace {

class ObjectWindowTest : public curvelo::testing::WindowTest {};

// Everything a document keeps of an example, compared field by field.
void ExpectSameSlots(const ExampleInventory& a, const ExampleInventory& b) {
    ASSERT_EQ(a.Count(), b.Count());
    for (int i = 0; i < a.Count(); ++i) {
        EXPECT_EQ(a.Slot(i).example.Store(), b.Slot(i).example.Store()) << i;
        EXPECT_EQ(a.Slot(i).example.texts, b.Slot(i).example.texts) << i;
        EXPECT_EQ(a.Slot(i).initialConditions, b.Slot(i).initialConditions) << i;
    }
}

TEST_F(ObjectWindowTest, EveryObjectKindMadeThroughItsDialogSurvivesADocument) {
    const std::string path = ::testing::TempDir() + "/objektumok.cv2";
    TPlot2Win w(nullptr, "névtelen1.cv2");
    ASSERT_TRUE(w.Create());
    int step = 0;
    au::SetDialogHook([&](fw::TDialog& d) {
        // The inventory list opens by itself after the first example: leave it.
        if (d.GetItemText(eqid::kPenWidth).empty() && d.GetItemText(objid::kPointSize).empty() &&
            d.GetItemText(objid::kText3).empty())
            return 2;
        switch (step++) {
        case 0:  // segment with its end points as points
            d.CheckItem(objid::kEndPoints, true);
            break;
        case 1: d.SetItemText(eqid::kTextY, "0"); d.SetItemText(eqid::kTextR, "4"); break;  // line 2.54x = 4
        case 2: d.SetItemText(eqid::kTextX, "2"); d.SetItemText(eqid::kTextY, "pi/4"); break;  // polar point
        case 3:  // sequence: a second start point, joined terms
            d.SetItemText(eqid::kTextX, "y");
            d.SetItemText(eqid::kTextY, "x");
            d.CheckItem(objid::kConnect, true);
            d.SetItemText(seqid::kX, "1");
            d.SetItemText(seqid::kY, "2");
            d.SetItemText(seqid::kTerms, "10");
            d.EvCommand(seqid::kAdd);
            EXPECT_EQ(d.GetCount(seqid::kList), 2);
            d.SetItemText(seqid::kTolerance, "1/1000");
            break;
        case 4: d.SetItemText(objid::kRadius, "1/2"); break;  // rolling circle
        case 5: d.SetItemText(eqid::kTextX, "-1 6  1 2  2 3"); break;  // interpolation
        case 6: d.SetItemText(objid::kText3, "-1 0 1"); break;  // points on the selected curve
        case 7: d.SetItemText(objid::kText3, "1 1 2 2 3 1"); d.SetItemText(objid::kPointSize, "5"); break;
        default: break;
        }
        return 1;
    });
    ASSERT_TRUE(w.RunCommand(eqcmd::kSegment));
    ASSERT_TRUE(w.RunCommand(eqcmd::kLine));
    ASSERT_TRUE(w.RunCommand(eqcmd::kPointPolar));
    ASSERT_TRUE(w.RunCommand(eqcmd::kSequence));
    ASSERT_TRUE(w.RunCommand(eqcmd::kRollingCircle));
    ASSERT_TRUE(w.RunCommand(eqcmd::kInterpolation));
    ASSERT_TRUE(w.RunCommand(eqcmd::kPointOnCurve));  // the interpolation is selected
    ASSERT_TRUE(w.RunCommand(eqcmd::kPointSequence));
    EXPECT_TRUE(messages.empty());
    ExampleInventory& inv = w.Inventory();
    ASSERT_EQ(inv.Count(), 10);
    const std::uint16_t kinds[] = {kKindSegment, kKindPoint, kKindPoint, kKindLine, kKindPoint,
                                   kKindSequence, kKindRollingCircle, kKindExplicit, kKindPointOnCurve,
                                   kKindPointSequence};
    for (int i = 0; i < 10; ++i) EXPECT_EQ(inv.At(i).kind, kinds[i]) << i;
    EXPECT_EQ(inv.At(1).texts[0], "-1.5");  // the segment's first end
    EXPECT_EQ(inv.At(2).texts[1], "1.0");
    EXPECT_EQ(inv.At(4).longSearch, 1);
    EXPECT_EQ(inv.Slot(5).initialConditions.size(), 2u);
    EXPECT_EQ(inv.PeriodTolerance(), 0.001L);
    EXPECT_EQ(inv.At(6).value281, 0.5L);
    EXPECT_EQ(inv.At(7).interpolation, 1);
    EXPECT_EQ(StoredNodes(inv.At(7)).size(), 3u);
    EXPECT_EQ(inv.At(8).kindCount, kKindExplicit);
    EXPECT_EQ(inv.At(8).texts[1], inv.At(7).texts[1]);  // it copied the curve
    EXPECT_EQ(inv.At(8).texts[0], "");                   // and not the nodes
    EXPECT_EQ(inv.At(8).reserved36[0], 3);
    EXPECT_EQ(inv.At(9).confirmMark, 5);

    // The picture is drawn (the fields for the tools are set by that), then kept.
    {
        fw::Bitmap picture(400, 400);
        fw::DC dc(picture);
        w.RenderTo(dc, 400, 400, 0, 0, false, true);
    }
    EXPECT_EQ(inv.At(3).longSearch, 1);  // the line was drawn
    EXPECT_GT(inv.Slot(5).sequenceRuns.size(), 0u);
    ASSERT_EQ(w.WriteDocument(path), 0);

    TPlot2Win r(nullptr, "névtelen2.cv2");
    ASSERT_TRUE(r.Create());
    ASSERT_EQ(r.ReadDocument(path), 0);
    ExpectSameSlots(inv, r.Inventory());
    EXPECT_EQ(r.Inventory().PeriodTolerance(), 0.001L);
    // The interpolation polynomial is made again from its nodes: a changed text is replaced.
    r.Inventory().At(7).texts[1] = "0";
    r.Inventory().Compile(7, r.Engine());
    EXPECT_EQ(r.Inventory().At(7).texts[1], inv.At(7).texts[1]);
}

TEST_F(ObjectWindowTest, PointCommandHidesEveryPointAndShowsThemAgain) {
    TPlot2Win w(nullptr, "névtelen1.cv2");
    ASSERT_TRUE(w.Create());
    ExampleInventory& inv = w.Inventory();
    for (std::uint16_t kind : {kKindPoint, kKindSegment, kKindPointSequence, kKindPoint}) {
        const int i = inv.Begin(kind, 0, 1);
        inv.Commit(i, w.Engine());
    }
    inv.At(3).visible = 0;
    ASSERT_TRUE(w.RunCommand(eqcmd::kHideShowPoints));
    EXPECT_EQ(inv.At(0).visible, 0);
    EXPECT_EQ(inv.At(1).visible, 1);  // a segment is no point
    EXPECT_EQ(inv.At(2).visible, 0);
    ASSERT_TRUE(w.RunCommand(eqcmd::kHideShowPoints));
    for (int i = 0; i < 4; ++i) EXPECT_EQ(inv.At(i).visible, 1) << i;
}

TEST_F(ObjectWindowTest, FullInventoryOffersNoEndPointsAndAStoppedDialogLeavesNothing) {
    TPlot2Win w(nullptr, "névtelen1.cv2");
    ASSERT_TRUE(w.Create());
    ExampleInventory& inv = w.Inventory();
    while (inv.Count() + 2 < inv.Capacity()) inv.Commit(inv.Begin(kKindPoint, 0, 1), w.Engine());
    bool offered = true;
    au::SetDialogHook([&](fw::TDialog& d) {
        if (d.GetItemText(eqid::kPenWidth).empty()) return 2;
        offered = d.IsItemEnabled(objid::kEndPoints);
        d.CheckItem(objid::kEndPoints, true);
        return 1;
    });
    const int before = inv.Count();
    ASSERT_GE(w.AddExample(kKindSegment), 0);
    EXPECT_FALSE(offered);
    ASSERT_EQ(messages.size(), 1u);
    EXPECT_EQ(messages[0], "nincs hely");
    EXPECT_EQ(inv.Count(), before + 1);  // the segment alone
    EXPECT_TRUE(w.CanHaveFamily(before));  // a segment may be a family
    EXPECT_FALSE(w.CanDerive(before));

    au::SetDialogHook([](fw::TDialog&) { return 2; });
    EXPECT_EQ(w.AddExample(kKindSequence), -1);
    EXPECT_EQ(inv.Count(), before + 1);
}

}  // namespace
