#include "plotwin/animation_runner.h"

#include <gtest/gtest.h>

#include <deque>
#include <vector>

using namespace curvelo;

namespace {

constexpr int kA = 1;

// Keys come from a script (one per poll, Q when it is used up); the clock moves 20 ms per
// drawn picture and by every wait.
class ScriptedHost : public AnimationHost {
public:
    ScriptedHost(LetterStore& store, std::deque<int> keys) : store_(store), keys_(std::move(keys)) {}

    int NextKey() override {
        if (keys_.empty()) return 'Q';
        const int k = keys_.front();
        keys_.pop_front();
        return k;
    }
    void DrawAnimationFrame() override {
        drawn.push_back(GetLetter(store_, kA));
        clock += 20;
    }
    void ShowStatusKind(int kind) override { statusKinds.push_back(kind); }
    void ShowCaptureProgress(int frame, int frames) override { progress.push_back({frame, frames}); }
    std::int64_t ClockMs() override { return clock; }
    void WaitMs(int ms) override { clock += ms; waited += ms; }
    int AllocateFrames(int n) override { return allocated = std::min(n, memoryFor); }
    void RenderFrame(int index) override { frameValues.push_back(GetLetter(store_, kA)); rendered.push_back(index); }
    void ShowFrame(int index) override { shown.push_back(index); }
    void FreeFrames() override { freed = true; }

    std::vector<long double> drawn, frameValues;
    std::vector<int> statusKinds, rendered, shown;
    std::vector<std::pair<int, int>> progress;
    std::int64_t clock = 0, waited = 0;
    int allocated = 0, memoryFor = 1000;
    bool freed = false;

private:
    LetterStore& store_;
    std::deque<int> keys_;
};

}  // namespace

TEST(LiveAnimationRun, RunsUntilQAndTheLetterKeepsTheValueReached) {
    LetterStore s;
    ParamSettings p;
    ScriptedHost host(s, {0, 0, ' ', 'F', 0, 'Q', 0});
    EXPECT_EQ(RunLiveAnimation(host, s, p, kA, AnimMode::Bounce, false), 5);
    EXPECT_EQ(host.statusKinds, std::vector<int>{3});
    // Up twice by 0.2, reversed, then down by 0.25 twice.
    ASSERT_EQ(host.drawn.size(), 5u);
    EXPECT_NEAR(static_cast<double>(host.drawn[1]), 0.4, 1e-12);
    EXPECT_NEAR(static_cast<double>(host.drawn[2]), 0.2, 1e-12);
    EXPECT_NEAR(static_cast<double>(GetLetter(s, kA)), -0.3, 1e-12);
    EXPECT_EQ(p.AnimSpeed, 1.25L);
    EXPECT_FALSE(p.TimerMode);
}

TEST(LiveAnimationRun, AtAgainstTheClockGrowsAboutOneASecond) {
    LetterStore s;
    ParamSettings p;
    std::deque<int> keys(200, 0);
    keys.push_back('Q');
    ScriptedHost host(s, keys);
    RunLiveAnimation(host, s, p, kLetterAt, AnimMode::Wrap, true);
    EXPECT_EQ(host.statusKinds, std::vector<int>{1});
    // 200 pictures of 20 ms: 4 seconds.
    EXPECT_NEAR(static_cast<double>(GetLetter(s, kLetterAt)), 4.0, 0.5);
    EXPECT_GT(AtStep(s), 0.0L);
    EXPECT_FALSE(p.TimerMode);
}

TEST(FrameAnimationRun, DrawsFramesAcrossTheBoundsPlaysThemAndRestoresTheLetters) {
    LetterStore s;
    SetLetter(s, kA, 3);
    SetLetter(s, 2, 7);
    ParamSettings p;
    p.FrameDelay = 30;
    // Keys: 5 polls while capturing, then playback: space, S, F, F, Q.
    std::deque<int> keys(5, 0);
    for (int k : std::initializer_list<int>{0, 0, 0, 0, ' ', 'S', 'F', 'F', 'Q'}) keys.push_back(k);
    ScriptedHost host(s, keys);
    EXPECT_EQ(RunFrameAnimation(host, s, p, kA, AnimMode::Wrap, 5), 5);
    EXPECT_EQ(host.frameValues, (std::vector<long double>{-10, -5, 0, 5, 10}));
    EXPECT_EQ(host.progress.back(), (std::pair<int, int>{5, 5}));
    EXPECT_EQ(host.statusKinds, std::vector<int>{1});
    ASSERT_GE(host.shown.size(), 2u);
    EXPECT_EQ(host.shown[0], 0);
    EXPECT_EQ(p.FrameDelay, 25);  // +5, -5, -5
    EXPECT_EQ(GetLetter(s, kA), 3.0L);
    EXPECT_EQ(GetLetter(s, 2), 7.0L);
    EXPECT_TRUE(host.freed);
}

TEST(FrameAnimationRun, ShortMemoryGivesFewerFramesAndQStopsTheCapture) {
    LetterStore s;
    ParamSettings p;
    ScriptedHost few(s, {0, 0, 0, 0});
    few.memoryFor = 4;
    EXPECT_EQ(RunFrameAnimation(few, s, p, kA, AnimMode::Bounce, 23), 4);
    EXPECT_EQ(few.frameValues.front(), -10.0L);
    EXPECT_EQ(few.frameValues.back(), 10.0L);  // the span is kept over the frames there are

    ScriptedHost stopped(s, {0, 'Q'});
    EXPECT_EQ(RunFrameAnimation(stopped, s, p, kA, AnimMode::Bounce, 50), 2);
    EXPECT_EQ(stopped.allocated, 50);
    EXPECT_EQ(GetLetter(s, kA), 0.0L);

    ScriptedHost none(s, {});
    none.memoryFor = 0;
    EXPECT_EQ(RunFrameAnimation(none, s, p, kA, AnimMode::Bounce, 23), 0);
    EXPECT_TRUE(none.shown.empty());
}
