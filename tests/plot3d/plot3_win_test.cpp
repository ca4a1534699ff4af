#include "plot3d/plot3_win.h"

#include <gtest/gtest.h>

#include "tests/window_test.h"

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <unistd.h>

#include "framework/automation.h"
#include "framework/bitmap.h"
#include "framework/clipboard.h"
#include "framework/dialog.h"
#include "framework/keys.h"
#include "framework/kit_inp_dlg.h"
#include "framework/settings_dir.h"
#include "plot2d/plot2_win.h"
#include "plot3d/axlen_dlg.h"
#include "plot3d/obs_dlg.h"
#include "plotwin/colour_table.h"
#include "plotwin/frame_commands.h"
#include "plotwin/window_settings.h"

using namespace curvelo;
namespace au = curvelo::fw::automation;

namespace {

// Reaches the mouse handlers as the framework would call them.
class Probe : public TPlot3Win {
public:
    using TPlot3Win::TPlot3Win;
    using TPlot3Win::EvLButtonDown;
    using TPlot3Win::EvLButtonUp;
    using TPlot3Win::EvMouseMove;
    using TPlot3Win::EvMouseWheel;
};

class Plot3WinTest : public curvelo::testing::WindowTest {
protected:
    // An example with a box, as a surface would leave it.
    static int AddBoxedExample(TPlot3Win& w, Vec3 lo, Vec3 hi) {
        const int i = w.Inventory().Begin(301, -3, 3);
        TExample& e = w.Inventory().At(i);
        e.values161 = {lo.x, lo.y, lo.z};
        e.values191 = {hi.x, hi.y, hi.z};
        return i;
    }
};

void ExpectNear(const Vec3& a, const Vec3& b) {
    EXPECT_NEAR(static_cast<double>(a.x), static_cast<double>(b.x), 1e-9);
    EXPECT_NEAR(static_cast<double>(a.y), static_cast<double>(b.y), 1e-9);
    EXPECT_NEAR(static_cast<double>(a.z), static_cast<double>(b.z), 1e-9);
}

}  // namespace

TEST_F(Plot3WinTest, KeysAndMouseTurnTheEyeThroughTheSameSteps) {
    Probe w(nullptr, "névtelen1.cv3");
    ASSERT_TRUE(w.Create());
    w.Show();
    const Vec3 start = w.Space().eye;
    au::PostKey(w, fw::vk::kRight);
    au::ProcessEvents();
    EXPECT_NE(w.Space().eye, start);
    EXPECT_EQ(w.GetCaption(), "névtelen1.cv3+");
    au::PostKey(w, fw::vk::kLeft);
    au::PostKey(w, fw::vk::kUp);
    au::PostKey(w, fw::vk::kDown);
    au::ProcessEvents();
    ExpectNear(w.Space().eye, start);

    // A drag to the right turns as the Left key does; a drag down tilts up.
    View3D keys = w.Space();
    keys.Rotate(false);
    keys.Rotate(false);
    keys.Tilt(true);
    w.EvLButtonDown(0, {100, 100});
    w.EvMouseMove(0, {112, 106});
    w.EvLButtonUp(0, {112, 106});
    ExpectNear(w.Space().eye, keys.eye);
    w.EvMouseMove(0, {300, 300});  // no button: nothing turns
    ExpectNear(w.Space().eye, keys.eye);

    // The wheel approaches and moves away like Insert and Delete.
    const Vec3 before = w.Space().eye;
    w.EvMouseWheel(0, -120, {0, 0});
    ExpectNear(w.Space().eye - w.Space().centre, (before - w.Space().centre) * 2);
    au::PostKey(w, fw::vk::kInsert);
    au::ProcessEvents();
    ExpectNear(w.Space().eye, before);

    // Home fits the cell to the examples.
    AddBoxedExample(w, {-4, -4, -1}, {4, 4, 1});
    au::PostKey(w, fw::vk::kHome);
    au::ProcessEvents();
    EXPECT_EQ(w.Space().cellMin, (Vec3{-4, -4, -1}));
    EXPECT_TRUE(w.View().HasHistory());
}

