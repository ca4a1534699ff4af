#include <gtest/gtest.h>

#include "plotwin/colour_table.h"
#include "plotwin/number_format.h"

namespace curvelo {
namespace {

TEST(ColourTableTest, EntriesNamesAndOutOfRangeIndexes) {
    EXPECT_EQ(ColourOf(4), (Rgb{255, 0, 0}));
    EXPECT_EQ(ColourOf(5), (Rgb{0, 191, 63}));
    EXPECT_EQ(ColourOf(17), (Rgb{0, 47, 160}));
    EXPECT_EQ(ColourOf(24), (Rgb{191, 0, 63}));
    EXPECT_EQ(ColourOf(1), (Rgb{255, 255, 255}));
    EXPECT_EQ(ColourOf(25), (Rgb{0, 0, 0}));
    EXPECT_EQ(ColourOf(-1), (Rgb{0, 0, 0}));
    EXPECT_EQ(ColourName(0), "fekete");
    EXPECT_EQ(ColourName(5), "fűzöld");
    EXPECT_EQ(ColourName(24), "sötétpiros");
    EXPECT_TRUE(ColourName(25).empty());
    for (int i = 0; i < kColourCount; ++i) EXPECT_FALSE(ColourName(i).empty()) << i;
}

TEST(ColourTableTest, BlackAndWhiteAndGrey) {
    for (int i = -1; i <= 25; ++i) EXPECT_EQ(ColourForOutput(i, false), (Rgb{0, 0, 0}));
    EXPECT_EQ(ColourForOutput(4, true), (Rgb{255, 0, 0}));
    EXPECT_EQ(GreyOf(0), (Rgb{0, 0, 0}));
    EXPECT_EQ(GreyOf(1), (Rgb{255, 255, 255}));
    EXPECT_EQ(GreyOf(2), (Rgb{232, 232, 232}));
    EXPECT_EQ(GreyOf(24), (Rgb{56, 56, 56}));
    EXPECT_EQ(GreyOf(27), (Rgb{232, 232, 232}));
}

TEST(NumberFormatTest, DefaultAndBounds) {
    NumberFormat f;
    EXPECT_EQ(f.Pattern(), "%7.5Lf");
    EXPECT_EQ(f.Format(3.14159265L), "3.14159");
    EXPECT_EQ(f.Format(-0.5L), "-0.50000");
    NumberFormat g{3, 1};
    EXPECT_EQ(g.Format(2.25L), "2.2");
    EXPECT_EQ(g.Format(1), "1.0");
    // Huge values are written whole, never cut off or overflowing a buffer.
    EXPECT_GE(FormatFixed(1e40L, 7, 0).size(), 40u);
    NumberFormat silly{100000, -4};
    EXPECT_LE(silly.Format(1).size(), 61u);
}

}  // namespace
}  // namespace curvelo
