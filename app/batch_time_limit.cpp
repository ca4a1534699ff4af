#include "app/batch_time_limit.h"

#include <signal.h>
#include <unistd.h>

#include <algorithm>
#include <charconv>
#include <cstdio>
#include <ostream>
#include <string>

#include "resources/resources.h"

namespace curvelo {
namespace {

constexpr int kTimeoutMessage = 9;  // 409 "nem tudom folytatni"
// The cooperative stop gets this long before the watchdog ends the process.
constexpr unsigned kWatchdogGrace = 10;

std::string TimeoutText(int seconds) {
    return "error " + std::to_string(400 + kTimeoutMessage) + ": " +
           std::string(res::String(400 + kTimeoutMessage)) + " (--timeout " + std::to_string(seconds) + " s)\n";
}

// Written by the signal handler, which may only call async-signal-safe functions.
char g_watchdogText[160];
std::size_t g_watchdogLength = 0;

extern "C" void WatchdogFired(int) {
    const ssize_t ignored = ::write(STDERR_FILENO, g_watchdogText, g_watchdogLength);
    (void)ignored;
    ::_exit(1);
}

}  // namespace

bool ParseTimeoutSeconds(std::string_view text, int& seconds) {
    int v = 0;
    const auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), v);
    if (ec != std::errc() || end != text.data() + text.size() || v < 0 || v > kMaxBatchTimeout) return false;
    seconds = v;
    return true;
}

BatchTimeLimit::BatchTimeLimit(int seconds)
    : seconds_(seconds), deadline_(std::chrono::seconds(seconds > 0 ? seconds : 0)) {
    if (seconds_ <= 0) return;
    const std::string text = TimeoutText(seconds_);
    g_watchdogLength = std::min(text.size(), sizeof g_watchdogText);
    text.copy(g_watchdogText, g_watchdogLength);
    struct sigaction action {};
    action.sa_handler = WatchdogFired;
    sigemptyset(&action.sa_mask);
    ::sigaction(SIGALRM, &action, nullptr);
    ::alarm(static_cast<unsigned>(seconds_) + kWatchdogGrace);
}

BatchTimeLimit::~BatchTimeLimit() {
    if (seconds_ > 0) ::alarm(0);
}

int BatchTimeLimit::Report(std::ostream& err) const {
    err << TimeoutText(seconds_);
    return 1;
}

}  // namespace curvelo
