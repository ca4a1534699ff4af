#include "plotwin/dc_surface.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <string>
#include <vector>

#include "framework/application.h"
#include "framework/bitmap.h"
#include "framework/dc.h"
#include "framework/dialog_template.h"
#include "plotwin/draw_dot.h"
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

// Pixel points drawn as one anti-aliased polyline, thinned or not.
fw::Bitmap PolylinePixels(const std::vector<fw::Point>& points, bool simplify) {
    PlotView view;
    view.SetClientSize(200, 200);
    view.ApplyView();
    fw::Bitmap bitmap(200, 200);
    bitmap.Fill({255, 255, 255});
    fw::DC dc(bitmap);
    dc.SetAntialias(true);
    DcSurface surface(dc, view);
    surface.SetSimplify(simplify);
    surface.SetPen({0, 0, 0}, 1, LineStyle::kSolid);
    surface.BeginPolyline();
    for (const fw::Point& p : points) surface.PolylineTo(view.PixelToWorld(p.x, p.y));
    surface.EndPolyline();
    return bitmap;
}

TEST(DcSurfaceTest, ThinnedPolylinesKeepCornersAndChangeOnlyEdgeShading) {
    EnsureApplication();
    std::vector<std::vector<fw::Point>> shapes;
    std::vector<fw::Point> drift, zigzag, spike, wave;
    for (int x = 0; x < 190; ++x) drift.push_back({x + 5, 20 + (x * 7 + 5) / 40});  // a shallow slope
    for (int x = 0; x < 190; ++x) zigzag.push_back({x + 5, 60 + (x / 3) % 2});  // one pixel high steps
    spike = {{10, 100}, {60, 100}, {150, 100}, {40, 100}, {40, 101}, {20, 101}};  // turns back on itself
    for (int x = 0; x < 190; ++x)
        wave.push_back({x + 5, 160 + static_cast<int>(std::lround(25 * std::sin(x / 9.0)))});
    for (const auto& shape : {drift, zigzag, spike, wave}) {
        const fw::Bitmap every = PolylinePixels(shape, false), thinned = PolylinePixels(shape, true);
        int largest = 0;
        for (int y = 0; y < 200; ++y)
            for (int x = 0; x < 200; ++x) {
                const fw::Color a = every.GetPixel(x, y), b = thinned.GetPixel(x, y);
                largest = std::max({largest, std::abs(a.r - b.r), std::abs(a.g - b.g), std::abs(a.b - b.b)});
            }
        EXPECT_LE(largest, 100) << "first point " << shape.front().x << "," << shape.front().y;
    }
    // The far end of the spike is still drawn.
    const fw::Bitmap thinned = PolylinePixels(spike, true);
    EXPECT_LT(thinned.GetPixel(149, 100).r, 128);
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

namespace curvelo {
namespace {

int DarkPixels(const fw::Bitmap& b) {
    int n = 0;
    for (int y = 0; y < b.Height(); ++y)
        for (int x = 0; x < b.Width(); ++x) n += b.GetPixel(x, y).r < 128;
    return n;
}

TEST(DcSurfaceTest, DotOfSizeZeroIsOnePixelOnScreenAndDotsScaleWithTheWidth) {
    EnsureApplication();
    PlotView view;
    view.SetClientSize(600, 600);
    view.ApplyView();
    const auto paint = [&](long double size, bool printing, WorldPoint p, bool* drawn) {
        fw::Bitmap bitmap(600, 600);
        fw::DC dc(bitmap);
        dc.FillRect({0, 0, 600, 600}, {255, 255, 255});
        DcSurface surface(dc, view);
        surface.SetPrinting(printing);
        surface.SetPen({0, 0, 0}, 1, LineStyle::kSolid);
        *drawn = DrawDot(surface, p, size);
        return bitmap;
    };
    bool drawn = false;
    const fw::Bitmap screen = paint(0, false, {1, 1}, &drawn);
    EXPECT_TRUE(drawn);
    EXPECT_EQ(DarkPixels(screen), 1);
    EXPECT_LT(screen.GetPixel(view.ToPixelX(1), view.ToPixelY(1)).r, 128);
    // Printed, the smallest dot is an ellipse of radius 0: still no more than its square.
    const fw::Bitmap printed = paint(0, true, {1, 1}, &drawn);
    EXPECT_GE(DarkPixels(printed), 1);
    EXPECT_LE(DarkPixels(printed), 4);
    // Size 6 on a 600-pixel width is radius 6: a disc about 13 pixels across.
    const fw::Bitmap big = paint(6, false, {0, 0}, &drawn);
    EXPECT_GT(DarkPixels(big), 100);
    EXPECT_LT(DarkPixels(big), 200);
    EXPECT_EQ(DotRadius(view, 6), 6);
    // Outside the view nothing is drawn, and the caller hears so.
    const fw::Bitmap outside = paint(6, false, {7, 0}, &drawn);
    EXPECT_FALSE(drawn);
    EXPECT_EQ(DarkPixels(outside), 0);
}

}  // namespace
}  // namespace curvelo
