// The own thin-line drawer against the painter it stands in for: the same pixels up to
// rounding, the clip kept, far-away ends handled, and the device context choosing it only
// where the painter would draw the same line.
#include <gtest/gtest.h>

#include <QImage>
#include <QPainter>

#include <algorithm>
#include <climits>
#include <cstdlib>
#include <random>
#include <vector>

#include "framework/automation.h"
#include "framework/bitmap.h"
#include "framework/dc.h"
#include "framework/line_raster.h"

using namespace curvelo::fw;

namespace {

constexpr int kW = 64, kH = 48;

QImage Blank() {
    QImage image(kW, kH, QImage::Format_RGB32);
    image.fill(Qt::white);
    return image;
}

QImage ByPainter(const std::vector<Point>& points, Color c) {
    QImage image = Blank();
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing, true);
    QPen pen(QColor(c.r, c.g, c.b));
    pen.setWidth(0);
    pen.setCapStyle(Qt::FlatCap);
    p.setPen(pen);
    std::vector<QPoint> q;
    for (const Point& pt : points) q.emplace_back(pt.x, pt.y);
    p.drawPolyline(q.data(), static_cast<int>(q.size()));
    return image;
}

QImage ByRaster(const std::vector<Point>& points, Color c) {
    QImage image = Blank();
    LineRaster raster(reinterpret_cast<std::uint32_t*>(image.bits()), static_cast<int>(image.bytesPerLine()), kW, kH);
    raster.Polyline(points.data(), static_cast<int>(points.size()), c);
    return image;
}

int LargestDifference(const QImage& a, const QImage& b) {
    int largest = 0;
    for (int y = 0; y < kH; ++y)
        for (int x = 0; x < kW; ++x) {
            const QRgb p = a.pixel(x, y), q = b.pixel(x, y);
            largest = std::max({largest, std::abs(qRed(p) - qRed(q)), std::abs(qGreen(p) - qGreen(q)),
                                std::abs(qBlue(p) - qBlue(q))});
        }
    return largest;
}

}  // namespace

TEST(LineRaster, CoversThePixelsThePainterCovers) {
    // Horizontal, vertical, diagonal and shallow pieces, corners that turn back, and random
    // polylines partly outside the picture, in colours whose channels blend apart.
    std::vector<std::vector<Point>> cases = {
        {{2, 5}, {12, 5}},         {{5, 2}, {5, 30}},        {{2, 2}, {12, 12}},
        {{2, 2}, {12, 7}},         {{2, 2}, {5, 14}},        {{40, 3}, {3, 40}},
        {{2, 2}, {10, 2}, {10, 10}, {20, 12}},               {{2, 5}, {10, 5}, {3, 6}},
        {{-20, -7}, {30, 60}, {90, 10}},                     {{63, 0}, {0, 47}},
        {{7, 9}, {7, 9}},          {{7, 9}, {7, 9}, {7, 9}}, {{3, 3}, {3, 3}, {9, 3}},  // no dots
    };
    std::mt19937 random(7);
    std::uniform_int_distribution<int> coordinate(-30, 90);
    for (int k = 0; k < 200; ++k) {
        std::vector<Point> line;
        const int n = 2 + k % 6;
        for (int i = 0; i < n; ++i) line.push_back({coordinate(random), coordinate(random)});
        cases.push_back(line);
    }
    const Color colours[] = {{0, 0, 0}, {200, 30, 90}, {0, 128, 255}};
    for (std::size_t i = 0; i < cases.size(); ++i) {
        const Color c = colours[i % 3];
        const int d = LargestDifference(ByPainter(cases[i], c), ByRaster(cases[i], c));
        // The painter's coarser fixed point drifts by a few levels along long pieces that
        // start far off the picture; a wrong pixel or share would differ by tens.
        EXPECT_LE(d, 6) << "case " << i;
    }
    // A single line whose ends coincide is a dot (a vector of a field where it vanishes).
    QImage painted = Blank();
    {
        QPainter p(&painted);
        p.setRenderHint(QPainter::Antialiasing, true);
        QPen pen(QColor(200, 30, 90));
        pen.setWidth(0);
        p.setPen(pen);
        p.drawLine(QPoint(7, 9), QPoint(7, 9));
    }
    QImage own = Blank();
    LineRaster raster(reinterpret_cast<std::uint32_t*>(own.bits()), static_cast<int>(own.bytesPerLine()), kW, kH);
    raster.Line({7, 9}, {7, 9}, {200, 30, 90});
    EXPECT_EQ(LargestDifference(painted, own), 0);
    EXPECT_NE(own.pixel(7, 9), QColor(Qt::white).rgb());
}

