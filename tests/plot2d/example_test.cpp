#include "plot2d/example.h"

#include "expr/byte_io.h"
#include "plot2d/example_kinds.h"

#include <gtest/gtest.h>

#include <random>

using namespace curvelo;

namespace {
long double Ext(const TExample::Image& im, std::size_t off) { return LoadExt80(im.data() + off); }
std::uint16_t U16(const TExample::Image& im, std::size_t off) { return GetU16(im.data() + off); }
}  // namespace

TEST(TExampleLayout, FieldsCoverEveryStoredByteOnceAndPointersNone) {
    auto cover = TExample::FieldCoverage();
    for (std::size_t i = 0; i < TExample::kStoredSize; ++i)
        EXPECT_EQ(cover[i], i < TExample::kOffPointers ? 1 : 0) << "byte " << i;
}

TEST(TExampleLayout, NewExplicitExampleHasEveryInitialValueAtItsOffset) {
    TExample e = NewExample(kKindExplicit, -3.0L, 4.0L, 6);
    EXPECT_EQ(e.texts[1], "xsin(x)");
    const TExample::Image im = e.Store();
    EXPECT_EQ(U16(im, 0), 201);
    EXPECT_EQ(U16(im, 2), 0);
    for (int i = 4; i < 8; ++i) EXPECT_EQ(im[i], 0xFF);
    for (int i = 8; i < 12; ++i) EXPECT_EQ(im[i], 0);
    const std::pair<std::size_t, int> words[] = {
        {12, 1}, {14, 20}, {16, 1}, {18, 15}, {20, 0}, {22, 22}, {24, 0}, {28, 50},
        {30, 0}, {34, 10}, {40, 1}, {42, 20}, {44, 50}, {111, 36}, {113, 36}, {115, 36},
        {117, 150}, {119, 150}, {461, 6}, {463, 1}, {465, 0}};
    for (auto [off, v] : words) EXPECT_EQ(U16(im, off), v) << "offset " << off;
    EXPECT_EQ(im[46], 0);
    EXPECT_EQ(im[48], 1);
    EXPECT_EQ(im[52], 1);
    EXPECT_EQ(im[53], 1);
    EXPECT_EQ(im[54], 1);
    EXPECT_EQ(im[59], 0);
    EXPECT_EQ(Ext(im, 61), 0.2L);
    EXPECT_EQ(Ext(im, 71), 0.0L);
    EXPECT_EQ(Ext(im, 81), 1.0L);
    EXPECT_EQ(Ext(im, 91), -3.0L);
    EXPECT_EQ(Ext(im, 101), 4.0L);
    EXPECT_EQ(Ext(im, 121), -3.0L);
    EXPECT_EQ(Ext(im, 141), 4.0L);
    EXPECT_EQ(Ext(im, 151), 1.0L);
    EXPECT_EQ(Ext(im, 191), 1.0L);
    EXPECT_EQ(Ext(im, 251), 1.0L);
    EXPECT_EQ(Ext(im, 271), 1.0L);
    EXPECT_EQ(Ext(im, 401), 1.0L);  // discontinuity threshold of a new explicit curve
    for (std::size_t i = TExample::kOffPointers; i < TExample::kStoredSize; ++i) EXPECT_EQ(im[i], 0);
}

TEST(TExampleLayout, KindDefaults) {
    long double s, e;
    DefaultRangeOf(kKindPolar, -5, 5, s, e);
    TExample polar = NewExample(kKindPolar, s, e, 4);
    EXPECT_EQ(polar.low, 0.0L);
    EXPECT_EQ(polar.high, 6.283185307179586L);
    EXPECT_EQ(polar.texts[2], "3cos(2t)");
    EXPECT_EQ(polar.familyDelay, 0);
    EXPECT_EQ(polar.kindCount, 0);
    EXPECT_EQ(polar.discontinuity, 0.0L);
    DefaultRangeOf(kKindExplicit, -2, 7, s, e);
    EXPECT_EQ(s, -2.0L);
    EXPECT_EQ(e, 7.0L);
    TExample para = NewExample(kKindParametric, 0, kTwoPi, 2);
    EXPECT_EQ(para.texts[0], "3cos(3t)");
    EXPECT_EQ(para.texts[1], "3sin(4t)");
    EXPECT_EQ(NewExample(kKindSystem, 0, 1, 9).penColour, 4);
    EXPECT_EQ(NewExample(kKindSlope, 0, 1, 9).penColour, 4);
    EXPECT_EQ(NewExample(kKindSegment, 0, 1, 9).texts[3], "1.0");
    TExample interp = NewExample(kKindInterpolation, -1, 1, 9);
    EXPECT_EQ(interp.kind, kKindExplicit);
    EXPECT_EQ(interp.interpolation, 1);
    EXPECT_EQ(FindExampleKindByCommand(916)->kind, kKindSegment);
    EXPECT_EQ(FindExampleKindByCommand(902)->dialog, std::string("EQUA202"));
    EXPECT_EQ(FindExampleKindByCommand(0), nullptr);
}

