// The direct polygon filler against a per-pixel even-odd reference, at the image border,
// with shapes a projection produces (degenerate, concave, self-crossing, far away) and with
// corners that are not numbers.
#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <random>
#include <vector>

#include "framework/quad_filler.h"

using namespace curvelo::fw;

namespace {

constexpr std::uint32_t kWhite = 0xffffffffu, kGuard = 0xff123456u;
constexpr Color kRed{255, 0, 0};
constexpr std::uint32_t kRedPixel = 0xffff0000u;

// A W x H picture inside a guard frame of 3 pixels that nothing may touch.
struct Canvas {
    static constexpr int kFrame = 3;
    int w, h;
    std::vector<std::uint32_t> pixels;
    Canvas(int width, int height) : w(width), h(height), pixels(static_cast<std::size_t>((w + 2 * kFrame) * (h + 2 * kFrame)), kGuard) {
        for (int y = 0; y < h; ++y)
            for (int x = 0; x < w; ++x) At(x, y) = kWhite;
    }
    std::uint32_t& At(int x, int y) { return pixels[static_cast<std::size_t>((y + kFrame) * (w + 2 * kFrame) + x + kFrame)]; }
    RasterTarget Target(bool antialias = false) {
        RasterTarget t;
        t.bits = &At(0, 0);
        t.width = w;
        t.height = h;
        t.stride = w + 2 * kFrame;
        t.clip = {0, 0, w, h};
        t.antialias = antialias;
        return t;
    }
    bool GuardIntact() const {
        int guards = 0;
        for (std::uint32_t p : pixels) guards += p == kGuard;
        return guards == (w + 2 * kFrame) * (h + 2 * kFrame) - w * h;
    }
    int Count(std::uint32_t colour) {
        int n = 0;
        for (int y = 0; y < h; ++y)
            for (int x = 0; x < w; ++x) n += At(x, y) == colour;
        return n;
    }
};

// Even-odd test of a point against the polygon, by crossings of a ray to the right.
bool Inside(const PointF* p, int n, double x, double y) {
    bool in = false;
    for (int k = 0; k < n; ++k) {
        const PointF a = p[k], b = p[(k + 1) % n];
        if ((a.y <= y) == (b.y <= y)) continue;
        const double cx = a.x + (y - a.y) / (b.y - a.y) * (b.x - a.x);
        if (cx > x) in = !in;
    }
    return in;
}

// Pixels where the filler and the reference disagree, away from the shape's edges (a centre
// within 1e-9 of an edge may go either way).
int Disagreements(Canvas& c, const PointF* p, int n) {
    int bad = 0;
    for (int y = 0; y < c.h; ++y)
        for (int x = 0; x < c.w; ++x) {
            const bool expected = Inside(p, n, x + 0.5, y + 0.5);
            const bool nearEdge = Inside(p, n, x + 0.5 + 1e-9, y + 0.5) != expected ||
                                  Inside(p, n, x + 0.5 - 1e-9, y + 0.5) != expected;
            if (!nearEdge && expected != (c.At(x, y) == kRedPixel)) ++bad;
        }
    return bad;
}

}  // namespace

TEST(QuadFiller, FillsExactlyThePixelsWhoseCentresAreInside) {
    // Convex, concave (an arrow head), self-crossing (a bow tie as a projection folds a
    // quadrilateral over) and random shapes, all against the even-odd reference.
    std::vector<std::vector<PointF>> shapes = {
        {{2, 2}, {30, 4}, {28, 25}, {5, 20}},
        {{2, 2}, {30, 16}, {2, 30}, {12, 16}},
        {{2, 2}, {30, 30}, {30, 2}, {2, 30}},
        {{3.3, 7.7}, {20.1, 1.2}, {11.5, 28.9}},
    };
    std::mt19937 random(7);
    std::uniform_real_distribution<double> coordinate(-8, 40);
    for (int s = 0; s < 40; ++s) {
        std::vector<PointF> q(4);
        for (PointF& p : q) p = {coordinate(random), coordinate(random)};
        shapes.push_back(q);
    }
    for (const auto& shape : shapes) {
        Canvas c(32, 32);
        QuadFiller(c.Target()).Fill(shape.data(), static_cast<int>(shape.size()), kRed);
        EXPECT_EQ(Disagreements(c, shape.data(), static_cast<int>(shape.size())), 0)
            << shape[0].x << "," << shape[0].y << " " << shape[1].x << "," << shape[1].y;
        EXPECT_TRUE(c.GuardIntact());
    }
}

TEST(QuadFiller, NeighboursShareTheirEdgeWithoutGapOrOverlap) {
    // Two quadrilaterals of a mesh meeting along a slanted edge: every pixel of the union
    // belongs to exactly one of them, so a surface shows no seams and no double pixels.
    const PointF left[4] = {{1.2, 1.7}, {14.6, 3.1}, {17.9, 28.4}, {2.5, 26.2}};
    const PointF right[4] = {{14.6, 3.1}, {30.3, 2.2}, {29.1, 30.5}, {17.9, 28.4}};
    Canvas a(32, 32), b(32, 32), both(32, 32);
    QuadFiller(a.Target()).Fill(left, 4, kRed);
    QuadFiller(b.Target()).Fill(right, 4, kRed);
    QuadFiller fill(both.Target());
    fill.Fill(left, 4, kRed);
    fill.Fill(right, 4, kRed);
    int shared = 0;
    for (int y = 0; y < 32; ++y)
        for (int x = 0; x < 32; ++x) shared += a.At(x, y) == kRedPixel && b.At(x, y) == kRedPixel;
    EXPECT_EQ(shared, 0);
    EXPECT_EQ(a.Count(kRedPixel) + b.Count(kRedPixel), both.Count(kRedPixel));
}

