// The intersection tools through the 3D window's commands: the helix piercing the sphere,
// marking the point, and a surface-surface example whose curves survive the document.
#include <gtest/gtest.h>

#include "tests/window_test.h"

#include <cmath>

#include "framework/automation.h"
#include "framework/dialog.h"
#include "plot3d/inter_cs_dlg.h"
#include "plot3d/plot3_win.h"
#include "plot3d/space_kinds.h"
#include "plot3d/surface_kinds.h"
#include "plot3d/surface_pair.h"

using namespace curvelo;
namespace au = curvelo::fw::automation;

namespace {

class IntersectionWindowTest : public curvelo::testing::WindowTest {
protected:
    // One example from a menu command, its dialog's text `id` set to `text` first.
    static void Add(TPlot3Win& w, int command, const char* dialog, int id, const char* text) {
        const int before = w.Inventory().Count();
        au::SetDialogHook([=](fw::TDialog& d) {
            if (d.TemplateName() != dialog) return 2;
            if (id) d.SetItemText(id, text);
            return 1;
        });
        ASSERT_TRUE(w.RunCommand(command));
        au::SetDialogHook({});
        ASSERT_EQ(w.Inventory().Count(), before + 1) << dialog;
    }
};

TEST_F(IntersectionWindowTest, HelixPiercesTheSphereAtRootThreeAndThePointIsMarked) {
    TPlot3Win w(nullptr, "névtelen1.cv3");
    ASSERT_TRUE(w.Create());
    Add(w, surfcmd::kImplicitSurface, "EQUA305", 218, "xx+yy+zz=4");
    Add(w, spacecmd::kCurve, "EQUA304", 0, "");
    ASSERT_TRUE(w.RunCommand(intercmd::kCurveSurface));
    TIntCSDlg* dialog = w.PiercingDialog();
    ASSERT_NE(dialog, nullptr);
    ASSERT_TRUE(dialog->HasPoint());
    EXPECT_NEAR(static_cast<double>(dialog->Point().t), std::sqrt(3.0), 1e-9);
    EXPECT_NEAR(static_cast<double>(dialog->Point().z), std::sqrt(3.0), 1e-9);
    // The next press finds the same single point again.
    ASSERT_TRUE(dialog->FindNext());
    EXPECT_NEAR(static_cast<double>(dialog->Point().t), std::sqrt(3.0), 1e-9);
    // "mentsd": z into the letter C.
    dialog->SetSelIndex(intercsid::kValue, 2);
    dialog->SetSelIndex(intercsid::kLetter, 2);
    dialog->EvCommand(intercsid::kSave);
    EXPECT_NEAR(static_cast<double>(GetLetter(w.Engine().letters, 3)), std::sqrt(3.0), 1e-9);
    dialog->EvCommand(intercsid::kMark);
    ASSERT_EQ(w.Inventory().Count(), 3);
    EXPECT_EQ(w.Inventory().At(2).kind, kKindSpacePoint);
    EXPECT_NEAR(std::stod(w.Inventory().At(2).texts[2]), std::sqrt(3.0), 1e-9);
    // The three kinds go through the document and come back.
    const std::string path = ::testing::TempDir() + "/pierce.cv3";
    ASSERT_EQ(w.WriteDocument(path), 0);
    TPlot3Win back(nullptr, "pierce.cv3");
    ASSERT_TRUE(back.Create());
    ASSERT_EQ(back.ReadDocument(path), 0);
    ASSERT_EQ(back.Inventory().Count(), 3);
    EXPECT_EQ(back.Inventory().At(1).texts, w.Inventory().At(1).texts);
    EXPECT_EQ(back.Inventory().At(2).texts, w.Inventory().At(2).texts);
}

TEST_F(IntersectionWindowTest, SurfacePairIsSearchedKeptAndReadBackWithItsCurves) {
    const std::string path = ::testing::TempDir() + "/pair.cv3";
    std::size_t branches = 0;
    int first = -1, second = -1;
    {
        TPlot3Win w(nullptr, "pair.cv3");
        ASSERT_TRUE(w.Create());
        Add(w, surfcmd::kFirstKind, "EQUA301", 0, "");  // sin(r)/r
        w.Inventory().At(0).texts[2] = "xx+yy";
        w.Inventory().Compile(0, w.Engine());
        Add(w, surfcmd::kFirstKind, "EQUA301", 0, "");
        w.Inventory().At(1).texts[2] = "1";
        w.Inventory().Compile(1, w.Engine());
        au::SetDialogHook([](fw::TDialog& d) {
            if (d.TemplateName() == "INTERC") d.EvCommand(353);  // keresés
            return 1;
        });
        ASSERT_TRUE(w.RunCommand(intercmd::kSurfaceSurface));
        au::SetDialogHook({});
        ASSERT_EQ(w.Inventory().Count(), 3);
        const TExample& pair = w.Inventory().At(2);
        EXPECT_EQ(pair.kind, kKindSurfacePair);
        EXPECT_EQ(pair.subTag, kPairExplicit);
        branches = w.Inventory().Slot(2).initialConditions.size();
        first = PairFirst(pair);
        second = PairSecond(pair);
        EXPECT_EQ(first + second, 1);
        ASSERT_GE(branches, 1u);
        // Cancelling the dialog takes back what its search added.
        au::SetDialogHook([](fw::TDialog& d) {
            if (d.TemplateName() == "INTERC") d.EvCommand(54);  // töröl mind
            return 2;
        });
        EXPECT_FALSE(w.EditExample(2));
        au::SetDialogHook({});
        EXPECT_EQ(w.Inventory().Slot(2).initialConditions.size(), branches);
        ASSERT_EQ(w.WriteDocument(path), 0);
    }
    TPlot3Win back(nullptr, "pair.cv3");
    ASSERT_TRUE(back.Create());
    ASSERT_EQ(back.ReadDocument(path), 0);
    ASSERT_EQ(back.Inventory().Count(), 3);
    EXPECT_EQ(back.Inventory().At(2).kind, kKindSurfacePair);
    EXPECT_EQ(PairFirst(back.Inventory().At(2)), first);
    EXPECT_EQ(PairSecond(back.Inventory().At(2)), second);
    EXPECT_EQ(back.Inventory().Slot(2).initialConditions.size(), branches);
}

}  // namespace
