// The 3D gallery filled straight into the image against the same pictures drawn as polygons
// through the device: from turned eyes, shaded, in spectrum colours with and without mesh
// lines (one pixel and wide), with and without anti-aliasing. Only the pixels along edges
// may differ.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <string>

#include "framework/automation.h"
#include "framework/bitmap.h"
#include "framework/dc.h"
#include "plot3d/plot3_win.h"
#include "plot3d/surface_kinds.h"
#include "plot3d/surface_mesh.h"
#include "plotwin/dc_surface.h"

using namespace curvelo;

namespace {

constexpr int kWidth = 480, kHeight = 360;

fw::Bitmap Paint(TPlot3Win& w, bool direct, bool antialias) {
    fw::Bitmap bitmap(kWidth, kHeight);
    w.View().ApplyViewTo(kWidth, kHeight, 0, 0);
    {
        fw::DC dc(bitmap);
        dc.SetAntialias(antialias);
        DcSurface surface(dc, w.View());
        surface.SetDirectRaster(direct);
        w.PaintPicture(surface, dc, true);
    }
    w.View().ApplyView();
    return bitmap;
}

int Channel(fw::Color c, int k) { return k == 0 ? c.r : k == 1 ? c.g : c.b; }

// A pixel differs only as an edge does when each of its channels lies within what the other
// picture has around it (a neighbour's colour, or a blend of neighbours' colours).
bool WithinNeighbours(const fw::Bitmap& other, int x, int y, fw::Color c) {
    constexpr int kSlack = 8;
    for (int k = 0; k < 3; ++k) {
        int lo = 255, hi = 0;
        for (int dy = -1; dy <= 1; ++dy)
            for (int dx = -1; dx <= 1; ++dx) {
                if (x + dx < 0 || y + dy < 0 || x + dx >= kWidth || y + dy >= kHeight) continue;
                const int v = Channel(other.GetPixel(x + dx, y + dy), k);
                lo = std::min(lo, v);
                hi = std::max(hi, v);
            }
        if (Channel(c, k) < lo - kSlack || Channel(c, k) > hi + kSlack) return false;
    }
    return true;
}

struct Comparison {
    int differing = 0, unexplained = 0, ink = 0;
};

Comparison Compare(const fw::Bitmap& direct, const fw::Bitmap& polygons) {
    Comparison r;
    for (int y = 0; y < kHeight; ++y)
        for (int x = 0; x < kWidth; ++x) {
            const fw::Color a = direct.GetPixel(x, y), b = polygons.GetPixel(x, y);
            r.ink += b.r != 255 || b.g != 255 || b.b != 255;
            if (std::max({std::abs(a.r - b.r), std::abs(a.g - b.g), std::abs(a.b - b.b)}) <= 24) continue;
            ++r.differing;
            if (!WithinNeighbours(polygons, x, y, a) || !WithinNeighbours(direct, x, y, b)) ++r.unexplained;
        }
    return r;
}

enum class Look { kAsSaved, kShaded, kSpectrum, kSpectrumMesh, kWideMesh };

// Every surface drawn fast in the look (slow ones of the gallery too).
void SetLook(TPlot3Win& w, Look look) {
    if (look == Look::kAsSaved) return;
    for (int i = 0; i < w.Inventory().Count(); ++i) {
        TExample& e = w.Inventory().At(i);
        if (!IsMeshKind(e.kind)) continue;
        surf::Slow(e) = 0;
        surf::Shaded(e) = 1;
        surf::Spectrum(e) = look != Look::kShaded;
        surf::MeshLines(e) = look == Look::kSpectrumMesh || look == Look::kWideMesh;
        if (look == Look::kWideMesh) e.penWidth = 3;
    }
}

}  // namespace

TEST(SurfaceRaster, GalleryLooksTheSameFilledDirectlyAsDrawnAsPolygons) {
    fw::automation::EnsureApplication();
    int documents = 0;
    for (const auto& entry : std::filesystem::directory_iterator(CURVELO_SOURCE_DIR "/examples")) {
        if (entry.path().extension() != ".cv3") continue;
        ++documents;
        const std::string doc = entry.path().string();
        for (Look look : {Look::kAsSaved, Look::kShaded, Look::kSpectrum, Look::kSpectrumMesh, Look::kWideMesh})
            for (int turn = 0; turn < 2; ++turn) {
                TPlot3Win w(nullptr, "g.cv3");
                ASSERT_TRUE(w.Create());
                ASSERT_EQ(w.ReadDocument(doc), 0) << doc;
                SetLook(w, look);
                for (int k = 0; k < 3 * turn; ++k) w.RunCommand(eyecmd::kRight);
                for (int k = 0; k < turn; ++k) w.RunCommand(eyecmd::kUp);
                for (bool antialias : {false, true}) {
                    const Comparison c = Compare(Paint(w, true, antialias), Paint(w, false, antialias));
                    const std::string what = doc + " look " + std::to_string(static_cast<int>(look)) + " turn " +
                                             std::to_string(turn) + (antialias ? " soft" : " hard");
                    // A wrong colour, a missing or extra quadrilateral, a shifted mesh would
                    // leave pixels that no neighbour explains.
                    EXPECT_LE(c.unexplained, c.ink / 2000) << what;
                    EXPECT_LE(c.differing, c.ink / 8) << what << ": " << c.differing << " of " << c.ink;
                    EXPECT_GT(c.ink, kWidth * kHeight / 20) << what;
                }
            }
    }
    EXPECT_GE(documents, 4);
}
