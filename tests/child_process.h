// Running a piece of a test in a child process: as another user, or with a time limit so
// that a call that blocks fails the test instead of hanging it.
#pragma once

#include <grp.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <functional>

namespace curvelo::testing {

inline constexpr uid_t kOtherUser = 65534;  // nobody
inline constexpr int kHung = 124;
inline constexpr int kNoChild = 125;  // fork or waitpid failed: never a result a test expects

// Runs what in a forked child (as kOtherUser when otherUser and this is the superuser) and
// returns its result as exit code: kHung when it was still running after seconds, 128 plus
// the signal when one ended it. whileWaiting runs between checks (to keep events going).
inline int InChildProcess(const std::function<int()>& what, int seconds = 5, bool otherUser = false,
                          const std::function<void()>& whileWaiting = {}) {
    const pid_t child = ::fork();
    if (child < 0) return kNoChild;
    if (child == 0) {
        ::alarm(static_cast<unsigned>(seconds));
        // The other user keeps none of the superuser's groups.
        if (otherUser && ::geteuid() == 0 &&
            (::setgroups(0, nullptr) != 0 || ::setgid(kOtherUser) != 0 || ::setuid(kOtherUser) != 0))
            ::_exit(99);
        ::_exit(what());
    }
    int status = 0;
    for (;;) {
        const pid_t done = ::waitpid(child, &status, WNOHANG);
        if (done == child) break;
        if (done < 0) return kNoChild;
        if (whileWaiting) whileWaiting();
        ::usleep(2000);
    }
    if (WIFSIGNALED(status)) return WTERMSIG(status) == SIGALRM ? kHung : 128 + WTERMSIG(status);
    return WEXITSTATUS(status);
}

}  // namespace curvelo::testing
