// The time limit of a batch command (--timeout SECONDS). The engine's long evaluations and
// the drawing loops stop once it has passed, and the command exits 1 with message 409. A
// watchdog a little later ends the process with the same message in case some other work
// never returns to a check.
#pragma once

#include <iosfwd>
#include <string_view>

#include "expr/eval_cancel.h"

namespace curvelo {

inline constexpr int kDefaultBatchTimeout = 60;
inline constexpr int kMaxBatchTimeout = 86400;

// Whole seconds from 0 (no limit) to kMaxBatchTimeout.
bool ParseTimeoutSeconds(std::string_view text, int& seconds);

class BatchTimeLimit {
public:
    explicit BatchTimeLimit(int seconds);
    ~BatchTimeLimit();
    BatchTimeLimit(const BatchTimeLimit&) = delete;
    BatchTimeLimit& operator=(const BatchTimeLimit&) = delete;

    // The check to put on an engine; null when there is no limit.
    EvalCancelCheck* Check() { return seconds_ > 0 ? &deadline_ : nullptr; }
    bool Passed() const { return seconds_ > 0 && deadline_.Passed(); }
    // "error 409: nem tudom folytatni (--timeout N s)"; returns exit code 1.
    int Report(std::ostream& err) const;

private:
    int seconds_;
    EvalDeadline deadline_;
};

}  // namespace curvelo
