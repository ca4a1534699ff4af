#include "expr/letter_params.h"

#include <gtest/gtest.h>

#include <cmath>

using namespace curvelo;

namespace {
constexpr int kA = 1, kB = 2, kC = 3;
}

TEST(LetterParams, ScrollPositionAndValueMapBetweenTheBounds) {
    LetterStore s;
    EXPECT_NEAR(static_cast<double>(ValueAtPosition(s, kA, 37, 100)), -2.6, 1e-15);
    EXPECT_EQ(ValueAtPosition(s, kA, 0, 100), -10.0L);
    EXPECT_EQ(ValueAtPosition(s, kA, 100, 100), 10.0L);
    SetLetter(s, kA, -2.6L);
    EXPECT_EQ(ScrollPosition(s, kA, 100), 37);
    SetLetter(s, kA, 0.149L);  // 50.745: rounds to the nearest position
    EXPECT_EQ(ScrollPosition(s, kA, 100), 51);
    // A value outside the bounds (from a file) keeps the thumb on the bar.
    SetLetter(s, kA, 50);
    EXPECT_EQ(ScrollPosition(s, kA, 100), 100);
    // Coinciding bounds use a width of 1 instead of dividing by zero.
    s.LetterLow[kB] = s.LetterHigh[kB] = {3, 0};
    SetLetter(s, kB, 3.5L);
    EXPECT_EQ(ScrollPosition(s, kB, 100), 50);
}

TEST(LetterParams, TypedValuesWidenTheBoundsAndBoundButtonsKeepOrder) {
    LetterStore s;
    StoreTypedValue(s, kA, 25);
    EXPECT_EQ(s.LetterHigh[kA].re, 25.0L);
    EXPECT_EQ(s.LetterLow[kA].re, -10.0L);
    EXPECT_EQ(ScrollPosition(s, kA, 100), 100);
    StoreTypedValue(s, kA, -30);
    EXPECT_EQ(s.LetterLow[kA].re, -30.0L);
    EXPECT_EQ(ScrollPosition(s, kA, 100), 0);

    // "bal határ" above the upper bound and "jobb határ" below the lower one do nothing.
    SetLetter(s, kB, 1);
    EXPECT_FALSE(SetLowerBoundTo(s, kB, 11));
    EXPECT_FALSE(SetUpperBoundTo(s, kB, -11));
    EXPECT_FALSE(SetLowerBoundTo(s, kB, 10));  // equal bounds would leave no room
    EXPECT_EQ(s.LetterLow[kB].re, -10.0L);
    EXPECT_EQ(s.LetterHigh[kB].re, 10.0L);
    EXPECT_EQ(GetLetter(s, kB), 1.0L);
    EXPECT_TRUE(SetLowerBoundTo(s, kB, 2));
    EXPECT_EQ(s.LetterLow[kB].re, 2.0L);
    EXPECT_EQ(GetLetter(s, kB), 2.0L);
    EXPECT_EQ(ScrollPosition(s, kB, 100), 0);
    EXPECT_TRUE(SetUpperBoundTo(s, kB, 4));
    EXPECT_EQ(GetLetter(s, kB), 4.0L);
    EXPECT_EQ(ScrollPosition(s, kB, 100), 100);

    // "@" has no bounds; its step in the imaginary part survives a typed value.
    SetAtStep(s, 0.3L);
    StoreTypedValue(s, kLetterAt, 1000);
    EXPECT_EQ(GetLetter(s, kLetterAt), 1000.0L);
    EXPECT_EQ(AtStep(s), 0.3L);
    EXPECT_EQ(s.LetterHigh[kLetterAt].re, 10.0L);
    SetAtStep(s, 0);
    EXPECT_EQ(AtStep(s), 0.1L);
}

TEST(LetterParams, ScrollScaleIsCheckedBeforeAnythingChanges) {
    ParamSettings p;
    EXPECT_EQ(ApplyScrollScale(100, 10, p), 0);
    EXPECT_EQ(p.SmallSteps, 100);
    EXPECT_EQ(p.PageSteps, 10);
    EXPECT_EQ(ApplyScrollScale(200, 8, p), 0);
    EXPECT_EQ(p.PageSteps, 25);
    for (auto [small, large] : {std::pair{5.0L, 10.0L}, {1.0L, 1.0L}, {100.0L, 0.0L}, {3e9L, 10.0L},
                               {NAN, 1.0L}}) {
        EXPECT_EQ(ApplyScrollScale(small, large, p), 17) << static_cast<double>(small);
        EXPECT_EQ(p.SmallSteps, 200);
        EXPECT_EQ(p.PageSteps, 25);
    }
}

TEST(LetterParams, SettingsFromOutsideAreBroughtBackToWhatDialogsAllow) {
    ParamSettings p;
    p.SmallSteps = -4;
    p.PageSteps = 0;
    p.AnimSpeed = NAN;
    p.FrameDelay = 999999;
    p.TimerMode = true;
    p.Sanitize();
    EXPECT_EQ(p.SmallSteps, 100);
    EXPECT_EQ(p.PageSteps, 10);
    EXPECT_EQ(p.AnimSpeed, 1.0L);
    EXPECT_EQ(p.FrameDelay, kMaxFrameDelay);
    EXPECT_FALSE(p.TimerMode);
}

