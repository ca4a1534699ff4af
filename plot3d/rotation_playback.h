// The playback of an automatic rotation: which frame comes next and how long it stays, and
// what the playback keys do. Kept apart from the window so the key rules can be tested.
#pragma once

#include <cstdint>

namespace curvelo {

class RotationPlayback {
public:
    RotationPlayback(int frames, std::int32_t delayMs) : frames_(frames < 1 ? 1 : frames), delay_(delayMs) {}

    int Frame() const { return frame_; }
    std::int32_t DelayMs() const { return delay_; }
    bool Forward() const { return forward_; }
    // Moves to the following frame in the current direction, wrapping at both ends.
    void Advance() { frame_ = forward_ ? (frame_ + 1) % frames_ : (frame_ + frames_ - 1) % frames_; }
    // Space reverses, S slows down by 5 ms, F speeds up by 5 ms while above 5 ms; false for
    // Q, which ends the playback.
    bool Key(int key) {
        switch (key) {
        case 'Q': case 'q': return false;
        case ' ': forward_ = !forward_; break;
        case 'S': case 's': if (delay_ < kMaxDelayMs) delay_ += 5; break;
        case 'F': case 'f': if (delay_ > 5) delay_ -= 5; break;
        default: break;
        }
        return true;
    }

private:
    static constexpr std::int32_t kMaxDelayMs = 60000;
    int frames_;
    int frame_ = 0;
    std::int32_t delay_;
    bool forward_ = true;
};

}  // namespace curvelo
