#include <gtest/gtest.h>

#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdlib>
#include <string>
#include <vector>

#include "framework/automation.h"
#include "framework/single_instance.h"

extern char** environ;

namespace curvelo::fw {
namespace {

std::string TestChannel(const char* what) {
    return "cvhuprev-test-" + std::string(what) + "-" + std::to_string(getpid());
}

// Runs this test program again as the second start; it only runs the client case below.
pid_t SpawnSecondStart(const std::string& channel, const std::string& document) {
    std::string self = "/proc/self/exe";
    std::string filter = "--gtest_filter=SingleInstanceChild.HandsItsDocumentOver";
    std::vector<std::string> env;
    for (char** e = environ; *e; ++e) env.emplace_back(*e);
    env.push_back("CURVELO_TEST_CHANNEL=" + channel);
    env.push_back("CURVELO_TEST_DOCUMENT=" + document);
    std::vector<char*> envp;
    for (auto& s : env) envp.push_back(s.data());
    envp.push_back(nullptr);
    char* argv[] = {self.data(), filter.data(), nullptr};
    pid_t pid = 0;
    if (posix_spawn(&pid, self.c_str(), nullptr, nullptr, argv, envp.data()) != 0) return -1;
    return pid;
}

TEST(SingleInstanceChild, HandsItsDocumentOver) {
    const char* channel = std::getenv("CURVELO_TEST_CHANNEL");
    const char* document = std::getenv("CURVELO_TEST_DOCUMENT");
    if (!channel || !document) GTEST_SKIP() << "runs only as the second process";
    // No application object exists here, as in a real second start.
    std::exit(HandToFirstInstance(document, 3000, channel) ? 0 : 3);
}

TEST(SingleInstance, SecondProcessHandsItsNameToTheFirst) {
    automation::EnsureApplication();
    std::vector<std::string> received;
    std::string channel = TestChannel("handoff");
    SingleInstanceServer server([&](const std::string& name) { received.push_back(name); }, channel);
    ASSERT_TRUE(server.Listening());

    pid_t child = SpawnSecondStart(channel, "/tmp/rajz ő.cv2");
    ASSERT_GT(child, 0);
    int status = -1;
    auto start = std::chrono::steady_clock::now();
    while (std::chrono::steady_clock::now() - start < std::chrono::seconds(20)) {
        automation::ProcessEvents();
        pid_t r = waitpid(child, &status, WNOHANG);
        if (r == child) break;
        usleep(5000);
    }
    for (int i = 0; i < 20 && received.empty(); ++i) {
        automation::ProcessEvents();
        usleep(2000);
    }
    ASSERT_TRUE(WIFEXITED(status)) << "second process did not finish";
    EXPECT_EQ(WEXITSTATUS(status), 0);
    EXPECT_EQ(received, std::vector<std::string>{"/tmp/rajz ő.cv2"});
}

TEST(SingleInstance, NobodyListeningMeansFirstStart) {
    automation::EnsureApplication();
    auto start = std::chrono::steady_clock::now();
    EXPECT_FALSE(HandToFirstInstance("x.cv2", 500, TestChannel("nobody")));
    EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(2));
}

TEST(SingleInstance, ChannelIsPerUserAndAStaleSocketIsReplaced) {
    automation::EnsureApplication();
    EXPECT_EQ(DefaultInstanceChannel().rfind("cvhuprev-", 0), 0u);
    EXPECT_GT(DefaultInstanceChannel().size(), 9u);
    std::string channel = TestChannel("stale");
    {
        SingleInstanceServer first([](const std::string&) {}, channel);
        ASSERT_TRUE(first.Listening());
        // A live first instance keeps its channel.
        SingleInstanceServer second([](const std::string&) {}, channel);
        EXPECT_FALSE(second.Listening());
    }
    SingleInstanceServer again([](const std::string&) {}, channel);
    EXPECT_TRUE(again.Listening());
}

}  // namespace
}  // namespace curvelo::fw
