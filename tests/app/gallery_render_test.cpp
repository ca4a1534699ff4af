// The gallery drawn with polylines thinned for the device and with every distinct pixel
// point, and with thin lines drawn by the framework's own line drawer and by the painter:
// the pictures may differ only in the shading of anti-aliased edges.
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

fw::Bitmap Paint(TPlot2Win& w, bool simplify, bool directLines = true) {
    fw::Bitmap bitmap(kWidth, kHeight);
    w.View().ApplyViewTo(kWidth, kHeight, 0, 0);
    {
        fw::DC dc(bitmap);
        dc.SetAntialias(true);
        dc.SetDirectLines(directLines);
        DcSurface surface(dc, w.View());
        surface.SetSimplify(simplify);
        w.PaintPicture(surface, dc, true);
    }
    return bitmap;
}

int Difference(fw::Color a, fw::Color b) {
    return std::max({std::abs(a.r - b.r), std::abs(a.g - b.g), std::abs(a.b - b.b)});
}

struct Comparison {
    long inkA = 0, inkB = 0;  // how far each pixel is from white, summed
    int largest = 0;          // the largest difference of one pixel
};

Comparison Compare(const fw::Bitmap& a, const fw::Bitmap& b) {
    Comparison c;
    for (int y = 0; y < kHeight; ++y)
        for (int x = 0; x < kWidth; ++x) {
            const fw::Color p = a.GetPixel(x, y), q = b.GetPixel(x, y);
            c.inkA += Difference(p, {255, 255, 255});
            c.inkB += Difference(q, {255, 255, 255});
            c.largest = std::max(c.largest, Difference(p, q));
        }
    return c;
}

// Every gallery document in a window of its own.
template <class F>
int ForEachGalleryDocument(F&& f) {
    fw::automation::EnsureApplication();
    int documents = 0;
    for (const auto& entry : std::filesystem::directory_iterator(CURVELO_EXAMPLES_DIR)) {
        if (entry.path().extension() != ".cv2") continue;
        ++documents;
        const std::string doc = entry.path().string();
        TPlot2Win w(nullptr, "g.cv2");
        EXPECT_TRUE(w.Create());
        EXPECT_EQ(w.ReadDocument(doc), 0) << doc;
        f(w, doc);
    }
    return documents;
}

}  // namespace

TEST(GalleryRender, ThinnedPolylinesChangeOnlyTheShadingOfEdges) {
    const int documents = ForEachGalleryDocument([](TPlot2Win& w, const std::string& doc) {
        const Comparison c = Compare(Paint(w, false), Paint(w, true));
        // A point moved by a quarter pixel at most changes a pixel's cover by about that
        // much, and the lines keep their ink; a lost corner or piece would change whole
        // pixels or leave ink out.
        EXPECT_LE(c.largest, 100) << doc;
        EXPECT_LE(std::labs(c.inkA - c.inkB), c.inkA / 50) << doc << ": " << c.inkB << " against " << c.inkA;
    });
    EXPECT_GE(documents, 6);
}

TEST(GalleryRender, OwnLineDrawerMatchesThePainter) {
    const int documents = ForEachGalleryDocument([](TPlot2Win& w, const std::string& doc) {
        const Comparison c = Compare(Paint(w, true, false), Paint(w, true, true));
        // Both share a line's height between the same two pixels; only rounding differs.
        EXPECT_LE(c.largest, 8) << doc;
        EXPECT_LE(std::labs(c.inkA - c.inkB), c.inkA / 1000) << doc << ": " << c.inkB << " against " << c.inkA;
    });
    EXPECT_GE(documents, 6);
}
