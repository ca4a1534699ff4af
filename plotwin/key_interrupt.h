// Q during a single long evaluation: the evaluator asks the window's engine every few
// thousand loop steps whether to stop, and this answer polls the window's keyboard, at
// most every few hundredths of a second and only where a drawing may poll (not while
// printing). Another key found there is kept for the drawing's own
// poll, so nothing typed during the evaluation is lost.
#pragma once

#include <chrono>
#include <functional>

#include "expr/eval_cancel.h"

namespace curvelo {

namespace fw {
class TWindow;
}

class KeyInterrupt final : public EvalCancelCheck {
public:
    KeyInterrupt(fw::TWindow* window, std::function<bool()> mayPoll)
        : window_(window), mayPoll_(std::move(mayPoll)) {}

    bool StopRequested() override;
    // The drawing's poll: a key kept from the evaluator's poll first, then PollKey.
    int Poll();

private:
    fw::TWindow* window_;
    std::function<bool()> mayPoll_;
    std::chrono::steady_clock::time_point nextPoll_{};
    int kept_ = 0;
};

}  // namespace curvelo
