#include "expr/eval_cancel.h"

namespace curvelo {

bool AskCancelCheck(LetterStore& s) {
    // A cancelled store asks nothing more: every further step fails at once.
    if (!s.Cancelled) {
        s.StepsToCheck = kCancelCheckSteps;
        if (!s.CancelCheck || !s.CancelCheck->StopRequested()) return true;
        s.Cancelled = 1;
    }
    s.StepsToCheck = 0;
    return false;
}

void ClearEvalCancel(LetterStore& s) {
    s.Cancelled = 0;
    s.StepsToCheck = kCancelCheckSteps;
}

ScopedCancelCheck::ScopedCancelCheck(LetterStore& store, EvalCancelCheck* check)
    : store_(store), previous_(store.CancelCheck) {
    store_.CancelCheck = check;
}

ScopedCancelCheck::~ScopedCancelCheck() { store_.CancelCheck = previous_; }

EvalDeadline::EvalDeadline(std::chrono::steady_clock::duration limit)
    : deadline_(std::chrono::steady_clock::now() + limit) {}

bool EvalDeadline::StopRequested() {
    if (!passed_) passed_ = std::chrono::steady_clock::now() >= deadline_;
    return passed_;
}

}  // namespace curvelo