TEST_F(Plot3WinTest, DocumentKeepsTheViewAndEachWindowKindRefusesTheOther) {
    const std::string path = ::testing::TempDir() + "/ter-" + std::to_string(::getpid()) + ".cv3";
    Vec3 eye;
    {
        TPlot3Win w(nullptr, "névtelen1.cv3");
        ASSERT_TRUE(w.Create());
        const int i = AddBoxedExample(w, {-1, -2, -0.5L}, {1, 2, 0.5L});
        w.Inventory().At(i).flags52[2] = 0;  // a box the user fixed
        w.RunCommand(eyecmd::kRight);
        w.RunCommand(eyecmd::kUp);
        w.Space().rotationStep = 0.25L;
        ASSERT_EQ(w.Space().SetAxisBox({-2, -3, -4}, {2, 3, 4}, true), 0);
        w.RunCommand(cellcmd::kShown);
        eye = w.Space().eye;
        ASSERT_EQ(w.WriteDocument(path), 0);
    }
    TPlot3Win r(nullptr, "névtelen2.cv3");
    ASSERT_TRUE(r.Create());
    ASSERT_EQ(r.ReadDocument(path), 0);
    EXPECT_EQ(r.Space().eye, eye);
    EXPECT_EQ(r.Space().rotationStep, 0.25L);
    EXPECT_EQ(r.Space().axisMax, (Vec3{2, 3, 4}));
    EXPECT_TRUE(r.Space().axisLengthsFixed);
    EXPECT_TRUE(r.Space().cellShown);
    ASSERT_EQ(r.Inventory().Count(), 1);
    EXPECT_EQ(r.Inventory().At(0).flags52[2], 0);
    EXPECT_EQ(r.Inventory().At(0).values191[1], 2);
    // The cell is the examples' own again.
    EXPECT_EQ(r.Space().cellMin, (Vec3{-1, -2, -0.5L}));

    TPlot2Win plane(nullptr, "névtelen3.cv2");
    ASSERT_TRUE(plane.Create());
    EXPECT_EQ(plane.ReadDocument(path), 11);
    const std::string flat = ::testing::TempDir() + "/sik-" + std::to_string(::getpid()) + ".cv2";
    ASSERT_EQ(plane.WriteDocument(flat), 0);
    EXPECT_EQ(r.ReadDocument(flat), 11);
    EXPECT_EQ(r.Space().eye, eye);  // the refused file changed nothing
    std::remove(path.c_str());
    std::remove(flat.c_str());
}

TEST_F(Plot3WinTest, DialogsRefuseWhatTheyCannotTake) {
    TPlot3Win w(nullptr, "névtelen1.cv3");
    ASSERT_TRUE(w.Create());
    // The frame count: 1 and 201 are refused, 2 taken.
    for (const char* typed : {"1", "201", "2"}) {
        au::SetDialogHook([&](fw::TDialog& d) {
            d.SetItemText(kIdFirstEdit, typed);
            return 1;
        });
        w.RunCommand(rotcmd::kFrameCount);
    }
    ASSERT_EQ(messages.size(), 2u);
    EXPECT_EQ(messages[0], "túl a határokon");
    EXPECT_EQ(w.Space().rotationFrames, 2);

    // Axis lengths: an upper end not above its lower end keeps the dialog open.
    messages.clear();
    int shown = 0;
    au::SetDialogHook([&](fw::TDialog& d) {
        ++shown;
        d.SetItemText(axlenid::kFirstEdit + 3, "-1");  // y upper end below y lower end
        d.EvCommand(axlenid::kFix);
        d.SetItemText(axlenid::kFirstEdit + 3, "pi");
        return axlenid::kFix;
    });
    EXPECT_TRUE(w.EditAxisLengths());
    ASSERT_EQ(messages.size(), 1u);
    EXPECT_EQ(messages[0], "következetlen adatok");
    EXPECT_TRUE(w.Space().axisLengthsFixed);
    EXPECT_NEAR(static_cast<double>(w.Space().axisMax.y), M_PI, 1e-12);

    // The rotation step is typed in degrees.
    au::SetDialogHook([&](fw::TDialog& d) {
        d.SetItemText(kIdFirstEdit, "45");
        return 1;
    });
    w.RunCommand(eyecmd::kStep);
    EXPECT_NEAR(static_cast<double>(w.Space().rotationStep), M_PI / 4, 1e-15);
}

