#include "framework/safe_file.h"
#include "tests/child_process.h"

#include <gtest/gtest.h>

#include <csignal>
#include <cstdlib>
#include <functional>
#include <dirent.h>
#include <fstream>
#include <string>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

using namespace curvelo;

namespace {

struct TempDir {
    std::string path;
    TempDir() {
        char tmpl[] = "/tmp/curvelo_safe_XXXXXX";
        path = ::mkdtemp(tmpl);
    }
    ~TempDir() { std::system(("rm -rf '" + path + "'").c_str()); }
    std::string File(const std::string& name) const { return path + "/" + name; }
    int Entries() const {
        int n = 0;
        if (DIR* d = ::opendir(path.c_str())) {
            while (dirent* e = ::readdir(d))
                if (std::string(e->d_name) != "." && std::string(e->d_name) != "..") ++n;
            ::closedir(d);
        }
        return n;
    }
};

std::string Slurp(const std::string& path) {
    std::ifstream f(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(f), {});
}

std::vector<std::uint8_t> Bytes(std::size_t n, std::uint8_t fill) {
    return std::vector<std::uint8_t>(n, fill);
}

int AsOrdinaryUser(const std::function<int()>& what) {
    return curvelo::testing::InChildProcess(what, 5, true);
}

}  // namespace

TEST(SafeFile, WritesAndReplacesLeavingNoTemporaryFile) {
    TempDir dir;
    const std::string target = dir.File("doc.cv2");
    ASSERT_TRUE(WriteFileSafely(target, Bytes(10, 'a')));
    ::chmod(target.c_str(), 0640);
    ASSERT_TRUE(WriteFileSafely(target, Bytes(3, 'b')));
    EXPECT_EQ(Slurp(target), "bbb");
    EXPECT_EQ(dir.Entries(), 1);
    struct stat st {};
    ASSERT_EQ(::stat(target.c_str(), &st), 0);
    EXPECT_EQ(st.st_mode & 0777, 0640u);  // the old file's permissions are kept
}

TEST(SafeFile, ShortWriteAtFileSizeLimitKeepsTheOldFile) {
    TempDir dir;
    const std::string target = dir.File("doc.cv2");
    ASSERT_TRUE(WriteFileSafely(target, Bytes(100, 'o')));
    pid_t child = ::fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
        ::signal(SIGXFSZ, SIG_IGN);
        rlimit limit{4096, 4096};
        ::setrlimit(RLIMIT_FSIZE, &limit);
        bool ok = WriteFileSafely(target, Bytes(100000, 'n'));
        ::_exit(ok ? 0 : 3);
    }
    int status = 0;
    ASSERT_EQ(::waitpid(child, &status, 0), child);
    ASSERT_TRUE(WIFEXITED(status));
    EXPECT_EQ(WEXITSTATUS(status), 3);
    EXPECT_EQ(Slurp(target), std::string(100, 'o'));
    EXPECT_EQ(dir.Entries(), 1);
}

TEST(SafeFile, TargetsThatCannotBeReplacedFailCleanly) {
    TempDir dir;
    const std::string folder = dir.File("sub");
    ASSERT_EQ(::mkdir(folder.c_str(), 0755), 0);
    std::string error;
    EXPECT_FALSE(WriteFileSafely(folder, Bytes(5, 'x'), &error));
    EXPECT_FALSE(error.empty());
    struct stat st {};
    ASSERT_EQ(::stat(folder.c_str(), &st), 0);
    EXPECT_TRUE(S_ISDIR(st.st_mode));
    EXPECT_EQ(dir.Entries(), 1);
    EXPECT_FALSE(WriteFileSafely(dir.File("missing/doc.cv2"), Bytes(5, 'x')));
    EXPECT_FALSE(WriteFileSafely("", Bytes(5, 'x')));
}

TEST(SafeFile, ReadOnlyFolderKeepsTheOldFile) {
    TempDir dir;
    const std::string target = dir.File("doc.cv2");
    ASSERT_TRUE(WriteFileSafely(target, Bytes(4, 'o')));
    ::chmod(dir.path.c_str(), 0555);
    // Permissions do not bind the superuser: the save is tried by an ordinary user.
    EXPECT_EQ(AsOrdinaryUser([&] { return WriteFileSafely(target, Bytes(8, 'n')) ? 1 : 0; }), 0)
        << "the save into a read-only folder did not fail";
    ::chmod(dir.path.c_str(), 0755);
    EXPECT_EQ(Slurp(target), "oooo");
}

