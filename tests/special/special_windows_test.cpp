#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <functional>

#include "framework/dialog.h"
#include "framework/menu_resource.h"
#include "plot2d/example_kinds.h"
#include "plot2d/plot2_win.h"
#include "special/body_dlg.h"
#include "special/dom2_win.h"
#include "special/map_dlg.h"
#include "special/plotg_win.h"
#include "special/plotx_win.h"
#include "special/ran2_win.h"
#include "special/switch_dlg.h"
#include "tests/window_test.h"

using namespace curvelo;
namespace au = curvelo::fw::automation;

namespace {

class SpecialWindowsTest : public curvelo::testing::WindowTest {};

std::string TempPath(const char* name) {
    return (std::filesystem::temp_directory_path() / (std::to_string(::getpid()) + name)).string();
}

}  // namespace

TEST_F(SpecialWindowsTest, ManyBodyDialogEnablesItsButtonsByTheBodiesThereAre) {
    TPlotXWin w(nullptr, "névtelen1.cv2");
    w.SeedRandom(1);
    ASSERT_TRUE(w.Create());
    ASSERT_EQ(w.SystemSlot(), 0);
    ASSERT_EQ(w.System().BodyCount(), 3);
    bool checked = false;
    au::SetDialogHook([&](fw::TDialog& d) {
        using namespace bodyid;
        EXPECT_FALSE(d.IsItemVisible(kZ));  // the plane has no z
        EXPECT_FALSE(d.IsItemVisible(kVz));
        EXPECT_TRUE(d.IsItemEnabled(kNew));
        EXPECT_TRUE(d.IsItemEnabled(kDelete));
        for (int i = 0; i < 8; ++i) d.EvCommand(kNew);
        EXPECT_EQ(d.GetCount(kList), 12);
        EXPECT_FALSE(d.IsItemEnabled(kNew));
        d.SetSelIndex(kList, 11);  // the centre of mass
        EXPECT_FALSE(d.IsItemEnabled(kDelete));
        EXPECT_FALSE(d.IsItemEnabled(kX));
        d.EvCommand(kToOrigin);
        EXPECT_EQ(d.GetString(kList, 11).substr(0, 2), "* ");
        d.SetSelIndex(kList, 0);
        while (d.IsItemEnabled(kDelete)) d.EvCommand(kDelete);
        EXPECT_EQ(d.GetCount(kList), 3);  // two bodies and the centre of mass
        EXPECT_EQ(d.GetString(kList, 2), "tömegközéppont");  // deleting unfixed the origin
        // The step of K = 10 and 0.01 is 0.001; G = 0 is refused without a word.
        d.SetItemText(kComputations, "10");
        d.SetItemText(kInterval, "0.01");
        d.SetItemText(kG, "0");
        d.EvCommand(1);
        d.SetItemText(kG, "2");
        d.EvCommand(kMore);
        EXPECT_EQ(d.GetItemText(kPositions), "2147483647");
        checked = true;
        return 1;
    });
    EXPECT_TRUE(w.EditSystem());
    EXPECT_TRUE(checked);
    EXPECT_TRUE(messages.empty());
    const OrbitalSystem& s = w.System();
    EXPECT_EQ(s.BodyCount(), 2);
    EXPECT_EQ(s.G, 2);
    EXPECT_DOUBLE_EQ(static_cast<double>(s.step), 0.001);
    EXPECT_FALSE(s.originFixed);
}

TEST_F(SpecialWindowsTest, ManyBodyDialogShowsTheCurrentStateAndCancelChangesNothing) {
    TPlotXWin w(nullptr, "névtelen1.cv2");
    w.SeedRandom(2);
    ASSERT_TRUE(w.Create());
    w.System().positions = 2000;
    w.RenderLayer(0);
    const OrbitalSystem before = w.System();
    EXPECT_GT(w.LastRun().steps, 0);
    EXPECT_LE(w.LastRun().steps, 2000);
    EXPECT_EQ(before.positions, static_cast<long double>(w.LastRun().steps));
    au::SetDialogHook([&](fw::TDialog& d) {
        using namespace bodyid;
        const std::string initial = d.GetItemText(kX);
        d.CheckItem(kCurrent, true);
        d.EvCommand(kCurrent);
        EXPECT_NE(d.GetItemText(kX), initial);
        d.SetItemText(kMass, "5");
        return 2;
    });
    EXPECT_FALSE(w.EditSystem());
    EXPECT_EQ(w.System(), before);
}

