#pragma once
// Stopping long evaluations from outside. The evaluator's loops, and the drawing loops that
// sample a formula, count their steps in the letter store; every kCancelCheckSteps steps
// they ask the store's check. Once it says stop, the store is marked cancelled: the
// evaluation in progress comes out undefined, and so does every loop after it, until the
// caller clears the mark. Callers treat a cancelled evaluation as undefined whatever it
// returned. The count costs a decrement per step; the check is asked rarely.

#include <chrono>
#include <cstdint>

#include "expr/letters.h"

namespace curvelo {

class EvalCancelCheck {
public:
    // True when the work is to stop. Called between loop steps, never inside a node.
    virtual bool StopRequested() = 0;

protected:
    ~EvalCancelCheck() = default;
};

// Asks the check (out of line); false when the work is to stop.
bool AskCancelCheck(LetterStore& store);

// Counts one step of work; false when the work is to stop.
inline bool CountEvalStep(LetterStore& store) {
    if (--store.StepsToCheck > 0) return true;
    return AskCancelCheck(store);
}

inline bool EvalCancelled(const LetterStore& store) { return store.Cancelled != 0; }
// Clears the mark, so that evaluations run again.
void ClearEvalCancel(LetterStore& store);

// Puts a check on a store for the lifetime of the object, then restores the previous one.
class ScopedCancelCheck {
public:
    ScopedCancelCheck(LetterStore& store, EvalCancelCheck* check);
    ~ScopedCancelCheck();
    ScopedCancelCheck(const ScopedCancelCheck&) = delete;
    ScopedCancelCheck& operator=(const ScopedCancelCheck&) = delete;

private:
    LetterStore& store_;
    EvalCancelCheck* previous_;
};

// Says stop once a time limit, counted from construction, has passed.
class EvalDeadline final : public EvalCancelCheck {
public:
    explicit EvalDeadline(std::chrono::steady_clock::duration limit);
    bool StopRequested() override;
    bool Passed() const { return passed_; }

private:
    std::chrono::steady_clock::time_point deadline_;
    bool passed_ = false;
};

}  // namespace curvelo