TEST(SafeFile, BoundedReading) {
    TempDir dir;
    const std::string target = dir.File("f.bin");
    ASSERT_TRUE(WriteFileSafely(target, Bytes(1000, 7)));
    std::vector<std::uint8_t> out;
    EXPECT_EQ(ReadFileBounded(target, out), ReadFileStatus::Ok);
    EXPECT_EQ(out, Bytes(1000, 7));
    EXPECT_EQ(ReadFileBounded(target, out, 999), ReadFileStatus::TooLarge);
    EXPECT_TRUE(out.empty());
    EXPECT_EQ(ReadFileBounded(target, out, 1000), ReadFileStatus::Ok);
    EXPECT_EQ(ReadFileBounded(dir.File("none"), out), ReadFileStatus::CannotOpen);
    EXPECT_EQ(ReadFileBounded(dir.path, out), ReadFileStatus::NotRegular);
    ASSERT_TRUE(WriteFileSafely(target, Bytes(0, 0)));
    EXPECT_EQ(ReadFileBounded(target, out), ReadFileStatus::Ok);
    EXPECT_TRUE(out.empty());
}

TEST(SafeFile, WriteProtectedTargetIsRefusedAndKept) {
    TempDir dir;
    const std::string target = dir.File("kesz.cv2");
    ASSERT_TRUE(WriteFileSafely(target, Bytes(4, 'o')));
    ::chmod(target.c_str(), 0444);
    std::string error;
    EXPECT_FALSE(WriteFileSafely(target, Bytes(8, 'n'), &error));
    EXPECT_NE(error.find("write-protected"), std::string::npos) << error;
    EXPECT_EQ(Slurp(target), "oooo");
    EXPECT_EQ(dir.Entries(), 1);
    // A file another user may write but this one may not is not replaced either.
    ::chmod(target.c_str(), 0644);
    ::chmod(dir.path.c_str(), 0777);
    EXPECT_EQ(AsOrdinaryUser([&] { return WriteFileSafely(target, Bytes(8, 'n')) ? 1 : 0; }), 0);
    EXPECT_EQ(Slurp(target), "oooo");
}

TEST(SafeFile, LongestNamesAreSavedThroughATemporaryNameThatFits) {
    TempDir dir;
    for (std::size_t length : {240u, 247u, 248u, 251u, 255u}) {
        const std::string target = dir.File(std::string(length - 4, 'a') + ".cv2");
        std::string error;
        EXPECT_TRUE(WriteFileSafely(target, Bytes(5, 'x'), &error)) << length << ": " << error;
        EXPECT_EQ(Slurp(target), "xxxxx");
        ::unlink(target.c_str());
    }
    // Two-byte letters are never cut in half.
    std::string name;
    while (name.size() < 300) name += "\xC5\x91";
    const std::string prefix = TemporaryNamePrefix("/x/" + name);
    const std::string base = prefix.substr(3);
    EXPECT_LE(base.size() + 6, 255u);
    EXPECT_EQ(base.size() % 2, 0u);  // the dots plus whole letters
    EXPECT_EQ(TemporaryNamePrefix("doc.cv2"), "./.doc.cv2.");
}

TEST(SafeFile, OnlyOurOwnLinksAreFollowed) {
    TempDir dir;
    const std::string target = dir.File("victim.txt");
    const std::string link = dir.File("out.png");
    std::ofstream(target) << "precious";
    ASSERT_EQ(::symlink(target.c_str(), link.c_str()), 0);
    // Our own link: the file it points to is replaced and the link stays a link.
    ASSERT_TRUE(WriteFileSafely(link, Bytes(3, 'n')));
    EXPECT_EQ(Slurp(target), "nnn");
    struct stat st {};
    ASSERT_EQ(::lstat(link.c_str(), &st), 0);
    EXPECT_TRUE(S_ISLNK(st.st_mode));
    // Another user's link (as another user would plant it in /tmp) is refused.
    if (::geteuid() != 0) GTEST_SKIP() << "giving a link to another user needs root";
    ASSERT_EQ(::lchown(link.c_str(), 65534, 65534), 0);
    std::string error;
    EXPECT_FALSE(WriteFileSafely(link, Bytes(3, 'x'), &error));
    EXPECT_FALSE(error.empty());
    EXPECT_EQ(Slurp(target), "nnn");
}