TEST_F(SpecialWindowsTest, ManyBodyDocumentsOpenInTheirWindowOnly) {
    const std::string path = TempPath("many.cv2");
    OrbitalSystem saved;
    {
        TPlotXWin w(nullptr, "névtelen1.cv2");
        w.SeedRandom(3);
        ASSERT_TRUE(w.Create());
        w.System().entries[0].name = "Föld";
        w.System().markerSize = 7;
        w.SystemChanged();
        saved = w.System();
        ASSERT_EQ(w.WriteDocument(path), 0);
    }
    TPlot2Win plain(nullptr, "névtelen1.cv2");
    ASSERT_TRUE(plain.Create());
    EXPECT_EQ(plain.ReadDocument(path), 11);
    TPlotXWin w(nullptr, "névtelen2.cv2");
    ASSERT_TRUE(w.Create());
    ASSERT_EQ(w.ReadDocument(path), 0);
    EXPECT_EQ(w.System(), saved);
    EXPECT_EQ(w.SystemSlot(), 0);
    std::remove(path.c_str());
}

TEST_F(SpecialWindowsTest, AWrongGuessIsDrawnBesideTheAnswerAndARightOneEndsTheRound) {
    TPlotGWin w(nullptr, "az egyenlet találgatása");
    w.SeedRandom(5);
    ASSERT_TRUE(w.Create());
    EXPECT_EQ(w.Problem().type, 3);  // the game starts with the simplest type
    EXPECT_EQ(w.GameTitle(), "az egyenlet találgatása");
    ASSERT_EQ(w.Inventory().Count(), 1);
    EXPECT_EQ(w.Inventory().At(0).density, 3);
    EXPECT_EQ(w.Inventory().At(0).texts[1], w.Problem().formula);
    w.JudgeGuess("x+100");
    EXPECT_EQ(w.GameTitle(), "Újra megpróbálja?");
    ASSERT_EQ(w.Inventory().Count(), 2);
    EXPECT_EQ(w.Inventory().At(1).texts[1], "x+100");
    // A guess that does not compile only says why.
    w.JudgeGuess("2+*x");
    EXPECT_EQ(w.GameTitle(), MessageText(w.Engine().CompileFormula("2+*x")));
    EXPECT_NE(w.GameTitle(), "Újra megpróbálja?");
    ASSERT_EQ(w.Inventory().Count(), 2);
    EXPECT_EQ(w.Inventory().At(1).texts[1], "x+100");
    w.JudgeGuess("(" + w.Problem().formula + ")*(x^2+1)/(x^2+1)");
    EXPECT_EQ(w.GameTitle(), "tökéletes!");
    EXPECT_EQ(w.Inventory().Count(), 1);
    w.EvCommand(guesscmd::kAnswer);
    ASSERT_EQ(messages.size(), 1u);
    EXPECT_EQ(messages[0], "y = " + w.Problem().formula);
    // A new colour or grid changes no document: the title does not say it changed.
    const std::string title = w.GetCaption();
    w.SetModified(true);
    EXPECT_EQ(w.GetCaption(), title);
}

TEST_F(SpecialWindowsTest, TheTypesDialogKeepsOneTypeAndItsDegreeBounds) {
    TPlotGWin w(nullptr, "az egyenlet találgatása");
    ASSERT_TRUE(w.Create());
    au::SetDialogHook([](fw::TDialog& d) {
        for (int i = 0; i <= kGuessTypes; ++i) d.CheckItem(switchid::kFirstCheck + i, false);
        d.SetItemText(switchid::kMinEdit, "3");
        d.SetItemText(switchid::kMaxEdit, "2");
        d.EvCommand(1);  // refused: 417
        d.SetItemText(switchid::kMaxEdit, "9");
        d.EvCommand(1);  // refused: 417
        d.SetItemText(switchid::kMaxEdit, "5");
        return 1;
    });
    w.EvCommand(guesscmd::kTypes);
    ASSERT_EQ(messages.size(), 3u);
    EXPECT_EQ(messages[0], "túl a határokon");
    EXPECT_EQ(messages[1], "túl a határokon");
    EXPECT_EQ(messages[2], "legalább egy adat szükséges");
    GuessSwitches only3;
    only3.on[3] = 1;
    only3.minDegree = 3;
    only3.maxDegree = 5;
    EXPECT_EQ(w.Switches(), only3);
    w.EvCommand(guesscmd::kAllTypes);
    EXPECT_EQ(w.Switches(), GuessSwitches::All());
    w.EvCommand(guesscmd::kReset);
    EXPECT_EQ(w.Switches(), GuessSwitches::Reset());
    for (int id = guesscmd::kFirstHelp; id <= guesscmd::kLastHelp; ++id) {
        w.EvCommand(id);
        ASSERT_NE(w.HelpWindow(0), nullptr);
    }
    EXPECT_EQ(messages.size(), 3u);  // every help text is there
}

