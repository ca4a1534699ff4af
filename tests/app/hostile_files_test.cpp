// Special files for every reader and failing disks for every writer, through the program
// itself where a user meets them: nothing may hang, no old file may be lost, and the exit
// code and message must say what happened.
#include <gtest/gtest.h>

#ifdef CURVELO_EXE

#include <fcntl.h>
#include <signal.h>
#include <sys/mount.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <functional>
#include <iterator>
#include <string>
#include <thread>
#include <vector>

#include "app/launcher_settings.h"
#include "framework/automation.h"
#include "framework/safe_file.h"
#include "framework/single_instance.h"
#include "plot2d/cv2_codec.h"
#include "plot2d/plot2_win.h"
#include "plotwin/window_settings.h"
#include "tests/child_process.h"
#include "textwin/text_file.h"

using namespace curvelo;
namespace fs = std::filesystem;
using Clock = std::chrono::steady_clock;

namespace {

using curvelo::testing::kOtherUser;

std::string Slurp(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

struct Folder {
    std::string path;
    Folder() {
        char tmpl[] = "/tmp/curvelo_hostile_XXXXXX";
        path = ::mkdtemp(tmpl);
        ::chmod(path.c_str(), 0755);
    }
    ~Folder() {
        ::umount2(path.c_str(), MNT_DETACH);  // harmless when nothing is mounted
        std::system(("chmod -R u+rwx '" + path + "' 2>/dev/null; rm -rf '" + path + "'").c_str());
    }
    std::string operator/(const std::string& name) const { return path + "/" + name; }
    int Entries() const {
        int n = 0;
        for ([[maybe_unused]] const auto& e : fs::directory_iterator(path)) ++n;
        return n;
    }
};

struct Outcome {
    int code = 0;  // the exit code; -1 when it had to be killed after the time limit
    std::string err;
};

struct RunOptions {
    rlim_t fileSizeLimit = RLIM_INFINITY;
    bool otherUser = false;
    std::vector<std::string> env;  // NAME=value added to this process's environment
    int seconds = 20;
};

// Starts the program with stderr going to errFile.
pid_t Spawn(std::vector<std::string> args, const RunOptions& o, const std::string& errFile) {
    args.insert(args.begin(), CURVELO_EXE);
    const pid_t pid = ::fork();
    if (pid == 0) {
        const int err = ::open(errFile.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0666);
        ::dup2(err, 2);
        const int null = ::open("/dev/null", O_RDWR);
        ::dup2(null, 0);
        ::dup2(null, 1);
        ::signal(SIGXFSZ, SIG_DFL);  // as a shell leaves it
        const rlimit limit{o.fileSizeLimit, o.fileSizeLimit};
        ::setrlimit(RLIMIT_FSIZE, &limit);
        if (o.otherUser && ::geteuid() == 0 && (::setgid(kOtherUser) != 0 || ::setuid(kOtherUser) != 0)) ::_exit(99);
        for (const std::string& e : o.env) ::putenv(const_cast<char*>(e.c_str()));
        ::setenv("QT_QPA_PLATFORM", "offscreen", 1);
        std::vector<char*> argv;
        for (std::string& a : args) argv.push_back(a.data());
        argv.push_back(nullptr);
        ::execv(CURVELO_EXE, argv.data());
        ::_exit(98);
    }
    return pid;
}

Outcome RunProgram(const std::vector<std::string>& args, const RunOptions& o = {}) {
    char tmpl[] = "/tmp/curvelo_stderr_XXXXXX";
    const int fd = ::mkstemp(tmpl);
    ::close(fd);
    const std::string errFile = tmpl;
    const pid_t pid = Spawn(args, o, errFile);
    Outcome r;
    const auto end = Clock::now() + std::chrono::seconds(o.seconds);
    int status = 0;
    while (::waitpid(pid, &status, WNOHANG) == 0) {
        if (Clock::now() > end) {
            ::kill(pid, SIGKILL);
            ::waitpid(pid, &status, 0);
            r.code = -1;
            break;
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
    }
    if (r.code == 0) r.code = WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
    r.err = Slurp(errFile);
    ::unlink(errFile.c_str());
    return r;
}

std::string Example() { return std::string(CURVELO_EXAMPLES_DIR) + "/rozsa.cv2"; }

int Bounded(const std::function<int()>& what) { return curvelo::testing::InChildProcess(what); }

// The special files a reader may be handed, all named like documents.
std::vector<std::string> MakeSpecialFiles(const Folder& f) {
    const std::string fifo = f / "cso.cv2", dir = f / "mappa.cv2", zero = f / "nulla.cv2",
                      huge = f / "ritka.cv2";
    EXPECT_EQ(::mkfifo(fifo.c_str(), 0666), 0);
    EXPECT_EQ(::mkdir(dir.c_str(), 0755), 0);
    EXPECT_EQ(::symlink("/dev/zero", zero.c_str()), 0);
    std::ofstream(huge) << "x";
    EXPECT_EQ(::truncate(huge.c_str(), off_t(1) << 40), 0);
    return {fifo, dir, zero, huge};
}

// A small file system that fills up; false when it cannot be mounted here.
bool MountSmallDisk(const Folder& f) {
    if (::mount("tmpfs", f.path.c_str(), "tmpfs", 0, "size=96k,mode=0777") != 0) return false;
    ::chmod(f.path.c_str(), 0777);
    return true;
}

// Fills the disk until it refuses another byte.
void FillDisk(const Folder& f) {
    const int fd = ::open((f / "kitoltes").c_str(), O_WRONLY | O_CREAT, 0644);
    const std::string block(512, 'f');
    while (::write(fd, block.data(), block.size()) > 0) {
    }
    while (::write(fd, "f", 1) > 0) {
    }
    ::close(fd);
}

}  // namespace

TEST(HostileFiles, SpecialDocumentsAreRefusedAtOnce) {
    Folder f;
    std::vector<std::string> inputs = MakeSpecialFiles(f);
    const std::string secret = f / "titok.cv2";
    fs::copy_file(Example(), secret);
    ::chmod(secret.c_str(), 0);
    inputs.push_back(secret);
    for (const std::string& in : inputs) {
        const std::string out = f / "ki.png";
        const Outcome r = RunProgram({"--render", in, "-o", out}, {.otherUser = true, .env = {}, .seconds = 10});
        EXPECT_EQ(r.code, 1) << in << (r.code < 0 ? " hung" : "");
        EXPECT_NE(r.err.find("error 411"), std::string::npos) << in << ": " << r.err;
        EXPECT_FALSE(fs::exists(out)) << in;
    }
}

TEST(HostileFiles, SpecialSettingsAndTextFilesAreRefusedAtOnce) {
    Folder f;
    int n = 0;
    for (const std::string& path : MakeSpecialFiles(f)) {
        const std::string folder = f / ("cfg" + std::to_string(++n));
        ::mkdir(folder.c_str(), 0755);
        fs::create_symlink(path, folder + "/" + kLauncherSettingsFile);
        EXPECT_EQ(Bounded([&] { return ReadLauncherSettings(folder) ? 1 : 0; }), 0) << path;
        EXPECT_EQ(Bounded([&] { return LoadWindowSettingsFile(path, kSettingsKind2D) ? 1 : 0; }), 0) << path;
        // A huge text is read only up to its bound; the others cannot be read at all.
        std::string text;
        EXPECT_EQ(Bounded([&] { return ReadTextFile(path, &text, 1000) == 0 ? int(text.size()) : 100; }),
                  path.ends_with("ritka.cv2") ? 1 : 100)
            << path;
    }
}

// The running program takes special files for cv.ini, cv2.ini and handed-over documents
// without freezing: it still answers on its channel afterwards.
TEST(HostileFiles, TheRunningProgramSurvivesSpecialFiles) {
    Folder f;
    const std::vector<std::string> special = MakeSpecialFiles(f);
    const std::string config = f / "config", runtime = f / "runtime";
    ASSERT_EQ(::mkdir(config.c_str(), 0700), 0);
    ASSERT_EQ(::mkdir(runtime.c_str(), 0700), 0);
    ASSERT_EQ(::mkfifo((config + "/cv.ini").c_str(), 0600), 0);
    ASSERT_EQ(::mkfifo((config + "/cv2.ini").c_str(), 0600), 0);
    const std::string channel = runtime + "/cvhuprev";

    const pid_t program = Spawn({}, {.env = {"CURVELO_CONFIG_DIR=" + config, "XDG_RUNTIME_DIR=" + runtime}},
                                f / "stderr");
    ASSERT_GT(program, 0);
    auto answers = [&](int tries) {
        for (int i = 0; i < tries; ++i) {
            if (fw::HandToFirstInstance("", 200, channel)) return true;
            std::this_thread::sleep_for(std::chrono::milliseconds(50));
        }
        return false;
    };
    EXPECT_TRUE(answers(100)) << "the launcher did not come up past a named pipe as cv.ini";
    for (const std::string& path : special) {
        fw::HandToFirstInstance(path, 1000, channel);
        EXPECT_TRUE(answers(20)) << "frozen after being handed " << path;
    }
    // A real document opens a 2D window, which reads cv2.ini.
    fw::HandToFirstInstance(Example(), 1000, channel);
    EXPECT_TRUE(answers(40)) << "frozen after opening a 2D window with a named pipe as cv2.ini";
    ::kill(program, SIGKILL);
    ::waitpid(program, nullptr, 0);
}

TEST(HostileFiles, FailingWritesKeepTheOldFileAndSaySo) {
    for (const std::string kind : {"png", "svg", "pdf", "cv2"}) {
        SCOPED_TRACE(kind);
        // A file-size limit, as with ulimit -f 1: no signal kills the program.
        {
            Folder f;
            const std::string out = f / ("regi." + kind);
            const std::string old(700, 'o');
            std::ofstream(out) << old;
            const Outcome r = RunProgram({"--render", Example(), "-o", out}, {.fileSizeLimit = 1024, .env = {}});
            EXPECT_EQ(r.code, 1) << r.err;
            EXPECT_NE(r.err.find("error 412"), std::string::npos) << r.err;
            EXPECT_EQ(Slurp(out), old);
            EXPECT_EQ(f.Entries(), 1) << "a temporary file was left behind";
        }
        // A read-only folder, and a write-protected file in a writable one.
        {
            Folder f;
            const std::string out = f / ("regi." + kind);
            std::ofstream(out) << "regi";
            ::chmod(f.path.c_str(), 0555);
            Outcome r = RunProgram({"--render", Example(), "-o", out}, {.otherUser = true, .env = {}});
            EXPECT_EQ(r.code, 1) << r.err;
            EXPECT_NE(r.err.find("error 412"), std::string::npos) << r.err;
            ::chmod(f.path.c_str(), 0755);
            ::chmod(out.c_str(), 0444);
            r = RunProgram({"--render", Example(), "-o", out});
            EXPECT_EQ(r.code, 1);
            EXPECT_NE(r.err.find("error 412"), std::string::npos) << r.err;
            if (kind != "cv2") {
                EXPECT_NE(r.err.find("write-protected"), std::string::npos) << r.err;
            }
            EXPECT_EQ(Slurp(out), "regi");
        }
        // A full disk, over an old file and for a new one.
        {
            Folder f;
            if (!MountSmallDisk(f)) continue;
            const std::string out = f / ("regi." + kind), fresh = f / ("uj." + kind);
            std::ofstream(out) << "regi";
            FillDisk(f);
            Outcome r = RunProgram({"--render", Example(), "-o", out});
            EXPECT_EQ(r.code, 1) << r.err;
            EXPECT_NE(r.err.find("error 412"), std::string::npos) << r.err;
            EXPECT_EQ(Slurp(out), "regi");
            r = RunProgram({"--render", Example(), "-o", fresh});
            EXPECT_EQ(r.code, 1) << r.err;
            EXPECT_FALSE(fs::exists(fresh));
            EXPECT_EQ(f.Entries(), 2);
        }
    }
}

// Every writer of the program on a full disk: false, and the old file as it was.
TEST(HostileFiles, EveryWriterFailsCleanlyOnAFullDisk) {
    Folder f;
    if (!MountSmallDisk(f)) GTEST_SKIP() << "no small file system can be mounted here";
    fw::automation::EnsureApplication();
    const std::string settings = f / kLauncherSettingsFile, window = f / "cv2.ini", text = f / "jegyzet.txt",
                      doc = f / "rajz.cv2", pdf = f / "rajz.pdf", png = f / "rajz.png";
    LauncherSettings launcher;
    launcher.placement = {10, 20, 300, 200, false};
    ASSERT_TRUE(WriteLauncherSettings(f.path, launcher));
    ASSERT_TRUE(SaveWindowSettingsFile(window, WindowSettings{}));
    ASSERT_EQ(WriteTextFile(text, "régi"), 0);
    TPlot2Win w(nullptr, "rajz.cv2");
    ASSERT_TRUE(w.Create());
    ASSERT_EQ(w.ReadDocument(Example()), 0);
    ASSERT_EQ(w.WriteDocument(doc), 0);
    ASSERT_TRUE(w.PrintToPdf(pdf, 72));
    fw::Bitmap bitmap(300, 200);
    ASSERT_TRUE(bitmap.SavePng(png));
    std::vector<std::string> before;
    const std::vector<std::string> files{settings, window, text, doc, pdf, png};
    for (const std::string& p : files) before.push_back(Slurp(p));

    FillDisk(f);
    launcher.placement.left = 11;
    EXPECT_FALSE(WriteLauncherSettings(f.path, launcher));
    WindowSettings changed;
    changed.lastDocument = std::string(200, 'd');
    EXPECT_FALSE(SaveWindowSettingsFile(window, changed));
    EXPECT_EQ(WriteTextFile(text, std::string(200000, 'u')), 12);
    EXPECT_NE(w.WriteDocument(doc), 0);
    EXPECT_FALSE(w.PrintToPdf(pdf, 300));
    fw::Bitmap big(1000, 800);
    big.Fill({10, 200, 30});
    EXPECT_FALSE(big.SavePng(png));
    for (std::size_t i = 0; i < files.size(); ++i) EXPECT_EQ(Slurp(files[i]), before[i]) << files[i];
    EXPECT_EQ(f.Entries(), static_cast<int>(files.size()) + 1);  // and the filler
}

TEST(HostileFiles, ALockedDocumentIsNeverSavedByABatchCommand) {
    Folder f;
    Cv2Document doc;
    ASSERT_EQ(LoadCv2File(Example(), kFileType2D, doc), 0);
    doc.hasLock = true;
    doc.plotWords[42] = 1;
    doc.lockPassText = "100titok";  // saving protected
    const std::string locked = f / "zart.cv2", out = f / "masolat.cv2";
    ASSERT_EQ(SaveCv2File(locked, doc), 0);
    Outcome r = RunProgram({"--render", locked, "-o", out}, {.env = {}, .seconds = 10});
    EXPECT_EQ(r.code, 1) << (r.code < 0 ? "waited for a password nobody can type" : r.err);
    EXPECT_NE(r.err.find("error 427"), std::string::npos) << r.err;
    EXPECT_FALSE(fs::exists(out));
    // Drawing it is not protected.
    r = RunProgram({"--render", locked, "-o", f / "kep.png"}, {.env = {}, .seconds = 10});
    EXPECT_EQ(r.code, 0) << r.err;
}

TEST(HostileFiles, TheLongestLegalNamesAreSaved) {
    Folder f;
    for (std::size_t length : {247u, 248u, 255u}) {
        const std::string out = f / (std::string(length - 4, 'n') + ".cv2");
        const Outcome r = RunProgram({"--render", Example(), "-o", out});
        EXPECT_EQ(r.code, 0) << length << ": " << r.err;
        Cv2Document saved;
        EXPECT_EQ(LoadCv2File(out, kFileType2D, saved), 0) << length;
    }
}

#endif