TEST(LiveAnimation, BouncingStaysWithinTheBoundsAndWrappingJumpsToTheStart) {
    LetterStore s;
    ParamSettings p;
    s.LetterLow[kA] = {0, 0};
    s.LetterHigh[kA] = {1, 0};
    LiveAnimation bounce(s, p, kA, AnimMode::Bounce, false);
    bool turned = false;
    for (int i = 0; i < 450; ++i) {
        const long double before = GetLetter(s, kA);
        bounce.Advance();
        const long double v = GetLetter(s, kA);
        ASSERT_GE(v, 0.0L);
        ASSERT_LE(v, 1.0L);
        turned = turned || v < before;
    }
    EXPECT_TRUE(turned);

    SetLetter(s, kA, 0);
    LiveAnimation wrap(s, p, kA, AnimMode::Wrap, false);
    long double previous = 0;
    int jumps = 0;
    for (int i = 0; i < 150; ++i) {
        wrap.Advance();
        const long double v = GetLetter(s, kA);
        if (v < previous) {
            ++jumps;
            EXPECT_GT(previous, 0.98L);
            EXPECT_EQ(v, 0.0L);
        }
        previous = v;
    }
    EXPECT_EQ(jumps, 1);
}

TEST(LiveAnimation, KeysChangeDirectionAndSpeedExceptAgainstTheClock) {
    LetterStore s;
    ParamSettings p;
    LiveAnimation a(s, p, kA, AnimMode::Bounce, false);
    EXPECT_NEAR(static_cast<double>(a.Step(kA)), 0.2, 1e-15);  // 20 / 100 small steps
    a.Faster();
    EXPECT_NEAR(static_cast<double>(a.Step(kA)), 0.25, 1e-15);
    EXPECT_EQ(p.AnimSpeed, 1.25L);
    a.Slower();
    EXPECT_NEAR(static_cast<double>(p.AnimSpeed), 1.0, 1e-15);
    a.Reverse();
    a.Advance();
    EXPECT_NEAR(static_cast<double>(GetLetter(s, kA)), -0.2, 1e-15);

    // Bounds too close for a step: 1 / SmallSteps.
    s.LetterLow[kC] = s.LetterHigh[kC] = {0, 0};
    EXPECT_EQ(LiveAnimation(s, p, kC, AnimMode::Bounce, false).Step(kC), 0.01L);

    LiveAnimation clock(s, p, kLetterAt, AnimMode::Wrap, true);
    clock.Faster();
    EXPECT_EQ(clock.Step(kLetterAt), 0.1L);
    EXPECT_NEAR(static_cast<double>(p.AnimSpeed), 1.0, 1e-15);
    // Two steps of 0.1 passed between ticks: the step becomes 0.025, so "@" grows 0.05.
    clock.Advance();
    clock.Advance();
    clock.Tick();
    EXPECT_NEAR(static_cast<double>(clock.Step(kLetterAt)), 0.025, 1e-15);
    clock.Reverse();
    clock.Finish();
    EXPECT_NEAR(static_cast<double>(AtStep(s)), 0.025, 1e-15);  // stored back as its size
}

TEST(LiveAnimation, LinkedLettersMoveTogetherOnlyWhenTheChosenOneIsLinked) {
    LetterStore s;
    ParamSettings p;
    p.LinkedLetters[kA] = p.LinkedLetters[kC] = true;
    EXPECT_EQ(AnimatedLetters(p, kA), (std::vector<int>{kA, kC}));
    EXPECT_EQ(AnimatedLetters(p, kB), (std::vector<int>{kB}));
    LiveAnimation a(s, p, kC, AnimMode::Bounce, false);
    a.Advance();
    EXPECT_GT(GetLetter(s, kA), 0.0L);
    EXPECT_EQ(GetLetter(s, kB), 0.0L);
    EXPECT_GT(GetLetter(s, kC), 0.0L);
}

TEST(FrameAnimation, FramesSpanTheBoundsAndPlayInOrder) {
    LetterStore s;
    EXPECT_EQ(FrameValue(s, kA, 0, 21), -10.0L);
    EXPECT_EQ(FrameValue(s, kA, 10, 21), 0.0L);
    EXPECT_EQ(FrameValue(s, kA, 20, 21), 10.0L);

    auto order = [](int frames, AnimMode mode, int count, int reverseAt = -1) {
        FramePlayback p(frames, mode);
        std::vector<int> seen;
        for (int i = 0; i < count; ++i) {
            if (i == reverseAt) p.Reverse();
            seen.push_back(p.Current());
            p.Next();
        }
        return seen;
    };
    EXPECT_EQ(order(3, AnimMode::Wrap, 7), (std::vector<int>{0, 1, 2, 0, 1, 2, 0}));
    EXPECT_EQ(order(3, AnimMode::Bounce, 7), (std::vector<int>{0, 1, 2, 1, 0, 1, 2}));
    EXPECT_EQ(order(4, AnimMode::Wrap, 6, 2), (std::vector<int>{0, 1, 2, 1, 0, 3}));
    EXPECT_EQ(order(1, AnimMode::Bounce, 3), (std::vector<int>{0, 0, 0}));
}
