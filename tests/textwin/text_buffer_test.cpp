#include "textwin/palette_layout.h"
#include "textwin/text_buffer.h"
#include "textwin/text_codec.h"
#include "textwin/text_file.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>

using namespace curvelo;

TEST(TextBuffer, CutsAtTheCharacterLimitWithoutSplittingALetter) {
    std::string many(kTextWinMaxChars + 10, 'a');
    EXPECT_EQ(CutToChars(many).size(), kTextWinMaxChars);
    std::string accents;
    for (int i = 0; i < 70000; ++i) accents += "é";  // two bytes each
    std::string cut = CutToChars(accents);
    EXPECT_EQ(CountChars(cut), kTextWinMaxChars);
    EXPECT_EQ(cut.size(), 2 * kTextWinMaxChars);
    EXPECT_EQ(CutToChars("short"), "short");
}

TEST(TextBuffer, MinusCodeIsADecimalFrom2To255) {
    EXPECT_EQ(ParseMinusCode("150"), 150);
    EXPECT_EQ(ParseMinusCode(" 2 "), 2);
    EXPECT_FALSE(ParseMinusCode("1"));
    EXPECT_FALSE(ParseMinusCode("256"));
    EXPECT_FALSE(ParseMinusCode("12a"));
    EXPECT_FALSE(ParseMinusCode(""));
    EXPECT_FALSE(ParseMinusCode("99999999999999"));
}

TEST(TextBuffer, MinusReplacementUsesTheCodePageCharacter) {
    // Code 150 is the en dash of the Hungarian code page.
    EXPECT_EQ(ReplaceMinus("x-1", 150), "x\u20131");
    EXPECT_EQ(ReplaceMinus("a-b-c", '_'), "a_b_c");
    EXPECT_EQ(ReplaceMinus("-é-", 245), "őéő");
}

TEST(TextCodec, ForeignBytesReadAsTheHungarianCodePage) {
    // "árvíz" in the single-byte code page, then valid UTF-8.
    EXPECT_EQ(EncodeUtf8(DecodeText("\xE1rv\xEDz")), "árvíz");
    EXPECT_EQ(EncodeUtf8(DecodeText("ő ű €")), "ő ű €");
    // Overlong and truncated sequences are not taken as UTF-8.
    EXPECT_EQ(DecodeText("\xC0\xAF").size(), 2u);
    EXPECT_EQ(DecodeText("\xE2\x82").size(), 2u);
}

namespace {
std::filesystem::path TempDir() {
    auto dir = std::filesystem::temp_directory_path() / ("textwin_test_" + std::to_string(::getpid()));
    std::filesystem::create_directories(dir);
    return dir;
}
}  // namespace

TEST(TextFile, SaveThenOpenGivesTheSameText) {
    auto path = (TempDir() / "note.txt").string();
    const std::string text = "első sor\r\nmásodik – sor\n";
    ASSERT_EQ(WriteTextFile(path, text), 0);
    EXPECT_EQ(std::filesystem::file_size(path), text.size() + 1);  // with its terminating NUL
    std::string back;
    ASSERT_EQ(ReadTextFile(path, &back, kTextWinMaxChars), 0);
    EXPECT_EQ(back, text);
    // Nothing but the file itself is left in the folder.
    int files = 0;
    for ([[maybe_unused]] auto& e : std::filesystem::directory_iterator(TempDir())) ++files;
    EXPECT_EQ(files, 1);
    std::filesystem::remove_all(TempDir());
}

TEST(TextFile, ReadingIsBoundedAndFailuresReportTheirCodes) {
    auto dir = TempDir();
    auto big = (dir / "big.txt").string();
    { std::ofstream(big) << std::string(100000, 'x'); }
    std::string text = "kept";
    ASSERT_EQ(ReadTextFile(big, &text, kTextWinMaxChars), 0);
    EXPECT_EQ(text.size(), kTextWinMaxChars);

    text = "kept";
    EXPECT_EQ(ReadTextFile((dir / "missing.txt").string(), &text, 10), 11);
    EXPECT_EQ(ReadTextFile(dir.string(), &text, 10), 11);
    EXPECT_EQ(text, "kept");
    EXPECT_EQ(WriteTextFile((dir / "no" / "such.txt").string(), "x"), 12);
    std::filesystem::remove_all(dir);
}

TEST(PaletteLayout, ClickRuleMapsCellsToColourIndexes) {
    PaletteLayout p(80, 80);  // cells of 10 x 10
    EXPECT_EQ(p.ColourAt(15, 35), 1);   // column 1, first colour row
    EXPECT_EQ(p.ColourAt(65, 35), 6);
    EXPECT_EQ(p.ColourAt(15, 45), 7);
    EXPECT_EQ(p.ColourAt(69, 69), 24);  // last cell
    EXPECT_EQ(p.ColourAt(15, 25), 0);   // the black cell above column 1
    EXPECT_FALSE(p.ColourAt(25, 25));   // row 0 in another column
    EXPECT_FALSE(p.ColourAt(5, 35));    // column 0
    EXPECT_FALSE(p.ColourAt(75, 35));   // column 7
    EXPECT_FALSE(p.ColourAt(15, 15));   // above the grid
    EXPECT_FALSE(p.ColourAt(15, 75));   // row 5
    EXPECT_FALSE(p.ColourAt(-5, 35));
    EXPECT_FALSE(PaletteLayout(7, 7).ColourAt(3, 3));  // no room for cells
}

TEST(PaletteLayout, EveryCellIsFoundAgainByTheClickRule) {
    PaletteLayout p(240, 160);
    for (int i = 0; i <= 24; ++i) {
        PaletteRect r = p.CellOf(i);
        EXPECT_EQ(p.ColourAt((r.left + r.right) / 2, (r.top + r.bottom) / 2), i) << i;
    }
}
