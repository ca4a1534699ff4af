#include "plotwin/wheel_zoom.h"

#include <gtest/gtest.h>

#include <cmath>

namespace curvelo {
namespace {

PlotView View400x300() {
    PlotView v;
    v.SetClientSize(400, 300);
    v.ApplyView();
    return v;
}

double D(long double v) { return static_cast<double>(v); }

TEST(WheelZoomTest, ANotchIsAFixedStepAboutThePointerWhateverTheKeysFactor) {
    for (long double keysFactor : {1.01L, 3.0L}) {
        PlotView v = View400x300();
        v.zoomFactor = keysFactor;
        WheelZoom wheel;
        const WorldPoint under = v.PixelToWorld(300, 75);
        wheel.Turn(v, 300, 75, WheelZoom::kNotchDelta, 0);  // away from the user: in
        EXPECT_NEAR(D(v.hw), 5 / 1.15, 1e-12);
        const WorldPoint after = v.PixelToWorld(300, 75);
        EXPECT_NEAR(D(after.x), D(under.x), 1e-12);
        EXPECT_NEAR(D(after.y), D(under.y), 1e-12);
        // Half a notch (a fine wheel or a touchpad) is half the step; towards the user zooms out.
        wheel.Turn(v, 300, 75, -WheelZoom::kNotchDelta / 2, 10);
        EXPECT_NEAR(D(v.hw), 5 / 1.15 * std::sqrt(1.15), 1e-12);
        // The keys keep their own factor.
        const long double hw = v.hw;
        v.Zoom(true);
        EXPECT_NEAR(D(v.hw), D(hw * keysFactor), 1e-12);
    }
}

TEST(WheelZoomTest, ABurstIsOneHistoryEntryAndOneStepBackUndoesIt) {
    PlotView v = View400x300();
    v.Pan(0.1L, 0);  // an earlier view change stays in the history under the burst
    const std::size_t before = v.HistorySize();
    const long double cx = v.cx, cy = v.cy, hw = v.hw;
    WheelZoom wheel;
    for (int i = 0; i < 20; ++i) wheel.Turn(v, 100 + i, 200, WheelZoom::kNotchDelta, 1000 + 40 * i);
    EXPECT_NEAR(D(hw / v.hw), std::pow(1.15, 20), 1e-6);
    EXPECT_EQ(v.HistorySize(), before + 1);
    ASSERT_TRUE(v.PopView());
    EXPECT_EQ(v.cx, cx);
    EXPECT_EQ(v.cy, cy);
    EXPECT_EQ(v.hw, hw);
    EXPECT_EQ(v.HistorySize(), before);
}

TEST(WheelZoomTest, APauseOrAnotherViewChangeStartsANewBurst) {
    PlotView v = View400x300();
    WheelZoom wheel;
    wheel.Turn(v, 200, 150, WheelZoom::kNotchDelta, 0);
    wheel.Turn(v, 200, 150, WheelZoom::kNotchDelta, 100);
    EXPECT_EQ(v.HistorySize(), 1u);
    wheel.Turn(v, 200, 150, WheelZoom::kNotchDelta, 100 + WheelZoom::kBurstGapMs);  // after a pause
    EXPECT_EQ(v.HistorySize(), 2u);
    v.Pan(0, 0.1L);
    const long double panned = v.cy;
    wheel.Turn(v, 200, 150, -WheelZoom::kNotchDelta, 100 + WheelZoom::kBurstGapMs + 50);
    EXPECT_EQ(v.HistorySize(), 4u);
    ASSERT_TRUE(v.PopView());
    EXPECT_EQ(v.cy, panned);  // the pan is not folded into the wheel's entry
    const long double hw = v.hw;
    wheel.Turn(v, 200, 150, 0, 0);  // a delta of nothing
    EXPECT_EQ(v.HistorySize(), 3u);
    EXPECT_EQ(v.hw, hw);
}

}  // namespace
}  // namespace curvelo
