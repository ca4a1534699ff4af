#include <gtest/gtest.h>

#ifdef CURVELO_EXE

#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <thread>

#include "framework/single_instance.h"
#include "tests/app/launcher_fixture.h"

extern char** environ;

using namespace curvelo;
using Clock = std::chrono::steady_clock;

namespace {

pid_t Start(std::vector<std::string> args) {
    std::vector<char*> argv;
    args.insert(args.begin(), CURVELO_EXE);
    for (std::string& a : args) argv.push_back(a.data());
    argv.push_back(nullptr);
    pid_t pid = -1;
    if (posix_spawn(&pid, CURVELO_EXE, nullptr, nullptr, argv.data(), environ) != 0) return -1;
    return pid;
}

// Waits for the child while keeping this process's events going; -1 on timeout.
int WaitWhilePumping(pid_t pid, std::chrono::milliseconds limit) {
    const auto end = Clock::now() + limit;
    while (Clock::now() < end) {
        int status = 0;
        if (waitpid(pid, &status, WNOHANG) == pid) return WIFEXITED(status) ? WEXITSTATUS(status) : 128;
        fw::automation::ProcessEvents();
        std::this_thread::sleep_for(std::chrono::milliseconds(5));
    }
    return -1;
}

}  // namespace

// Both directions in one test, so that no other test holds the per-user channel meanwhile.
TEST(SingleInstance, SecondStartHandsItsDocumentToTheRunningProgram) {
    setenv("QT_QPA_PLATFORM", "offscreen", 1);
    const std::string channel = fw::DefaultInstanceChannel();
    {
        // This process is the first instance; the program is the second.
        curvelo::testing::LauncherFixture f("handoff", channel);
        TPlotFrame* frame = f.MakeAndShow();
        if (!frame->InstanceListening()) GTEST_SKIP() << "another Curvelo of this user is running";
        const auto t0 = Clock::now();
        pid_t second = Start({"/tmp/ábra.cv2"});
        ASSERT_GT(second, 0);
        EXPECT_EQ(WaitWhilePumping(second, std::chrono::seconds(5)), 0);
        EXPECT_LT(Clock::now() - t0, std::chrono::seconds(1));
        for (int i = 0; i < 50 && f.requests.empty(); ++i) fw::automation::ProcessEvents();
        ASSERT_EQ(f.requests.size(), 1u);
        EXPECT_EQ(f.requests[0].kind, NewWindowRequest::Kind::Plot2);
        EXPECT_EQ(f.requests[0].fileName, "/tmp/ábra.cv2");
    }

    // The program is the first instance, started with its own empty settings folder.
    pid_t first = Start({});
    ASSERT_GT(first, 0);
    bool up = false;
    for (int i = 0; i < 100 && !up; ++i) {
        up = fw::HandToFirstInstance("", 200, channel);  // an empty name opens nothing
        if (!up) std::this_thread::sleep_for(std::chrono::milliseconds(50));
    }
    EXPECT_TRUE(up);
    const auto t0 = Clock::now();
    pid_t second = Start({"/tmp/nincs_ilyen.cv3"});
    ASSERT_GT(second, 0);
    EXPECT_EQ(WaitWhilePumping(second, std::chrono::seconds(5)), 0);
    EXPECT_LT(Clock::now() - t0, std::chrono::seconds(1));
    int status = 0;
    EXPECT_EQ(waitpid(first, &status, WNOHANG), 0);  // the first one still runs
    kill(first, SIGTERM);
    waitpid(first, &status, 0);
}

#endif
