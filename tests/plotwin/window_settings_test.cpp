#include "plotwin/window_settings.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>

#include "expr/byte_io.h"
#include "fuzz/settings_fuzz_input.h"

using namespace curvelo;

namespace {

WindowSettings Sample() {
    WindowSettings s;
    s.kind = kSettingsKind2D;
    s.left = 30; s.top = 40; s.width = 700; s.height = 500;
    s.printWidth = 4.5L; s.printLeft = 0.75L;
    s.colourIndexes = {22, 6, 4};
    s.viewInts[0] = 1;
    s.viewInts[1] = 10;
    s.viewInts[2] = 9;
    s.viewReals[0][2] = 7.5L;
    s.lastDocument = "/home/anna/rajzok/körök.cv2";
    return s;
}

}  // namespace

TEST(WindowSettingsFile, RoundTripWithWrittenCountsAndHungarianPath) {
    const std::vector<std::uint8_t> bytes = WriteWindowSettings(Sample());
    EXPECT_EQ(bytes.size(), 80u + 10 * 4 + 10 * 60 + 10 * 4 + 4 * 17 + 15 * 2 + 84 * 3 + 210 * 3 + 21 * 3 + 256);
    auto back = ReadWindowSettings(bytes, kSettingsKind2D);
    ASSERT_TRUE(back);
    EXPECT_EQ(back->width, 700);
    EXPECT_EQ(back->printWidth, 4.5L);
    EXPECT_EQ(back->printInterval, -0.3937L);  // 0 in the file: not in use
    ASSERT_EQ(back->colourIndexes.size(), 15u);
    EXPECT_EQ(back->colourIndexes[0], 22);
    EXPECT_EQ(back->viewInts[2], 9);
    EXPECT_EQ(back->viewReals[0][2], 7.5L);
    EXPECT_EQ(back->lastDocument, "/home/anna/rajzok/körök.cv2");
}

TEST(WindowSettingsFile, OtherKindsDamageAndOtherCountsAreHandled) {
    const std::vector<std::uint8_t> bytes = WriteWindowSettings(Sample());
    EXPECT_FALSE(ReadWindowSettings(bytes, kSettingsKind3D));  // a cv2.ini copied over cv3.ini
    for (std::size_t cut : {0u, 79u, 200u, static_cast<unsigned>(bytes.size() - 1)})
        EXPECT_FALSE(ReadWindowSettings(std::vector<std::uint8_t>(bytes.begin(), bytes.begin() + cut), kSettingsKind2D));

    // Damaged counts for every count of the header: custom colours, font kinds, colour indexes.
    for (std::size_t word : {8u, 15u, 16u}) {
        for (std::uint32_t count : {0x7FFFFFFFu, 0xFFFFFFFFu, 0x80000000u, 100000u}) {
            std::vector<std::uint8_t> hostile = bytes;
            PutU32(hostile.data() + word * 4, count);
            EXPECT_FALSE(ReadWindowSettings(hostile, kSettingsKind2D)) << word << " " << count;
        }
    }

    // Twelve font kinds are read as twelve, and what follows still lines up.
    ByteWriter w;
    const std::vector<std::uint8_t> head(bytes.begin(), bytes.begin() + 80);
    w.Bytes(head.data(), head.size());
    PutU32(w.Data().data() + 15 * 4, 12);
    w.Zeros(12 * 4 + 12 * 60 + 12 * 4);
    const std::size_t rest = 80 + 10 * 4 + 10 * 60 + 10 * 4;
    w.Bytes(bytes.data() + rest, bytes.size() - rest);
    auto twelve = ReadWindowSettings(w.Data(), kSettingsKind2D);
    ASSERT_TRUE(twelve);
    EXPECT_EQ(twelve->fonts.size(), 12u);
    EXPECT_EQ(twelve->colourIndexes[0], 22);
    EXPECT_EQ(twelve->lastDocument, "/home/anna/rajzok/körök.cv2");
}

TEST(WindowSettingsFile, CorpusReplaysCleanly) {
    // Every input the fuzzer kept, and the ones that ever failed, through a plain build.
    const std::string folder = std::string(CURVELO_SOURCE_DIR) + "/tests/plotwin/settings_corpus";
    int files = 0;
    for (const auto& entry : std::filesystem::directory_iterator(folder)) {
        std::ifstream in(entry.path(), std::ios::binary);
        const std::vector<std::uint8_t> bytes{std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
        fuzz::RunSettingsFuzzInput(bytes.data(), bytes.size());
        ++files;
    }
    EXPECT_GT(files, 0);
}
