#include "plotwin/animation_runner.h"

#include <algorithm>

namespace curvelo {
namespace {

constexpr int kKeyQ = 'Q', kKeyF = 'F', kKeyS = 'S', kKeySpace = 32;
constexpr int kFrameDelayStep = 5;
// Playback waits in slices so that keys are answered while a long delay runs.
constexpr int kWaitSliceMs = 10;

}  // namespace

std::int64_t RunLiveAnimation(AnimationHost& host, LetterStore& store, ParamSettings& settings, int letter,
                              AnimMode mode, bool timerMode) {
    settings.TimerMode = timerMode && letter == kLetterAt;
    LiveAnimation anim(store, settings, letter, mode, settings.TimerMode);
    host.ShowStatusKind(settings.TimerMode ? 1 : 3);
    std::int64_t lastTick = host.ClockMs();
    std::int64_t cycles = 0;
    for (; cycles < kMaxAnimationCycles; ++cycles) {
        const int key = host.NextKey();
        if (key == kKeyQ) break;
        if (key == kKeySpace) anim.Reverse();
        if (key == kKeyF) anim.Faster();
        if (key == kKeyS) anim.Slower();
        if (settings.TimerMode) {
            const std::int64_t now = host.ClockMs();
            if (now - lastTick >= kAnimTickMs) {
                anim.Tick();
                lastTick = now;
            }
        }
        anim.Advance();
        host.DrawAnimationFrame();
    }
    anim.Finish();
    settings.TimerMode = false;
    return cycles;
}

int RunFrameAnimation(AnimationHost& host, LetterStore& store, ParamSettings& settings, int letter, AnimMode mode,
                      int frames) {
    frames = host.AllocateFrames(std::clamp(frames, kMinFrames, kMaxFrames));
    if (frames < 1) return 0;
    SaveLetters(store);
    int drawn = 0;
    bool stopped = false;
    for (; drawn < frames && !stopped; ++drawn) {
        SetLetter(store, letter, FrameValue(store, letter, drawn, frames));
        host.ShowCaptureProgress(drawn + 1, frames);
        host.RenderFrame(drawn);
        stopped = host.NextKey() == kKeyQ;
    }
    host.ShowStatusKind(1);
    FramePlayback playback(drawn, mode);
    bool quit = stopped && drawn < 2;
    for (std::int64_t shown = 0; !quit && shown < kMaxAnimationCycles; ++shown) {
        host.ShowFrame(playback.Current());
        const int slices = settings.FrameDelay / kWaitSliceMs + 1;
        for (int s = 0; s < slices && !quit; ++s) {
            switch (host.NextKey()) {
            case kKeyQ: quit = true; break;
            case kKeySpace: playback.Reverse(); break;
            case kKeyS: settings.FrameDelay = std::min(kMaxFrameDelay, settings.FrameDelay + kFrameDelayStep); break;
            case kKeyF:
                if (settings.FrameDelay > kFrameDelayStep) settings.FrameDelay -= kFrameDelayStep;
                break;
            default: break;
            }
            host.WaitMs(s + 1 < slices ? kWaitSliceMs : settings.FrameDelay % kWaitSliceMs);
        }
        playback.Next();
    }
    RestoreLetters(store);
    host.FreeFrames();
    return drawn;
}

int CaptureFrames(LetterStore& store, int letter, int frames, const std::function<bool(int frame)>& draw) {
    frames = std::clamp(frames, kMinFrames, kMaxFrames);
    SaveLetters(store);
    int drawn = 0;
    while (drawn < frames) {
        SetLetter(store, letter, FrameValue(store, letter, drawn, frames));
        const bool goOn = draw(drawn);
        ++drawn;
        if (!goOn) break;
    }
    RestoreLetters(store);
    return drawn;
}

}  // namespace curvelo
