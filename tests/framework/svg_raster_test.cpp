#include "framework/svg_raster.h"

#include <gtest/gtest.h>

#include <QImage>
#include <QString>

#include <string>

#include "resources/resources.h"

using namespace curvelo;

namespace {

const char* const kSquare =
    R"(<svg xmlns="http://www.w3.org/2000/svg" width="10" height="10" viewBox="0 0 10 10">)"
    R"(<rect x="2" y="2" width="6" height="6" fill="#ff0000"/></svg>)";

QImage Load(const std::string& path) { return QImage(QString::fromStdString(path)); }

}  // namespace

TEST(SvgRaster, ScalesThePictureOntoTransparentGround) {
    const std::string path = ::testing::TempDir() + "/square.png";
    ASSERT_TRUE(fw::WriteSvgAsPng(kSquare, 40, path));
    const QImage image = Load(path);
    ASSERT_EQ(image.size(), QSize(40, 40));
    EXPECT_EQ(qAlpha(image.pixel(2, 2)), 0);         // outside the square: see-through
    EXPECT_EQ(image.pixel(20, 20), qRgb(255, 0, 0));  // inside, scaled from 10 to 40
    EXPECT_EQ(qAlpha(image.pixel(37, 20)), 0);
}

TEST(SvgRaster, RefusesWhatItCannotDraw) {
    const std::string path = ::testing::TempDir() + "/refused.png";
    EXPECT_FALSE(fw::WriteSvgAsPng("not a picture", 32, path));
    EXPECT_FALSE(fw::WriteSvgAsPng(kSquare, 0, path));
    EXPECT_FALSE(fw::WriteSvgAsPng(kSquare, 5000, path));
    EXPECT_FALSE(fw::WriteSvgAsPng(kSquare, 32, ::testing::TempDir() + "/no/such/folder/x.png"));
}

TEST(SvgRaster, TheProgramIconStaysReadableAtMenuSize) {
    // The smallest icon a menu shows must still have its drawing, not just the frame.
    const std::string_view icon = res::File("icons/PLOTICON.svg");
    ASSERT_FALSE(icon.empty());
    const std::string path = ::testing::TempDir() + "/icon16.png";
    ASSERT_TRUE(fw::WriteSvgAsPng(icon, 16, path));
    const QImage image = Load(path);
    int coloured = 0;
    for (int y = 4; y < 12; ++y)
        for (int x = 4; x < 12; ++x) {
            const QRgb p = image.pixel(x, y);
            coloured += qAlpha(p) > 200 && (qRed(p) - qBlue(p) > 80 || qBlue(p) - qRed(p) > 80);
        }
    EXPECT_GE(coloured, 6) << "the curves vanish at 16 pixels";
}
