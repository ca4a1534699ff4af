#include "plotwin/key_interrupt.h"

#include "framework/kit_services.h"

namespace curvelo {
namespace {

// Polling the event loop costs far more than a loop step; this keeps it rare.
constexpr std::chrono::milliseconds kPollInterval{30};

}  // namespace

bool KeyInterrupt::StopRequested() {
    if (!window_ || (mayPoll_ && !mayPoll_())) return false;
    const auto now = std::chrono::steady_clock::now();
    if (now < nextPoll_) return false;
    nextPoll_ = now + kPollInterval;
    const int key = PollKey(window_);
    if (key == kKeyQuit) return true;
    if (key) kept_ = key;
    return false;
}

int KeyInterrupt::Poll() {
    if (const int key = kept_) {
        kept_ = 0;
        return key;
    }
    return window_ ? PollKey(window_) : 0;
}

}  // namespace curvelo
