// The gallery drawn with polylines thinned for the device and with every distinct pixel
// point: the pictures may differ only in the shading of anti-aliased edges.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <string>

#include "framework/automation.h"
#include "framework/bitmap.h"
#include "framework/dc.h"
#include "plot2d/plot2_win.h"
#include "plotwin/dc_surface.h"

using namespace curvelo;

namespace {

constexpr int kWidth = 900, kHeight = 700;

fw::Bitmap Paint(TPlot2Win& w, bool simplify) {
    fw::Bitmap bitmap(kWidth, kHeight);
    w.View().ApplyViewTo(kWidth, kHeight, 0, 0);
    {
        fw::DC dc(bitmap);
        dc.SetAntialias(true);
        DcSurface surface(dc, w.View());
        surface.SetSimplify(simplify);
        w.PaintPicture(surface, dc, true);
    }
    return bitmap;
}

int Difference(fw::Color a, fw::Color b) {
    return std::max({std::abs(a.r - b.r), std::abs(a.g - b.g), std::abs(a.b - b.b)});
}

}  // namespace

TEST(GalleryRender, ThinnedPolylinesChangeOnlyTheShadingOfEdges) {
    fw::automation::EnsureApplication();
    int documents = 0;
    for (const auto& entry : std::filesystem::directory_iterator(CURVELO_EXAMPLES_DIR)) {
        if (entry.path().extension() != ".cv2") continue;
        ++documents;
        const std::string doc = entry.path().string();
        TPlot2Win w(nullptr, "g.cv2");
        ASSERT_TRUE(w.Create());
        ASSERT_EQ(w.ReadDocument(doc), 0) << doc;
        const fw::Bitmap every = Paint(w, false);
        const fw::Bitmap thinned = Paint(w, true);
        // Ink: how far each pixel is from white, summed.
        long inkEvery = 0, inkThinned = 0;
        int largest = 0;
        for (int y = 0; y < kHeight; ++y)
            for (int x = 0; x < kWidth; ++x) {
                const fw::Color a = every.GetPixel(x, y), b = thinned.GetPixel(x, y);
                inkEvery += Difference(a, {255, 255, 255});
                inkThinned += Difference(b, {255, 255, 255});
                largest = std::max(largest, Difference(a, b));
            }
        // A point moved by a quarter pixel at most changes a pixel's cover by about that
        // much, and the lines keep their ink; a lost corner or piece would change whole
        // pixels or leave ink out.
        EXPECT_LE(largest, 100) << doc;
        EXPECT_LE(std::labs(inkEvery - inkThinned), inkEvery / 50) << doc << ": " << inkThinned << " against " << inkEvery;
    }
    EXPECT_GE(documents, 6);
}