TEST(TExampleLayout, AnyStoredImageSurvivesLoadAndStoreUnchanged) {
    std::mt19937 rng(5);
    for (int round = 0; round < 200; ++round) {
        TExample::Image in{};
        for (std::size_t i = 0; i < TExample::kOffPointers; ++i) in[i] = static_cast<std::uint8_t>(rng());
        if (round % 2) {
            // Signalling NaN and an unnormal in a reserved and a named long double slot.
            const std::uint8_t snan[10] = {1, 0, 0, 0, 0, 0, 0, 0x80, 0xFF, 0x7F};
            const std::uint8_t unnormal[10] = {0, 0, 0, 0, 0, 0, 0, 0x40, 0x00, 0x40};
            std::copy(snan, snan + 10, in.begin() + 311);
            std::copy(unnormal, unnormal + 10, in.begin() + 121);
        }
        TExample e;
        e.Load(in);
        EXPECT_EQ(e.Store(), in) << "round " << round;
    }
    TExample::Image withPointers{};
    withPointers.fill(0xAB);
    TExample e;
    e.Load(withPointers);
    TExample::Image out = e.Store();
    for (std::size_t i = TExample::kOffPointers; i < TExample::kStoredSize; ++i) EXPECT_EQ(out[i], 0);
}

TEST(TExampleColours, PaletteRepeatsAfterTenAndBlackModeIsBlack) {
    EXPECT_EQ(DefaultCurveColour(10, false), DefaultCurveColour(0, false));
    EXPECT_NE(DefaultCurveColour(1, false), DefaultCurveColour(0, false));
    for (unsigned i = 0; i < 10; ++i) {
        EXPECT_EQ(DefaultCurveColour(i, true), 0);
        EXPECT_NE(kCurvePalette[i], 1);  // never white on the white background
    }
}

TEST(TExampleList, LinesShowHiddenNameAndFamily) {
    TExample e = NewExample(kKindExplicit, -5, 5, 6);
    EXPECT_EQ(InventoryLine(e, ""), "y = xsin(x)");
    e.visible = 0;
    EXPECT_EQ(InventoryLine(e, "hullám"), "rejtett: hullám");
    e.visible = 1;
    e.familyActive = 1;
    e.familyParam = 2;
    e.familyLow = -1;
    e.familyHigh = 2.5L;
    e.familySteps = -4;
    EXPECT_EQ(InventoryLine(e, ""), "y = xsin(x) osztály[b = -1.00000 to 2.50000; 4 lépések : ]");
    EXPECT_EQ(InventoryLine(e, "", "%5.2Lf"), "y = xsin(x) osztály[b = -1.00 to 2.50; 4 lépések : ]");
    // A hostile format text cannot reach the formatter.
    EXPECT_EQ(InventoryLine(e, "", "%s%n"), "y = xsin(x) osztály[b = -1.00000 to 2.50000; 4 lépések : ]");
    TExample p = NewExample(kKindParametric, 0, kTwoPi, 2);
    EXPECT_EQ(DescribeExample(p), "x = 3cos(3t), y = 3sin(4t)");
}

TEST(TExampleKinds, WorkBuffersAndPointOnCurveNumbers) {
    EXPECT_EQ(WorkBuffersOf(kKindInterpolation).cols495, 9);
    EXPECT_EQ(WorkBuffersOf(kKindOrbital).bytes503, 2880);
    EXPECT_EQ(WorkBuffersOf(301).bytes503, 30000);
    EXPECT_FALSE(WorkBuffersOf(kKindExplicit).Any());
    long double n[kMaxPointOnCurveNumbers];
    ASSERT_EQ(ParsePointOnCurveNumbers("1.5, -2 3-4 x.7 1.2.3 - .", n), 7);
    const long double want[] = {1.5L, -2, 3, -4, 0.7L, 1.2L, 0.3L};
    for (int i = 0; i < 7; ++i) EXPECT_EQ(n[i], want[i]) << i;
    std::string many;
    for (int i = 0; i < 200; ++i) many += "1 ";
    EXPECT_EQ(ParsePointOnCurveNumbers(many, n), kMaxPointOnCurveNumbers);
}