TEST(LineRaster, KeepsToTheClipAndSurvivesFarEnds) {
    // A buffer wider than the picture: the columns beyond it and the rows outside the clip
    // must stay untouched, whatever the ends.
    constexpr int kStride = kW + 8;
    std::vector<std::uint32_t> pixels(static_cast<std::size_t>(kStride * kH), 0xffffffffu);
    LineRaster raster(pixels.data(), kStride * 4, kW, kH);
    raster.SetClip(10, 5, 40, 30);
    const Point far[] = {{-16777216, -16777216}, {16777216, 16777215}, {-16777216, 20}, {16777216, 21},
                         {20, -16777216}, {21, 16777216}, {0, 0}, {kW, kH}};
    for (int i = 0; i + 1 < 8; ++i) raster.Line(far[i], far[i + 1], {0, 0, 0});
    int inked = 0;
    for (int y = 0; y < kH; ++y)
        for (int x = 0; x < kStride; ++x) {
            const bool marked = pixels[static_cast<std::size_t>(y * kStride + x)] != 0xffffffffu;
            const bool inside = x >= 10 && x < 40 && y >= 5 && y < 30;
            if (!inside) {
                EXPECT_FALSE(marked) << x << "," << y;
            }
            inked += marked;
        }
    EXPECT_GT(inked, 30);  // the pieces crossing the clip were drawn there
    // Ends at the limits of int: a level line still shares its height between its two rows
    // across the clip, a steep one crosses where it should.
    std::fill(pixels.begin(), pixels.end(), 0xffffffffu);
    raster.Line({INT_MIN, 20}, {INT_MAX, 20}, {0, 0, 0});
    raster.Line({INT_MIN, INT_MIN}, {INT_MAX, INT_MAX}, {0, 0, 0});
    const auto blue = [&](int x, int y) { return pixels[static_cast<std::size_t>(y * kStride + x)] & 0xffu; };
    for (int x = 10; x < 40; ++x) {
        if (x >= 18 && x <= 21) continue;  // where the diagonal crosses
        EXPECT_EQ(blue(x, 19), 128u) << x;
        EXPECT_EQ(blue(x, 20), 127u) << x;
    }
    int diagonal = 0;
    for (int y = 0; y < kH; ++y)
        for (int x = 0; x < kStride; ++x)
            if (y != 19 && y != 20 && blue(x, y) != 0xffu) {
                ++diagonal;
                EXPECT_EQ(x, y);
            }
    EXPECT_EQ(diagonal, 20 - 2);  // (10,10)..(29,29) in the clip, less the level line's rows
    // A clip beyond the buffer is cut to it; an empty one draws nothing.
    raster.SetClip(-100, -100, 1000, 1000);
    raster.SetClip(30, 30, 20, 20);
    raster.Line({0, 0}, {kW, kH}, {0, 0, 0});
    raster.Polyline(nullptr, 5, {0, 0, 0});
}

TEST(LineRaster, DeviceContextUsesItOnlyWhereThePainterWouldDrawTheSame) {
    automation::EnsureApplication();
    const Point zigzag[] = {{3, 3}, {60, 20}, {5, 40}, {50, 44}};
    auto draw = [&](Pen pen, bool antialias, bool clip) {
        Bitmap bitmap(kW, kH);
        DC dc(bitmap);
        dc.SetAntialias(antialias);
        dc.SelectPen(pen);
        if (clip) dc.SetClipRect({8, 8, 30, 30});
        dc.Polyline(zigzag, 4);
        dc.MoveTo(0, 46);
        dc.LineTo(63, 30);
        return bitmap;
    };
    auto reference = [&](Pen pen, bool antialias, bool clip) {
        QImage image = Blank();
        QPainter p(&image);
        p.setRenderHint(QPainter::Antialiasing, antialias);
        QPen q(QColor(pen.color.r, pen.color.g, pen.color.b));
        q.setWidth(pen.width <= 1 ? 0 : pen.width);
        q.setStyle(pen.style == PenStyle::Dash ? Qt::DashLine : Qt::SolidLine);
        q.setCapStyle(pen.width <= 1 ? Qt::FlatCap : Qt::RoundCap);
        q.setJoinStyle(Qt::RoundJoin);
        p.setPen(q);
        if (clip) p.setClipRect(QRect(8, 8, 22, 22));
        const QPoint pts[] = {{3, 3}, {60, 20}, {5, 40}, {50, 44}};
        p.drawPolyline(pts, 4);
        p.drawLine(QPoint(0, 46), QPoint(63, 30));
        return image;
    };
    struct Case {
        Pen pen;
        bool antialias, clip;
    };
    const Case cases[] = {
        {{{0, 0, 0}, 1, PenStyle::Solid}, true, false},   {{{10, 90, 200}, 0, PenStyle::Solid}, true, true},
        {{{0, 0, 0}, 1, PenStyle::Solid}, false, false},  {{{0, 0, 0}, 1, PenStyle::Dash}, true, false},
        {{{0, 0, 0}, 3, PenStyle::Solid}, true, false},
    };
    for (const Case& c : cases) {
        const Bitmap got = draw(c.pen, c.antialias, c.clip);
        const QImage want = reference(c.pen, c.antialias, c.clip);
        int largest = 0;
        for (int y = 0; y < kH; ++y)
            for (int x = 0; x < kW; ++x) {
                const Color g = got.GetPixel(x, y);
                const QRgb w = want.pixel(x, y);
                largest = std::max({largest, std::abs(g.r - qRed(w)), std::abs(g.g - qGreen(w)), std::abs(g.b - qBlue(w))});
            }
        EXPECT_LE(largest, 2) << "width " << c.pen.width << " antialias " << c.antialias << " clip " << c.clip;
    }
}
