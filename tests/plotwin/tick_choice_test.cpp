#include <gtest/gtest.h>

#include <cstdint>

#include "plotwin/frame_settings.h"
#include "plotwin/plot_view.h"
#include "plotwin/tick_labels.h"
#include "plotwin/tick_range.h"

namespace curvelo {
namespace {

PlotView SquareView(long double hw, int w = 400, int h = 400) {
    PlotView v;
    v.SetClientSize(w, h);
    v.ApplyView();
    v.SetViewSquare(0, 0, hw);
    return v;
}

TEST(TickRangeTest, TooManyTicksRaiseTheSpacingByTens) {
    PlotView v = SquareView(5);
    FrameSettings s;
    s.spacingX = 0.01L;
    TickRange r;
    EXPECT_EQ(ComputeTickRange(s, v, &r), kTickStatusSpacingChanged);
    EXPECT_NEAR(static_cast<double>(s.spacingX), 1, 1e-15);
    EXPECT_EQ(r.kminX, -5);
    EXPECT_EQ(r.kmaxX, 5);
    EXPECT_EQ(ComputeTickRange(s, v, &r), kTickStatusOk);  // stable once fitted
}

TEST(TickRangeTest, TooFewTicksDivideOnceAndOnlyWithTicksOn) {
    PlotView v = SquareView(0.2L);
    FrameSettings s;
    EXPECT_EQ(ComputeTickRange(s, v, nullptr), kTickStatusSpacingChanged);
    EXPECT_NEAR(static_cast<double>(s.spacingX), 0.1, 1e-15);
    EXPECT_NEAR(static_cast<double>(s.spacingY), 0.1, 1e-15);

    FrameSettings off;
    off.ticks = 0;
    EXPECT_EQ(ComputeTickRange(off, v, nullptr), kTickStatusOk);
    EXPECT_EQ(off.spacingX, 1);

    PlotView tiny = SquareView(0.001L);  // once only, even when still too coarse
    FrameSettings t;
    ComputeTickRange(t, tiny, nullptr);
    EXPECT_NEAR(static_cast<double>(t.spacingX), 0.1, 1e-15);
}

TEST(TickRangeTest, TickExactlyOnTheEdgeIsInRange) {
    PlotView v;
    v.SetClientSize(400, 300);
    v.ApplyView();
    v.SetViewFree(0.15L, 0.15L, 0.15L, 0.15L, true);  // 0 .. 0.3 with spacing 0.1
    FrameSettings s;
    s.spacingX = s.spacingY = 0.1L;
    TickRange r;
    ComputeTickRange(s, v, &r);
    EXPECT_EQ(r.kmaxX, 3);
    EXPECT_GE(0.3L, r.loX);
    EXPECT_LE(0.3L, r.hiX);
}

TEST(TickRangeTest, IndexOverflowSwitchesTicksOffAndBadSpacingIsRepaired) {
    PlotView v;
    v.SetViewSquare(1e12L, 0, 1);
    FrameSettings s;
    TickRange r;
    const int st = ComputeTickRange(s, v, &r);
    EXPECT_TRUE(st & kTickStatusOverflow);
    EXPECT_FALSE(r.valid);
    EXPECT_EQ(s.ticks, 0);

    PlotView w;
    FrameSettings bad;
    bad.spacingX = 0;
    bad.spacingY = -__builtin_infl();
    EXPECT_EQ(ComputeTickRange(bad, w, &r), kTickStatusSpacingChanged);
    EXPECT_EQ(bad.spacingX, 1);
    EXPECT_EQ(bad.spacingY, 1);
}

TEST(TickRangeTest, IndicesNearTheLimitLeaveRoomForTheLoopToEnd) {
    // A loop "for k = kmin; k <= kmax; ++k" never ends when kmax is the largest integer.
    PlotView v = SquareView(5);
    int valid = 0;
    for (int d = -2000; d <= 2000; ++d) {
        FrameSettings s;
        TickRange r;
        ComputeTickRange(s, v, &r);
        s.originX = r.hiX - (2147483647.0L + d * 1e-3L);
        s.originY = r.loY + (2147483647.0L + d * 1e-3L);
        ComputeTickRange(s, v, &r);
        if (!r.valid) continue;
        ++valid;
        EXPECT_LT(r.kmaxX, 2147483647);
        EXPECT_GT(r.kminY, -2147483647 - 1);
        EXPECT_LE(std::int64_t{r.kmaxX} - r.kminX, 4 * kMaxTicksPerAxis);
    }
    EXPECT_GT(valid, 0);
}

TEST(TickRangeTest, SpacingChangeResetsTheExtraLabelMode) {
    PlotView v = SquareView(5);
    FrameSettings s;
    s.spacingX = 0.01L;
    s.extraLabelMode = 3;
    ComputeTickRange(s, v, nullptr);
    EXPECT_EQ(s.extraLabelMode, 0);
    s.spacingX = 0.01L;
    s.extraLabelMode = 2;
    ComputeTickRange(s, v, nullptr);
    EXPECT_EQ(s.extraLabelMode, 1);
}

TEST(TickLabelTest, DecimalNumbers) {
    EXPECT_EQ(FormatTickValue(2.7L, 0), "2");
    EXPECT_EQ(FormatTickValue(-2.7L, 0), "-2");
    EXPECT_EQ(FormatTickValue(2.7L, 2), "2.70");
    EXPECT_EQ(FormatTickValue(2.0L, 1), "2.0");
    EXPECT_EQ(FormatTickValue(0.5L, 1), "0.5");
    EXPECT_EQ(FormatTickValue(-12.25L, 1), "-12.2");
    EXPECT_EQ(FormatTickValue(1e20L, 0), "2147483647");
    FrameSettings s;
    s.decimalsY = 3;
    EXPECT_EQ(FormatTickNumber(1.5L, s, 0), "1.5");
    EXPECT_EQ(FormatTickNumber(1.5L, s, 1), "1.500");
}

TEST(TickLabelTest, PiMultiples) {
    const long double pi = 3.14159265358979323846L;
    EXPECT_EQ(PiLabel(pi / 2, 100, 112), "π/2");
    EXPECT_EQ(PiLabel(pi, 100, 112), "π");
    EXPECT_EQ(PiLabel(3 * pi / 2, 100, 112), "3π/2");
    EXPECT_EQ(PiLabel(2 * pi, 100, 112), "2π");
    EXPECT_EQ(PiLabel(-pi, 100, 112), "-π");
    EXPECT_EQ(PiLabel(0.75L * pi, 100, 112), "3π/4");
    EXPECT_EQ(PiLabel(-2 * pi / 3, 100, 112), "-2π/3");
    EXPECT_EQ(PiLabel(0, 100, 112), "0");
    EXPECT_EQ(PiLabel(pi, 100, '*'), "*");  // a chosen character outside the Greek letters
    FrameSettings s;
    s.piModeX = 1;
    EXPECT_EQ(FormatTickNumber(pi / 4, s, 0), "π/4");
}

TEST(TickLabelTest, RationalApproximation) {
    const Fraction half = RationalApprox(0.5L, 100);
    EXPECT_EQ(half.p, 1);
    EXPECT_EQ(half.q, 2);
    const Fraction neg = RationalApprox(-0.4L, 100);
    EXPECT_EQ(neg.p, -2);
    EXPECT_EQ(neg.q, 5);
    const Fraction whole = RationalApprox(3.0000001L, 100);
    EXPECT_EQ(whole.p, 3);
    EXPECT_EQ(whole.q, 1);
    const Fraction third = RationalApprox(1.0L / 3, 100);
    EXPECT_EQ(third.p, 1);
    EXPECT_EQ(third.q, 3);
    // Nothing fits: the last denominator, reduced.
    const Fraction far = RationalApprox(0.3L, 2);
    EXPECT_EQ(far.p, 1);
    EXPECT_EQ(far.q, 2);
    const Fraction eighth = RationalApprox(0.123456789L, 10);  // first q within 0.05
    EXPECT_EQ(eighth.p, 1);
    EXPECT_EQ(eighth.q, 8);
    EXPECT_EQ(RationalApprox(0.5L, 0).q, 1);  // a bad bound does not loop or divide by zero
}

TEST(TickLabelTest, LongMinusAndCharacterCodes) {
    EXPECT_EQ(ApplyLongMinus("-2.5", 150), "\u20132.5");
    EXPECT_EQ(ApplyLongMinus("-π/2", 45), "-π/2");
    EXPECT_EQ(CharCodeText(112, true), "π");
    EXPECT_EQ(CharCodeText(112, false), "p");
    EXPECT_EQ(CharCodeText(150, false), "\u2013");
    EXPECT_EQ(CharCodeText(68, true), "Δ");
}

TEST(TickLabelTest, PlacementAroundThePoint) {
    const LabelBox centred = PlaceLabel(100, 50, 20, 10, 0, 0);
    EXPECT_EQ(centred.left, 90);
    EXPECT_EQ(centred.top, 45);
    const LabelBox above = PlaceLabel(100, 50, 20, 10, 1, 1);
    EXPECT_EQ(above.left, 100);
    EXPECT_EQ(above.top, 40);
    const LabelBox below = PlaceLabel(100, 50, 21, 11, -1, -1);
    EXPECT_EQ(below.left, 79);
    EXPECT_EQ(below.top, 50);
    EXPECT_EQ(PlaceLabel(0, 0, 7, 7, 0, 0).left, -3);  // halves towards zero
}

}  // namespace
}  // namespace curvelo