TEST_F(Plot3WinTest, ObserverDialogShowsAndSetsTheEye) {
    TPlot3Win w(nullptr, "névtelen1.cv3");
    ASSERT_TRUE(w.Create());
    w.RunCommand(cellcmd::kObserver);
    TObsDlg* d = w.ObserverDialog();
    ASSERT_NE(d, nullptr);
    EXPECT_EQ(std::atof(d->GetItemText(obsid::kFirstEdit + 1).c_str()), 80);
    d->CheckItem(obsid::kSpherical, true);
    d->CheckItem(obsid::kDegrees, true);
    d->Refresh();
    EXPECT_EQ(d->GetItemText(obsid::kFirstLabel), "rho =");
    d->SetItemText(obsid::kFirstEdit, "100");
    d->SetItemText(obsid::kFirstEdit + 1, "90");
    d->SetItemText(obsid::kFirstEdit + 2, "60");
    ASSERT_TRUE(d->Apply());
    ExpectNear(w.Space().eye, {0, 100 * std::sin(M_PI / 3), 50});
    // Straight above the cell: too close.
    d->SetItemText(obsid::kFirstEdit + 2, "0");
    EXPECT_FALSE(d->Apply());
    ASSERT_EQ(messages.size(), 1u);
    EXPECT_EQ(messages[0], "túl közeli");
    // A key turn shows in the dialog.
    w.RunCommand(eyecmd::kRight);
    EXPECT_NE(d->GetItemText(obsid::kFirstEdit + 1), "90");
}

TEST_F(Plot3WinTest, AutomaticRotationStoppedAtOnceRestoresEyeAndStep) {
    TPlot3Win w(nullptr, "névtelen1.cv3");
    ASSERT_TRUE(w.Create());
    w.Show();
    w.Space().rotationFrames = 5;
    const Vec3 eye = w.Space().eye;
    const long double step = w.Space().rotationStep;
    au::PostKey(w, 'Q');
    EXPECT_EQ(w.AutoRotate(), 0);
    EXPECT_EQ(w.Space().eye, eye);
    EXPECT_EQ(w.Space().rotationStep, step);
}

TEST_F(Plot3WinTest, PictureShowsTheSketchWhenEmptyAndTheAxesOtherwise) {
    TPlot3Win w(nullptr, "névtelen1.cv3");
    ASSERT_TRUE(w.Create());
    w.MoveWindow({0, 0, 400, 400});
    w.Show();
    au::ProcessEvents();
    auto axisPixels = [&] {
        w.RenderLayer(0);
        const fw::Bitmap& b = w.LayerBitmap(0);
        int dark = 0;
        for (int y = 0; y < b.Height(); y += 1)
            for (int x = 0; x < b.Width(); x += 1) dark += b.GetPixel(x, y).r < 128 ? 1 : 0;
        return dark;
    };
    EXPECT_GT(axisPixels(), 300);  // three long lines of the sketch
    AddBoxedExample(w, {-1, -1, -1}, {1, 1, 1});
    w.RunCommand(eyecmd::kAutoFit);
    const int axes = axisPixels();
    EXPECT_GT(axes, 100);
    w.RunCommand(cellcmd::kShown);
    EXPECT_GT(axisPixels(), axes + 100);  // the cell's edges come on top
    w.RunCommand(kCmdAxesToggle);
    EXPECT_LT(axisPixels(), 20);
}

