#include "framework/automation.h"
#include "plot2d/plot2_win.h"
#include "special/dom2_win.h"
#include "special/plotg_win.h"
#include "special/plotx_win.h"
#include "special/ran2_win.h"

#include <gtest/gtest.h>

using namespace curvelo;
namespace au = curvelo::fw::automation;

namespace {
class PlotWindowsTest : public ::testing::Test {
protected:
    void SetUp() override { au::EnsureApplication(); }
};
}  // namespace

TEST_F(PlotWindowsTest, LauncherWindowsCarryTheirCaptionsMenusAndAFrame) {
    TPlot2Win p2(nullptr, "névtelen3.cv2");
    TPlotGWin guess(nullptr, "az egyenlet találgatása");
    TPlotXWin many(nullptr, "névtelen1.cv2");
    for (TGridWin* w : std::initializer_list<TGridWin*>{&p2, &guess, &many}) {
        const std::string caption = w->GetCaption();
        ASSERT_TRUE(w->Create());
        w->RefreshTitle();
        EXPECT_EQ(w->GetCaption(), caption);
        EXPECT_TRUE(w->HasMenuItem(303));
        EXPECT_TRUE(w->HasMenuItem(109));
        EXPECT_TRUE(w->Frame().axesShown);
    }
}

TEST_F(PlotWindowsTest, StartOptionsAreKept) {
    TPlot2Win w(nullptr, "névtelen1.cv2");
    w.SetDocumentWindow(true);
    w.SetStartOptions(true, false, "/tmp/a.cv2");
    EXPECT_TRUE(w.IsDocumentWindow());
    EXPECT_TRUE(w.OpenLastEdit());
    EXPECT_FALSE(w.ReadWindowSettings());
    EXPECT_EQ(w.StartFile(), "/tmp/a.cv2");
}

TEST_F(PlotWindowsTest, MappingPairLinksBothWaysAndUnlinksOnDestruction) {
    TDom2Win dom(nullptr, "Értelmezési tartomány1.maz", true);
    {
        TRan2Win ran(nullptr, "Transzformált:", true);
        dom.LinkRange(&ran);
        EXPECT_EQ(ran.Domain(), &dom);
        EXPECT_TRUE(ran.ComplexPlane());
        EXPECT_EQ(ran.Frame().axisTitles[0], "Re w");
        ran.LinkDomain(nullptr);
        EXPECT_EQ(dom.Range(), nullptr);
        ran.LinkDomain(&dom);
        EXPECT_EQ(dom.Range(), &ran);
    }
    EXPECT_EQ(dom.Range(), nullptr);  // the range window told its domain it is gone
}

TEST_F(PlotWindowsTest, ClosingTheDomainClosesItsRange) {
    TDom2Win dom(nullptr, "Értelmezési tartomány1.ma2", false);
    TRan2Win ran(nullptr, "Transzformált:", false);
    dom.LinkRange(&ran);
    ASSERT_TRUE(dom.Create());
    ASSERT_TRUE(ran.Create());
    EXPECT_EQ(dom.Frame().axisTitles[0], "x");
    dom.Destroy();
    EXPECT_FALSE(ran.IsCreated());
    EXPECT_EQ(ran.Domain(), nullptr);
}
