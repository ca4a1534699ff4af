#include "plotwin/dc_surface.h"

#include <gtest/gtest.h>

#include <string>

#include "framework/application.h"
#include "framework/bitmap.h"
#include "framework/dc.h"
#include "framework/dialog_template.h"
#include "plotwin/frame_drawer.h"
#include "resources/resources.h"

namespace curvelo {
namespace {

void EnsureApplication() {
    static int argc = 1;
    static char name[] = "plotwin_tests";
    static char* argv[] = {name, nullptr};
    if (!fw::TApplication::Current()) static fw::TApplication app(argc, argv, "plotwin_tests");
}

bool Is(fw::Color c, Rgb want) { return c.r == want.r && c.g == want.g && c.b == want.b; }

TEST(DcSurfaceTest, FramePaintedOffScreenHasAxisTickAndGridWhereComputed) {
    EnsureApplication();
    PlotView view;
    view.SetClientSize(400, 300);
    view.ApplyView();
    FrameSettings s;
    s.axesShown = 1;
    s.axisColour = 6;
    s.gridColour = 4;
    s.gridFlags = kGridSquare | 15;
    s.UpdateDerived(view);

    fw::Bitmap bitmap(400, 300);
    bitmap.Fill({255, 255, 255});
    {
        fw::DC dc(bitmap);
        DcSurface surface(dc, view);
        DrawFrame(surface, s, FrameOutput{});
    }
    const Rgb blue = ColourOf(6), red = ColourOf(4);
    const int axisY = view.ToPixelY(0);
    ASSERT_EQ(axisY, 150);
    EXPECT_TRUE(Is(bitmap.GetPixel(110, axisY), blue));        // x axis between ticks
    EXPECT_TRUE(Is(bitmap.GetPixel(view.ToPixelX(0), 70), blue));  // y axis
    const int tickX = view.ToPixelX(1);
    ASSERT_EQ(tickX, 240);
    EXPECT_TRUE(Is(bitmap.GetPixel(tickX, axisY - 4), blue));  // the tick, 10 pixels long
    EXPECT_TRUE(Is(bitmap.GetPixel(tickX, axisY - 60), red));  // the grid line behind it
    EXPECT_TRUE(Is(bitmap.GetPixel(view.ToPixelX(-3), 10), red));
    EXPECT_TRUE(Is(bitmap.GetPixel(view.ToPixelX(-3) + 20, 10), {255, 255, 255}));
    EXPECT_TRUE(Is(bitmap.GetPixel(130, view.ToPixelY(2)), red));
}

TEST(DcSurfaceTest, LongPolylinesAndLabelsDraw) {
    EnsureApplication();
    PlotView view;
    view.SetClientSize(200, 200);
    view.ApplyView();
    fw::Bitmap bitmap(200, 200);
    bitmap.Fill({255, 255, 255});
    {
        fw::DC dc(bitmap);
        DcSurface surface(dc, view);
        surface.SetPen({0, 0, 0}, 1, LineStyle::kSolid);
        // More points than one chunk: the line must stay connected across the seam.
        surface.BeginPolyline();
        for (int i = 0; i <= 1500; ++i) surface.PolylineTo({-5 + i * (10.0L / 1500), -2});
        surface.EndPolyline();
        surface.SetTextColour({255, 0, 0});
        surface.Label({0, 3}, "MMMM", 0, 0, LabelRole::kPlain);
    }
    for (int px = 1; px < 199; ++px) ASSERT_TRUE(Is(bitmap.GetPixel(px, view.ToPixelY(-2)), {0, 0, 0})) << px;
    bool red = false;
    for (int px = 80; px < 120 && !red; ++px)
        for (int py = view.ToPixelY(3) - 8; py < view.ToPixelY(3) + 8 && !red; ++py)
            red = bitmap.GetPixel(px, py).r > 150 && bitmap.GetPixel(px, py).g < 100;
    EXPECT_TRUE(red);
}

TEST(DialogTemplatesTest, PlotWindowDialogsParse) {
    for (const char* name : {"VIEWALL", "SETGRID", "AXVBLS", "PRNSPX2"}) {
        const std::string path = std::string("dialogs/") + name + ".dlg";
        ASSERT_TRUE(res::HasFile(path)) << name;
        fw::DialogTemplate t;
        std::string error;
        EXPECT_TRUE(fw::ParseDialogTemplate(res::File(path), t, error)) << name << ": " << error;
    }
}

}  // namespace
}  // namespace curvelo