TEST_F(SpecialWindowsTest, EveryMenuItemOfTheMappingPairHasAHandler) {
    std::vector<fw::MenuItem> bar;
    std::string error;
    ASSERT_TRUE(fw::LoadMenuResource("MAPMENU", bar, error)) << error;
    std::vector<int> ids;
    std::function<void(const std::vector<fw::MenuItem>&)> collect = [&](const std::vector<fw::MenuItem>& items) {
        for (const fw::MenuItem& m : items) {
            if (m.kind == fw::MenuItem::Kind::Popup) collect(m.items);
            if (m.kind == fw::MenuItem::Kind::Command) ids.push_back(m.id);
        }
    };
    collect(bar);
    ASSERT_GT(ids.size(), 30u);
    au::SetDialogHook([](fw::TDialog&) { return 2; });
    au::SetFontDialogHook([](fw::LogFont&) { return false; });
    au::SetFileDialogHook([](bool, fw::FileDialogOptions&) { return false; });
    for (bool complexPlane : {false, true}) {
        TDom2Win dom(nullptr, "Értelmezési tartomány1.ma2", complexPlane);
        TRan2Win ran(nullptr, "Transzformált:", complexPlane);
        dom.LinkRange(&ran);
        ASSERT_TRUE(dom.Create());
        ASSERT_TRUE(ran.Create());
        EXPECT_FALSE(ran.EvCommand(902));  // what the pair does not offer finds no handler
        EXPECT_FALSE(dom.HasMenuItem(902));
        for (fw::TFrameWindow* w : std::initializer_list<fw::TFrameWindow*>{&dom, &ran})
            for (int id : ids) {
                // Printing asks the printer dialog and closing ends the window: both are the
                // base layer's, with their own tests.
                if (id == 303 || id == 93 || id == 24310) continue;
                EXPECT_TRUE(w->HasMenuItem(id));
                EXPECT_TRUE(w->EvCommand(id)) << id;
            }
    }
}

TEST_F(SpecialWindowsTest, MappingDocumentsKeepTheMapTheGridAndTheViews) {
    const std::string path = TempPath("pair.ma2");
    {
        TDom2Win dom(nullptr, "Értelmezési tartomány1.ma2", false);
        TRan2Win ran(nullptr, "Transzformált:", false);
        dom.LinkRange(&ran);
        ASSERT_TRUE(dom.Create());
        ASSERT_TRUE(ran.Create());
        au::SetDialogHook([](fw::TDialog& d) {
            d.SetItemText(mapid::kFirst, "x*x-y*y");
            d.SetItemText(mapid::kSecond, "2x+*y");
            d.EvCommand(1);  // refused: the parser's message
            d.SetItemText(mapid::kSecond, "2x*y");
            return 1;
        });
        ASSERT_TRUE(dom.EditMap());
        ASSERT_EQ(messages.size(), 1u);
        au::SetDialogHook([](fw::TDialog& d) {
            d.SetItemText(mapid::kSpacing, "0.0001");
            d.EvCommand(1);  // refused: too many lines
            d.SetItemText(mapid::kSpacing, "0.25");
            return 1;
        });
        ASSERT_TRUE(ran.EvCommand(mapcmd::kGrid));  // the range window asks its domain
        EXPECT_EQ(messages.size(), 2u);
        EXPECT_EQ(dom.Grid().spacing, 0.25L);
        EXPECT_TRUE(dom.IsModified());
        // A parametric circle as the curve the pair carries.
        const int slot = dom.Inventory().Begin(kKindParametric, 0, kTwoPi);
        dom.Inventory().At(slot).texts[0] = "cos(t)";
        dom.Inventory().At(slot).texts[1] = "sin(t)";
        dom.Inventory().Commit(slot, dom.Engine());
        ASSERT_EQ(dom.WriteDocument(path), 0);
    }
    TDom2Win dom(nullptr, "Értelmezési tartomány2.ma2", false);
    TRan2Win ran(nullptr, "Transzformált:", false);
    dom.LinkRange(&ran);
    dom.SetStartOptions(false, false, path);
    ASSERT_TRUE(dom.Create());
    EXPECT_EQ(dom.Map().Formulas()[0], "x*x-y*y");
    EXPECT_EQ(dom.Map().Formulas()[1], "2x*y");
    EXPECT_EQ(dom.Grid().spacing, 0.25L);
    ASSERT_EQ(dom.Inventory().Count(), 1);
    EXPECT_EQ(dom.Inventory().At(0).kind, kKindParametric);
    EXPECT_EQ(dom.Inventory().At(0).texts[0], "cos(t)");
    EXPECT_EQ(dom.Inventory().At(0).high, kTwoPi);
    TDom2Win complexDom(nullptr, "Értelmezési tartomány3.maz", true);
    ASSERT_TRUE(complexDom.Create());
    EXPECT_EQ(complexDom.ReadDocument(path), 11);  // a real-plane document
    EXPECT_EQ(complexDom.Map().Formulas()[0], "z^2");
    std::remove(path.c_str());
}
