// Damaged 3D documents: every .cv3 of the document corpus is changed a byte or a word at a
// time inside its example records and list nodes, and each change the reader accepts is
// opened in a 3D window, drawn, saved and read again. Reading, solving and drawing must
// finish promptly whatever the numbers, and the window's own save must read back to itself.
#include <gtest/gtest.h>

#include "tests/window_test.h"

#include <dirent.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdint>
#include <cstring>
#include <string>
#include <vector>

#include "framework/automation.h"
#include "framework/safe_file.h"
#include "plot2d/cv2_codec.h"
#include "plot3d/cv3_document.h"
#include "plot3d/plot3_win.h"

using namespace curvelo;
namespace au = curvelo::fw::automation;

namespace {

using Clock = std::chrono::steady_clock;
using Bytes = std::vector<std::uint8_t>;

struct Span {
    std::size_t at = 0, size = 0;
};

std::vector<std::string> SpaceSeeds() {
    const std::string folder = std::string(CURVELO_SOURCE_DIR) + "/tests/plot2d/cv2_corpus";
    std::vector<std::string> paths;
    DIR* d = ::opendir(folder.c_str());
    if (!d) return paths;
    while (dirent* e = ::readdir(d)) {
        const std::string name = e->d_name;
        if (name.size() > 4 && name.compare(name.size() - 4, 4, ".cv3") == 0) paths.push_back(folder + "/" + name);
    }
    ::closedir(d);
    std::sort(paths.begin(), paths.end());
    return paths;
}

// Where the example records and their list nodes lie in the file: each is looked up by its
// own bytes, searching on from the one before.
std::vector<Span> RecordSpans(const Bytes& file, const Cv2Document& doc) {
    std::vector<Span> spans;
    auto from = file.begin();
    const auto find = [&](const std::uint8_t* bytes, std::size_t size) {
        const auto at = std::search(from, file.end(), bytes, bytes + size);
        if (at == file.end()) return;
        spans.push_back({static_cast<std::size_t>(at - file.begin()), size});
        from = at + static_cast<std::ptrdiff_t>(size);
    };
    for (const Cv2Example& ex : doc.examples) {
        const TExample::Image image = ex.example.Store();
        find(image.data(), image.size());
        for (const Cv2InitialCondition& c : ex.initialConditions) find(c.record.data(), c.record.size());
    }
    return spans;
}

// The k-th mutant of a seed: one byte or one little-endian word inside a record set to a
// boundary value. A small linear congruential generator keeps the run repeatable.
Bytes Mutant(const Bytes& seed, const std::vector<Span>& spans, std::uint32_t k) {
    static constexpr std::uint8_t kByteValues[] = {0x00, 0x01, 0x7F, 0x80, 0xFE, 0xFF};
    static constexpr std::uint16_t kWordValues[] = {0x0000, 0x0001, 0x7FFF, 0x8000, 0xFFFF, 0x7FFE, 1000, 1001};
    std::uint32_t r = k * 2654435761u + 12345u;
    const auto next = [&r] {
        r = r * 1664525u + 1013904223u;
        return r >> 8;
    };
    Bytes out = seed;
    const Span& s = spans[next() % spans.size()];
    const std::size_t at = s.at + next() % s.size;
    if (next() % 2 == 0 || at + 1 >= out.size()) {
        out[at] = kByteValues[next() % std::size(kByteValues)];
    } else {
        const std::uint16_t v = kWordValues[next() % std::size(kWordValues)];
        out[at] = static_cast<std::uint8_t>(v & 0xFF);
        out[at + 1] = static_cast<std::uint8_t>(v >> 8);
    }
    return out;
}

class HostileSpaceDocumentTest : public curvelo::testing::WindowTest {
protected:
    static void Open(TPlot3Win& w) {
        ASSERT_TRUE(w.Create());
        w.MoveWindow({0, 0, 240, 200});
        w.Show();
        au::ProcessEvents();
    }
    static Bytes Load(const std::string& path) {
        Bytes b;
        EXPECT_EQ(ReadFileBounded(path, b), ReadFileStatus::Ok) << path;
        return b;
    }
};

TEST_F(HostileSpaceDocumentTest, DamagedRecordsAndListsAreReadDrawnAndSavedPromptly) {
    const std::vector<std::string> seeds = SpaceSeeds();
    ASSERT_GE(seeds.size(), 3u);
    const std::string dir = ::testing::TempDir() + "/hostile3d-" + std::to_string(::getpid());
    ASSERT_EQ(::mkdir(dir.c_str(), 0700), 0);
    const std::string mutantPath = dir + "/m.cv3", savedPath = dir + "/s.cv3", againPath = dir + "/t.cv3";
    // The whole run stays within seconds on a loaded machine: each seed has its share of
    // the time and at most kMutants changes; a seed's first changes are always tried.
    constexpr std::uint32_t kMutants = 200, kAlways = 8;
    const auto share = std::chrono::milliseconds(14000 / static_cast<int>(seeds.size()));
    int accepted = 0;
    for (const std::string& seedPath : seeds) {
        const Bytes seed = Load(seedPath);
        Cv2Document doc;
        ASSERT_EQ(ReadCv2(seed, kFileType3D, doc), kCv2Ok) << seedPath;
        const std::vector<Span> spans = RecordSpans(seed, doc);
        // A record the reader tidies (an older document's) is not found as stored; the rest are.
        std::size_t records = doc.examples.size();
        for (const Cv2Example& ex : doc.examples) records += ex.initialConditions.size();
        ASSERT_GE(spans.size() * 2, records) << seedPath;
        // One window reads every change of a seed, as a user opening file after file.
        TPlot3Win w(nullptr, "m.cv3");
        Open(w);
        const Clock::time_point start = Clock::now();
        for (std::uint32_t k = 0; k < kMutants; ++k) {
            if (k >= kAlways && Clock::now() - start > share) break;
            const Bytes bytes = Mutant(seed, spans, k);
            Cv2Document check;
            if (ReadCv2(bytes, kFileType3D, check) != kCv2Ok) continue;
            ++accepted;
            ASSERT_TRUE(WriteFileSafely(mutantPath, bytes)) << mutantPath;
            const Clock::time_point begun = Clock::now();
            ASSERT_EQ(w.ReadDocument(mutantPath), 0) << seedPath << " mutant " << k;
            w.RenderLayer(0);
            ASSERT_EQ(w.WriteDocument(savedPath), 0);
            EXPECT_LT(Clock::now() - begun, std::chrono::seconds(4)) << seedPath << " mutant " << k;
            // The window's own save is a fixed point of reading and saving (every fourth
            // change, a fresh window).
            if (k % 4 != 0) continue;
            TPlot3Win again(nullptr, "s.cv3");
            Open(again);
            ASSERT_EQ(again.ReadDocument(savedPath), 0) << seedPath << " mutant " << k;
            ASSERT_EQ(again.WriteDocument(againPath), 0);
            EXPECT_EQ(Load(againPath), Load(savedPath)) << seedPath << " mutant " << k;
        }
    }
    EXPECT_GT(accepted, static_cast<int>(seeds.size()) * 6);
    for (const std::string& p : {mutantPath, savedPath, againPath}) ::unlink(p.c_str());
    ::rmdir(dir.c_str());
}

}  // namespace
