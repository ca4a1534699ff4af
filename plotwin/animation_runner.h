// The loops of live and frame animation. They run on the window's thread and talk to the
// window only through AnimationHost, so they run the same with a window and in tests.
#pragma once

#include <cstdint>
#include <functional>

#include "expr/letter_params.h"

namespace curvelo {

class AnimationHost {
public:
    virtual ~AnimationHost() = default;
    // The next key pressed (capitals, space 32), 0 when none.
    virtual int NextKey() = 0;
    // Recomputes what depends on the letters, draws it off-screen and copies it out.
    virtual void DrawAnimationFrame() = 0;
    // Title-bar status of the given kind (1: Q quits, 3: Q, S and F).
    virtual void ShowStatusKind(int kind) = 0;
    // Title-bar text while frames are drawn: frame number of frames.
    virtual void ShowCaptureProgress(int frame, int frames) = 0;
    virtual std::int64_t ClockMs() = 0;
    virtual void WaitMs(int ms) = 0;
    // Off-screen frames: how many of n could be had; drawing one; showing one; freeing all.
    virtual int AllocateFrames(int n) = 0;
    virtual void RenderFrame(int index) = 0;
    virtual void ShowFrame(int index) = 0;
    virtual void FreeFrames() = 0;
};

// An upper bound on the cycles of one animation (days at any frame rate).
inline constexpr std::int64_t kMaxAnimationCycles = 1'000'000'000;

// Moves the letter (and those linked with it) until Q; the letters keep the values reached.
// Returns the number of cycles drawn.
std::int64_t RunLiveAnimation(AnimationHost& host, LetterStore& store, ParamSettings& settings, int letter,
                              AnimMode mode, bool timerMode);

// Draws up to `frames` frames with the letter running from its lower to its upper bound,
// then plays them until Q; every letter has its old value afterwards. Returns the number
// of frames drawn.
int RunFrameAnimation(AnimationHost& host, LetterStore& store, ParamSettings& settings, int letter, AnimMode mode,
                      int frames);

// The frames of a frame animation for saving: draw(j) draws frame j with the letter at the
// j-th of `frames` values from its lower to its upper bound, and returns false to stop (Q).
// Every letter has its old value afterwards. Returns the number of frames drawn.
int CaptureFrames(LetterStore& store, int letter, int frames, const std::function<bool(int frame)>& draw);

}  // namespace curvelo