TEST_F(Plot3WinTest, SettingsFileKeepsRotationStepAndFrameCount) {
    const std::string folder = ::testing::TempDir() + "/settings3-" + std::to_string(::getpid());
    ::setenv("CURVELO_CONFIG_DIR", folder.c_str(), 1);
    const std::string ini = fw::SettingsDirectory() + "/cv3.ini";
    std::remove(ini.c_str());
    {
        TPlot3Win w(nullptr, "névtelen1.cv3");
        w.SetStartOptions(false, true, "");
        ASSERT_TRUE(w.Create());
        w.Space().rotationStep = 0.125L;
        w.Space().rotationFrames = 90;
        w.Destroy();
    }
    ASSERT_TRUE(LoadWindowSettingsFile(ini, kSettingsKind3D));
    EXPECT_FALSE(LoadWindowSettingsFile(ini, kSettingsKind2D));
    TPlot3Win again(nullptr, "névtelen2.cv3");
    again.SetStartOptions(false, true, "");
    ASSERT_TRUE(again.Create());
    EXPECT_EQ(again.Space().rotationStep, 0.125L);
    EXPECT_EQ(again.Space().rotationFrames, 90);
    std::remove(ini.c_str());
}

TEST_F(Plot3WinTest, PictureGoesToTheClipboardAsVectorsAndAPdfFile) {
    TPlot3Win w(nullptr, "névtelen1.cv3");
    ASSERT_TRUE(w.Create());
    AddBoxedExample(w, {-1, -1, -1}, {1, 1, 1});
    w.RunCommand(eyecmd::kAutoFit);
    w.RunCommand(cellcmd::kShown);
    w.RunCommand(outcmd::kCopyPicture);
    ASSERT_TRUE(fw::clipboard::HasSvg());
    const std::string svg = fw::clipboard::GetSvg();
    // The twelve edges of the cell and the three axes are lines of the picture.
    std::size_t lines = 0;
    for (std::size_t at = svg.find("<path"); at != std::string::npos; at = svg.find("<path", at + 1)) ++lines;
    for (std::size_t at = svg.find("<polyline"); at != std::string::npos; at = svg.find("<polyline", at + 1)) ++lines;
    EXPECT_GE(lines, 3u);
    const std::string pdf = ::testing::TempDir() + "/ter-" + std::to_string(::getpid()) + ".pdf";
    ASSERT_TRUE(w.PrintToPdf(pdf, 150));
    std::remove(pdf.c_str());
}

TEST_F(Plot3WinTest, CellDialogOfAnExampleMovesTheWindowsCell) {
    TPlot3Win w(nullptr, "névtelen1.cv3");
    ASSERT_TRUE(w.Create());
    const int i = AddBoxedExample(w, {-1, -1, -1}, {1, 1, 1});
    EXPECT_EQ(w.InventoryButtonText(798), "sejt");
    EXPECT_TRUE(w.CanDerive(i));  // "rétegek": the contour lines of the explicit surface
    std::string templ;
    au::SetDialogHook([&](fw::TDialog& d) {
        templ = d.TemplateName();
        d.SetItemText(226, "-2");  // z upper end below its lower end
        d.EvCommand(1);
        d.SetItemText(226, "4");
        d.CheckItem(272, true);
        return 1;
    });
    ASSERT_TRUE(w.EditIteration(i));
    EXPECT_EQ(templ, "AUTOBOXA");
    ASSERT_EQ(messages.size(), 1u);
    EXPECT_EQ(messages[0], "következetlen adatok");
    const TExample& e = w.Inventory().At(i);
    EXPECT_EQ(e.values191[2], 4);
    EXPECT_EQ(e.saved251[2], 4);
    EXPECT_EQ(e.flags52[2], 0);  // the box is fixed now
    EXPECT_EQ(w.Space().cellMax.z, 4);

    // Fast and slow drawing switch every surface together.
    w.RunCommand(cellcmd::kSlowDrawing);
    EXPECT_EQ(w.Inventory().At(i).arrow, 1);
    w.RunCommand(cellcmd::kFastDrawing);
    EXPECT_EQ(w.Inventory().At(i).arrow, 0);
}
