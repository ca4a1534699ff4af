#pragma once
// The letter parameters as the user sets them: scroll positions between a letter's bounds,
// typed values that widen the bounds, the bound buttons, the scroll scale, and the stepping
// of live and frame animation. Plain arithmetic on a letter store; no window involved.

#include <array>
#include <cstdint>
#include <vector>

#include "expr/letters.h"

namespace curvelo {

inline constexpr int kParamLetterCount = 24;  // "@" and A..W can be animated and linked
inline constexpr int kLastParamLetter = 23;   // W
inline constexpr int kMinFrames = 3, kMaxFrames = 200, kDefaultFrames = 23;
inline constexpr long double kAtDefaultStep = 0.1L;
// "@" grows by this much per timer tick in timer mode (ticks of 50 ms: about 1 a second).
inline constexpr long double kAtGrowthPerTick = 0.05L;
inline constexpr int kAnimTickMs = 50;
inline constexpr std::int32_t kMaxFrameDelay = 10000;

struct ParamSettings {
    std::int32_t SmallSteps = 100;  // scroll positions 0..SmallSteps between the bounds
    std::int32_t PageSteps = 10;    // page size, in small steps
    long double AnimSpeed = 1.0L;
    std::int32_t FrameDelay = 150;  // ms between played-back frames
    std::array<bool, kParamLetterCount> LinkedLetters{};
    bool TimerMode = false;

    // Values read from outside brought back to what the dialogs allow.
    void Sanitize();
};

// Bounds width used for the scroll bar: 1 when the bounds (nearly) coincide.
long double BoundsWidth(const LetterStore& store, int k);
// The scroll position of the letter's value, within 0..smallSteps.
std::int32_t ScrollPosition(const LetterStore& store, int k, std::int32_t smallSteps);
// The value of a scroll position.
long double ValueAtPosition(const LetterStore& store, int k, std::int32_t pos, std::int32_t smallSteps);
// Stores a typed value; for a letter other than "@" a value outside the bounds becomes the
// new bound on that side.
void StoreTypedValue(LetterStore& store, int k, long double v);
// "bal határ": v becomes the lower bound and the value when v + TINY <= the upper bound.
bool SetLowerBoundTo(LetterStore& store, int k, long double v);
// "jobb határ": v becomes the upper bound and the value when low + TINY <= v.
bool SetUpperBoundTo(LetterStore& store, int k, long double v);
// The scroll-scale dialog: small steps and the number of pages. 0 and the new SmallSteps
// and PageSteps, or 17 (nothing changes).
std::uint16_t ApplyScrollScale(long double small, long double pages, ParamSettings& settings);

// The step of "@" is kept in the imaginary part of its value; 0 means the default.
long double AtStep(const LetterStore& store);
void SetAtStep(LetterStore& store, long double step);

// The letters that move when k is animated: k and, when k is linked, every linked letter.
std::vector<int> AnimatedLetters(const ParamSettings& settings, int k);

enum class AnimMode { Bounce, Wrap };

// One live animation: the letters' steps and their advance per cycle.
class LiveAnimation {
public:
    LiveAnimation(LetterStore& store, ParamSettings& settings, int letter, AnimMode mode, bool timerMode);

    const std::vector<int>& Letters() const { return letters_; }
    long double Step(int k) const { return steps_[static_cast<std::size_t>(k)]; }
    // Every animated letter moves by its step, bouncing or wrapping at its bounds.
    void Advance();
    void Reverse();
    // F and S: the speed and all steps times 1.25 or 0.8; ignored in timer mode.
    void Faster();
    void Slower();
    // A timer tick: the step of "@" is rescaled so that it grows by kAtGrowthPerTick.
    void Tick();
    // The end: the absolute step of "@" is stored back.
    void Finish();

private:
    void Scale(long double factor);
    LetterStore& store_;
    ParamSettings& settings_;
    AnimMode mode_;
    bool timerMode_;
    std::vector<int> letters_;
    std::array<long double, kLetterCount> steps_{};
    long double atAtLastTick_ = 0;
};

// The letter values of the frames of a frame animation: low + j * (high - low) / (n - 1).
long double FrameValue(const LetterStore& store, int k, int frame, int frames);

// The order of playing frames: wrapping restarts after the last, bouncing turns at the ends.
class FramePlayback {
public:
    FramePlayback(int frames, AnimMode mode) : frames_(frames), mode_(mode) {}
    int Current() const { return current_; }
    void Next();
    void Reverse() { direction_ = -direction_; }

private:
    int frames_;
    AnimMode mode_;
    int current_ = 0;
    int direction_ = 1;
};

}  // namespace curvelo
