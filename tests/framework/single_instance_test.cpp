#include <gtest/gtest.h>

#include <poll.h>
#include <signal.h>
#include <spawn.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/un.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <functional>
#include <string>
#include <vector>

#include "framework/automation.h"
#include "framework/single_instance.h"
#include "tests/child_process.h"

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

TEST(SingleInstance, AStaleSocketIsReplacedAndALiveOneKept) {
    automation::EnsureApplication();
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

// A folder all users may write into, as /tmp is, removed at the end.
struct SharedFolder {
    std::string path;
    SharedFolder() {
        char tmpl[] = "/tmp/curvelo_channel_XXXXXX";
        path = mkdtemp(tmpl);
        chmod(path.c_str(), 0777);
    }
    ~SharedFolder() { std::system(("rm -rf '" + path + "'").c_str()); }
};

using curvelo::testing::kOtherUser;

// Runs what in a child process as another user while this one keeps its events going (it
// may be the one the child talks to).
int AsOtherUser(const std::function<int()>& what) {
    return curvelo::testing::InChildProcess(what, 10, true, [] { automation::ProcessEvents(); });
}

sockaddr_un Address(const std::string& path) {
    sockaddr_un a{};
    a.sun_family = AF_UNIX;
    std::snprintf(a.sun_path, sizeof a.sun_path, "%s", path.c_str());
    return a;
}

TEST(SingleInstance, ChannelLivesInAFolderOnlyThisUserCanEnter) {
    SharedFolder shared;
    const std::string runtime = shared.path + "/run", own = shared.path + "/own";
    ASSERT_EQ(mkdir(runtime.c_str(), 0700), 0);
    EXPECT_EQ(InstanceChannelFolder(runtime.c_str(), own), runtime);
    struct stat st {};
    EXPECT_NE(lstat(own.c_str(), &st), 0) << "the runtime folder serves, nothing else is made";

    // A runtime folder others may enter is not used; our own one is made closed.
    chmod(runtime.c_str(), 0755);
    EXPECT_EQ(InstanceChannelFolder(runtime.c_str(), own), own);
    ASSERT_EQ(lstat(own.c_str(), &st), 0);
    EXPECT_EQ(st.st_mode & 0777, 0700u);
    EXPECT_EQ(InstanceChannelFolder(nullptr, own), own);
    // Left open by an earlier run: closed again before use.
    chmod(own.c_str(), 0755);
    EXPECT_EQ(InstanceChannelFolder(nullptr, own), own);

    // A link to a private folder is not the folder.
    const std::string link = shared.path + "/link";
    ASSERT_EQ(symlink(own.c_str(), link.c_str()), 0);
    EXPECT_EQ(InstanceChannelFolder(nullptr, link), "");

    const char* saved = std::getenv("XDG_RUNTIME_DIR");
    const std::string savedValue = saved ? saved : "";
    chmod(runtime.c_str(), 0700);
    setenv("XDG_RUNTIME_DIR", runtime.c_str(), 1);
    EXPECT_EQ(DefaultInstanceChannel(), runtime + "/cvhuprev");
    if (saved) setenv("XDG_RUNTIME_DIR", savedValue.c_str(), 1);
    else unsetenv("XDG_RUNTIME_DIR");

    if (geteuid() != 0) GTEST_SKIP() << "the case of another user needs the superuser";
    // Another user made the folder first: nothing goes through it.
    const std::string taken = shared.path + "/taken";
    ASSERT_EQ(AsOtherUser([&] { return mkdir(taken.c_str(), 0777) == 0 ? 0 : 1; }), 0);
    EXPECT_EQ(InstanceChannelFolder(nullptr, taken), "");
}

TEST(SingleInstance, AnotherUserCanNeitherHandOverNorListen) {
    if (geteuid() != 0) GTEST_SKIP() << "a second user needs the superuser";
    automation::EnsureApplication();
    SharedFolder shared;

    // Our server, its socket opened to everybody by mistake: another user's name is refused.
    const std::string ours = shared.path + "/ours";
    std::vector<std::string> received;
    SingleInstanceServer server([&](const std::string& name) { received.push_back(name); }, ours);
    ASSERT_TRUE(server.Listening());
    chmod(ours.c_str(), 0777);
    const int acknowledged = AsOtherUser([&] {
        const int fd = socket(AF_UNIX, SOCK_STREAM, 0);
        sockaddr_un a = Address(ours);
        if (connect(fd, reinterpret_cast<sockaddr*>(&a), sizeof a) != 0) return 2;
        const char frame[] = {10, 0, 0, 0, '/', 't', 'm', 'p', '/', 'x', '.', 'c', 'v', '2'};
        if (write(fd, frame, sizeof frame) != static_cast<ssize_t>(sizeof frame)) return 0;
        pollfd p{fd, POLLIN, 0};
        char c = 0;
        return poll(&p, 1, 2000) == 1 && read(fd, &c, 1) == 1 && c == 'A' ? 1 : 0;
    });
    EXPECT_EQ(acknowledged, 0) << "the server took a name from another user";
    for (int i = 0; i < 20; ++i) automation::ProcessEvents();
    EXPECT_TRUE(received.empty());

    // Another user listening where we look: our start sends it nothing.
    const std::string theirs = shared.path + "/theirs";
    const pid_t listener = fork();
    if (listener == 0) {
        alarm(10);
        if (setgid(kOtherUser) != 0 || setuid(kOtherUser) != 0) _exit(3);
        const int fd = socket(AF_UNIX, SOCK_STREAM, 0);
        sockaddr_un a = Address(theirs);
        if (bind(fd, reinterpret_cast<sockaddr*>(&a), sizeof a) != 0 || listen(fd, 1) != 0) _exit(2);
        chmod(theirs.c_str(), 0777);
        pollfd p{fd, POLLIN, 0};
        if (poll(&p, 1, 5000) != 1) _exit(4);
        const int peer = accept(fd, nullptr, nullptr);
        pollfd q{peer, POLLIN, 0};
        char buffer[64];
        // Bytes within a second are a leak; an end of stream or silence is not.
        _exit(poll(&q, 1, 1000) == 1 && read(peer, buffer, sizeof buffer) > 0 ? 1 : 0);
    }
    struct stat st {};
    for (int i = 0; i < 200 && lstat(theirs.c_str(), &st) != 0; ++i) usleep(10000);
    EXPECT_FALSE(HandToFirstInstance("/home/titkos.cv2", 1000, theirs));
    int status = 0;
    ASSERT_EQ(waitpid(listener, &status, 0), listener);
    ASSERT_TRUE(WIFEXITED(status));
    EXPECT_EQ(WEXITSTATUS(status), 0) << "the document's name reached another user";
}

}  // namespace
}  // namespace curvelo::fw