TEST(QuadFiller, DegenerateShapesDrawNothingAndOutlinesStayThin) {
    Canvas c(16, 16);
    QuadFiller fill(c.Target());
    const PointF point[4] = {{5, 5}, {5, 5}, {5, 5}, {5, 5}};
    const PointF line[4] = {{1, 1}, {8, 8}, {12, 12}, {4, 4}};
    fill.Fill(point, 4, kRed);
    fill.Fill(line, 4, kRed);
    fill.Fill(line, 2, kRed);
    fill.Fill(nullptr, 4, kRed);
    EXPECT_EQ(c.Count(kWhite), 16 * 16);
    // A collapsed quadrilateral's outline is its diagonal, one pixel per column; as with
    // the device's own lines, the far end of every side is left to the next one.
    fill.Outline(line, 4, kRed);
    EXPECT_EQ(c.Count(kRedPixel), 11);
    for (int k = 1; k <= 11; ++k) EXPECT_EQ(c.At(k, k), kRedPixel) << k;
    fill.Outline(point, 4, kRed);
    EXPECT_TRUE(c.GuardIntact());
}

TEST(QuadFiller, ShapesAndOutlinesAreClippedAtTheImageAndTheClip) {
    // Corners outside every side, at the device limit and far beyond it: the covered part
    // is filled, nothing outside is touched, and the work stays bounded by the picture.
    for (double far : {40.0, 16777216.0, 1e150, 1e300}) {
        Canvas c(24, 20);
        QuadFiller fill(c.Target());
        const PointF big[4] = {{-far, -far}, {far, -far}, {far, far}, {-far, far}};
        fill.Fill(big, 4, kRed);
        EXPECT_EQ(c.Count(kRedPixel), 24 * 20) << far;
        const Color blue{0, 0, 255};
        fill.Outline(big, 4, blue);
        const PointF cross[2] = {{-far, 10}, {far, 10}};
        fill.Outline(cross, 2, blue);
        EXPECT_EQ(c.At(0, 10), 0xff0000ffu) << far;
        EXPECT_EQ(c.At(23, 10), 0xff0000ffu) << far;
        EXPECT_TRUE(c.GuardIntact()) << far;
    }
    // A smaller clip inside the picture: nothing is drawn outside it, soft edges included.
    Canvas c(24, 20);
    RasterTarget t = c.Target(true);
    t.clip = {4, 5, 12, 9};
    QuadFiller fill(t);
    const PointF quad[4] = {{-3, -2}, {30, 1.5}, {26, 25}, {0.5, 18}};
    fill.Fill(quad, 4, kRed);
    fill.Outline(quad, 4, {0, 0, 0});
    for (int y = 0; y < 20; ++y)
        for (int x = 0; x < 24; ++x)
            EXPECT_EQ(c.At(x, y) != kWhite, x >= 4 && x < 12 && y >= 5 && y < 9) << x << "," << y;
    EXPECT_TRUE(c.GuardIntact());
}

TEST(QuadFiller, CornersThatAreNotNumbersLeaveTheShapeUndrawn) {
    const double nan = std::numeric_limits<double>::quiet_NaN(), inf = std::numeric_limits<double>::infinity();
    for (double bad : {nan, inf, -inf}) {
        Canvas c(16, 16);
        QuadFiller fill(c.Target(true));
        const PointF quad[4] = {{1, 1}, {14, 2}, {bad, 14}, {2, 13}};
        fill.Fill(quad, 4, kRed);
        fill.Outline(quad, 4, kRed);
        QuadFiller(c.Target(false)).Outline(quad, 4, kRed);
        const PointF flipped[4] = {{1, 1}, {14, 2}, {13, bad}, {2, 13}};
        fill.Fill(flipped, 4, kRed);
        EXPECT_EQ(c.Count(kWhite), 16 * 16);
    }
}

TEST(QuadFiller, SoftOutlinesShareOnePixelOfCoverAcrossTheLine) {
    // Each column of a soft line carries one pixel's worth of the colour between the two
    // pixels across it: a horizontal line through pixel corners is half in either row, a
    // slanted one is split by distance; black on white, so ink = 255 - red channel.
    Canvas c(40, 20);
    QuadFiller fill(c.Target(true));
    // Triangles whose other edges stay clear of the columns looked at.
    const PointF flat[3] = {{2, 5}, {30, 5}, {16, -20}};
    fill.Outline(flat, 3, {0, 0, 0});
    const PointF slanted[3] = {{2, 10}, {30, 17}, {16, 40}};
    fill.Outline(slanted, 3, {0, 0, 0});
    for (int x = 8; x < 27; ++x) {
        EXPECT_NEAR(static_cast<int>(c.At(x, 4) >> 16 & 0xff), 128, 2) << x;
        EXPECT_NEAR(static_cast<int>(c.At(x, 5) >> 16 & 0xff), 128, 2) << x;
        int ink = 0;
        for (int y = 8; y < 20; ++y) ink += 255 - static_cast<int>(c.At(x, y) >> 16 & 0xff);
        EXPECT_NEAR(ink, 255, 3) << x;
    }
}
