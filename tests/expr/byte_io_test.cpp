#include "expr/byte_io.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

using namespace curvelo;

TEST(Ext80, RoundTripsExactBitsIncludingSpecials) {
    const long double values[] = {0.0L, -0.0L, 1.0L, -2.5L, 1e-4930L, 1e4930L,
                                  std::numeric_limits<long double>::infinity(),
                                  3.14159265358979323846264338327950288L};
    for (long double v : values) {
        std::uint8_t raw[10];
        StoreExt80(v, raw);
        long double back = LoadExt80(raw);
        EXPECT_EQ(std::signbit(v), std::signbit(back));
        EXPECT_EQ(v, back);
    }
    std::uint8_t one[10];
    StoreExt80(1.0L, one);
    // Explicit leading mantissa bit, biased exponent 0x3FFF.
    EXPECT_EQ(one[7], 0x80);
    EXPECT_EQ(one[8], 0xFF);
    EXPECT_EQ(one[9], 0x3F);
}

TEST(ByteReader, ShortReadsFailWithoutOverrun) {
    const std::uint8_t data[] = {0x34, 0x12, 0xAA};
    ByteReader r(data, sizeof data);
    EXPECT_EQ(r.U16(), 0x1234);
    EXPECT_EQ(r.U32(), 0u);
    EXPECT_FALSE(r.Ok());
    EXPECT_EQ(r.U8(), 0);  // stays failed
    EXPECT_EQ(r.Remaining(), 0u);
}

TEST(ByteReader, LengthTextAndCountsAreBoundedByWhatRemains) {
    ByteWriter w;
    w.LengthText("sin(x)");
    w.U16(3);
    w.Zeros(2 * 4);
    ByteReader r(w.Data());
    EXPECT_EQ(r.LengthText(255), "sin(x)");
    EXPECT_EQ(r.Count(4, 100), 0u);  // claims 3 records of 4 bytes, only 8 bytes remain
    EXPECT_FALSE(r.Ok());

    ByteWriter huge;
    huge.U16(60000);
    ByteReader r2(huge.Data());
    EXPECT_EQ(r2.LengthText(60000), "");
    EXPECT_FALSE(r2.Ok());

    ByteWriter tooLong;
    tooLong.LengthText("abcdef");
    ByteReader r3(tooLong.Data());
    r3.LengthText(3);
    EXPECT_FALSE(r3.Ok());
}
