#include "plot2d/cv2_codec.h"

#include "expr/byte_io.h"
#include "plot2d/example_kinds.h"
#include "framework/safe_file.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <random>
#include <csignal>
#include <dirent.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

using namespace curvelo;

namespace {

// Offsets in a document with ten fonts and fifteen settings words.
constexpr std::size_t kPlotWordsAt = 80 + 40 + 600 + 40 + 68 + 30;
constexpr std::size_t kSwitchesAt = kPlotWordsAt + 160;
constexpr std::size_t kNumbersAt = kSwitchesAt + 50;
constexpr std::size_t kExamplesAt = kNumbersAt + 800;

Cv2Document RichDocument() {
    Cv2Document d;
    d.placement = {10, 20, 800, 600};
    d.maximised = 1;
    d.windowFlag = 3;
    d.pageMeasures = {1.25L, 6.5L, 0.75L, 1.0L};
    for (std::size_t i = 0; i < d.fonts.size(); ++i) {
        d.fonts[i].attribute = 100 + static_cast<std::uint32_t>(i);
        d.fonts[i].logFont[0] = static_cast<std::uint8_t>(0xF0 - i);
        d.fonts[i].logFont[28] = 'A';
        d.colours[i] = 0x00102030u + static_cast<std::uint32_t>(i);
    }
    for (std::size_t i = 0; i < d.settingsWords.size(); ++i) d.settingsWords[i] = static_cast<std::uint16_t>(7 * i);
    for (int w : {0, 1, 4, 8, 10, 16, 18, 22, 23, 25, 26, 27, 28, 35, 38, 39, 40})
        d.plotWords[w] = static_cast<std::uint16_t>(40 + w);
    d.plotWords[23] = 0xFFFF;
    for (int s = 0; s < 22; ++s) d.switches[s] = s % 2;
    for (int s = 22; s < 50; ++s) d.switches[s] = 1;
    d.switches[12] = 0;  // full letter arrays
    d.switches[17] = 0;  // the notepad is stored
    for (int s = 0; s < 80; ++s) d.numbers[s] = 0.5L * s + 0.25L;
    d.numbers[35] = 3;
    for (int s : {10, 29, 30, 31, 32, 40}) d.numbers[s] = 0;
    for (int s = 44; s < 80; ++s) d.numbers[s] = 0;

    Cv2Example a;
    a.example = NewExample(kKindExplicit, -5, 5, 6);
    a.example.familyActive = 1;
    a.example.texts[5] = "3D only";
    a.name = "hullám ő";
    Cv2InitialCondition plain, withTexts;
    plain.record.fill(0x11);
    PutU16(plain.record.data() + 30, 1000);
    PutU32(plain.record.data() + 91, 0);
    withTexts.record.fill(0x22);
    PutU16(withTexts.record.data() + 30, 1001);
    PutU32(withTexts.record.data() + 91, 0);
    withTexts.texts = {"1", "pi/2", "", "sin(a)"};
    a.initialConditions = {plain, withTexts};
    std::array<std::uint8_t, kResultSize> r{};
    r.fill(0x33);
    PutU32(r.data() + 74, 0);
    a.results = {r};
    Cv2Example b;
    b.example = NewExample(kKindParametric, 0, kTwoPi, 4);
    b.example.visible = 0;
    d.examples = {a, b};

    d.windowStrings = {"első", "", "harmadik"};
    d.hasLock = true;
    d.lockPassText = "titkos jelszó";
    d.authorData = {"Szerző Ödön", "2026", "", "megjegyzés"};
    for (int i = 0; i < 27; ++i) {
        d.letterValues[i] = {i * 0.5L, i == 0 ? 0.1L : 0.0L};
        d.letterLow[i] = {-10.0L, 0};
        d.letterHigh[i] = {10.0L + i, 0};
    }
    UserFunction f;
    f.SetName("NEV");
    f.SetDefinition("X^2+1");
    f.argCount = 1;
    d.userFunctions.Append(f);
    Cv2LabelRecord label{};
    label.fill(0x44);
    PutU32(label.data() + 170, 0);
    d.textLabels = {label};
    label[176] = 1;
    d.equationLabels = {label, label};
    Cv2Picture pic;
    pic.placement.fill(9);
    pic.flags = 2;
    pic.data = {1, 2, 3, 4, 5};
    d.pictures = {pic};
    Cv2MarkRecord mark{};
    mark.fill(0x55);
    PutU32(mark.data() + 33, 0);
    d.layerMarks = {mark};
    d.hasNotepad = true;
    d.notepad = "Jegyzet: árvíztűrő tükörfúrógép\r\nŐŰ";
    return d;
}

void ExpectSameDocument(const Cv2Document& a, const Cv2Document& b) {
    EXPECT_EQ(a.placement, b.placement);
    EXPECT_EQ(a.fonts, b.fonts);
    EXPECT_EQ(a.colours, b.colours);
    EXPECT_EQ(a.settingsWords, b.settingsWords);
    EXPECT_EQ(a.plotWords[0], b.plotWords[0]);
    EXPECT_EQ(a.switches, b.switches);
    EXPECT_EQ(a.numbers, b.numbers);
    ASSERT_EQ(a.examples.size(), b.examples.size());
    for (std::size_t i = 0; i < a.examples.size(); ++i) EXPECT_EQ(a.examples[i], b.examples[i]) << i;
    EXPECT_EQ(a.windowStrings, b.windowStrings);
    EXPECT_EQ(a.lockPassText, b.lockPassText);
    EXPECT_EQ(a.authorData, b.authorData);
    EXPECT_EQ(a.letterValues, b.letterValues);
    EXPECT_EQ(a.letterHigh, b.letterHigh);
    ASSERT_EQ(a.userFunctions.Size(), b.userFunctions.Size());
    for (std::size_t i = 0; i < a.userFunctions.Size(); ++i) {
        EXPECT_EQ(a.userFunctions[i].Name(), b.userFunctions[i].Name());
        EXPECT_EQ(a.userFunctions[i].Definition(), b.userFunctions[i].Definition());
    }
    EXPECT_EQ(a.textLabels, b.textLabels);
    EXPECT_EQ(a.pictures, b.pictures);
    EXPECT_EQ(a.equationLabels, b.equationLabels);
    EXPECT_EQ(a.layerMarks, b.layerMarks);
    EXPECT_EQ(a.hasNotepad, b.hasNotepad);
    EXPECT_EQ(a.notepad, b.notepad);
}

std::int32_t Word32(const std::vector<std::uint8_t>& f, std::size_t i) {
    return static_cast<std::int32_t>(GetU32(f.data() + 4 * i));
}
void SetWord32(std::vector<std::uint8_t>& f, std::size_t i, std::int32_t v) {
    PutU32(f.data() + 4 * i, static_cast<std::uint32_t>(v));
}

}  // namespace

TEST(Cv2Codec, SaveLoadSaveGivesIdenticalBytesAndTheSameDocument) {
    const Cv2Document d = RichDocument();
    const auto first = WriteCv2(d);
    Cv2Document back;
    ASSERT_EQ(ReadCv2(first, kFileType2D, back), kCv2Ok);
    ExpectSameDocument(d, back);
    EXPECT_EQ(WriteCv2(back), first);
    EXPECT_EQ(back.SelectionWord(0), -1);
    EXPECT_EQ(back.pageMeasures[1], 6.5L);
    // Frame header and derived words as stored.
    EXPECT_EQ(Word32(first, 0), 841);
    EXPECT_EQ(Word32(first, 1), 5);
    EXPECT_EQ(Word32(first, 8), 0);
    EXPECT_EQ(Word32(first, 9), 125);
    EXPECT_EQ(Word32(first, 15), 10);
    EXPECT_EQ(Word32(first, 16), 15);
    EXPECT_EQ(GetU16(first.data() + kPlotWordsAt + 2 * 9), 1);
    EXPECT_EQ(GetU16(first.data() + kPlotWordsAt + 2 * 41), 20);
    EXPECT_GT(GetU16(first.data() + kPlotWordsAt + 2 * 42), 0);
    EXPECT_EQ(first[kSwitchesAt + 12], 0);
    EXPECT_EQ(first[kSwitchesAt + 17], 0);
}

TEST(Cv2Codec, TextsAreStoredInTheHungarianCodePageAndThePassTextScrambled) {
    const auto bytes = WriteCv2(RichDocument());
    const std::string file(bytes.begin(), bytes.end());
    EXPECT_NE(file.find("hull\xE1m \xF5"), std::string::npos);
    EXPECT_NE(file.find("Jegyzet: \xE1rv\xEDzt\xFBr\xF5 t\xFCk\xF6rf\xFAr\xF3g\xE9p\r\n\xD5\xDB"),
              std::string::npos);
    EXPECT_EQ(file.find("titkos"), std::string::npos);
    EXPECT_EQ(UnscrambleLockText(ScrambleLockText("a\xFF\x01z")), "a\xFF\x01z");
    for (char c : ScrambleLockText(std::string(300, '\xF9'))) EXPECT_NE(c, '\0');
}

TEST(Cv2Codec, EmptyInventoryStoresMinusOneAndReloadsEmpty) {
    Cv2Document d;
    const auto bytes = WriteCv2(d);
    EXPECT_EQ(GetU16(bytes.data() + kPlotWordsAt + 18), 0xFFFF);
    Cv2Document back = RichDocument();
    ASSERT_EQ(ReadCv2(bytes, kFileType2D, back), kCv2Ok);
    EXPECT_TRUE(back.examples.empty());
    EXPECT_FALSE(back.hasNotepad);
    EXPECT_FALSE(back.hasLock);
    EXPECT_EQ(bytes[kSwitchesAt + 17], 1);
    // Nothing beyond the fixed blocks: three empty window strings, the letter arrays,
    // the reserved blocks and five empty object lists.
    EXPECT_EQ(bytes.size(), kExamplesAt + 3 * 3 + 3 * 540 + 51 + 5 * 2);
    EXPECT_EQ(WriteCv2(back), bytes);
}

TEST(Cv2Codec, OtherTypesAndVersionsAreRefusedOlderVersionsRead) {
    auto bytes = WriteCv2(RichDocument());
    Cv2Document out;
    SetWord32(bytes, 0, kFileType3D);
    EXPECT_EQ(ReadCv2(bytes, kFileType2D, out), kCv2CannotOpen);
    EXPECT_EQ(ReadCv2(bytes, kFileType3D, out), kCv2Ok);
    SetWord32(bytes, 0, kFileType2DVariant);
    EXPECT_EQ(ReadCv2(bytes, kFileType2D, out), kCv2CannotOpen);
    SetWord32(bytes, 0, kFileType2D);
    for (int v : {0, 6, 7, -1}) {
        SetWord32(bytes, 1, v);
        EXPECT_EQ(ReadCv2(bytes, kFileType2D, out), kCv2BadVersion) << v;
    }
    for (int v = 1; v <= 5; ++v) {
        SetWord32(bytes, 1, v);
        Cv2Document doc;
        EXPECT_EQ(ReadCv2(bytes, kFileType2D, doc), kCv2Ok) << v;
        EXPECT_EQ(doc.version, v);
        EXPECT_EQ(doc.examples.size(), 2u);
    }
}

TEST(Cv2Codec, DamagedSettingsAreClampedOnReading) {
    Cv2Document d = RichDocument();
    d.plotWords[26] = 0xFFF0;  // negative
    d.plotWords[27] = 0;
    d.plotWords[38] = 0;
    d.plotWords[39] = 31;
    d.plotWords[40] = 1;
    d.numbers[25] = 1e-19L;
    d.numbers[41] = NAN;
    d.numbers[42] = 2;
    d.numbers[43] = 5;
    d.pageMeasures[0] = 0;
    Cv2Document back;
    ASSERT_EQ(ReadCv2(WriteCv2(d), kFileType2D, back), kCv2Ok);
    EXPECT_EQ(back.plotWords[26], 0);
    EXPECT_EQ(back.plotWords[27], 1);
    EXPECT_EQ(back.plotWords[38], 1);
    EXPECT_EQ(back.plotWords[39], 112);
    EXPECT_EQ(back.plotWords[40], 8);
    EXPECT_EQ(back.numbers[25], 1.01L);
    EXPECT_EQ(back.numbers[41], 1.0L);
    EXPECT_EQ(back.numbers[42], 100.0L);
    EXPECT_EQ(back.numbers[43], 10.0L);
    EXPECT_EQ(back.NumberAsInt(42), 100);
    EXPECT_EQ(back.pageMeasures[0], -0.3937019154660433L);
    // Integer slots never convert out of range.
    back.numbers[35] = NAN;
    back.numbers[37] = 1e30L;
    EXPECT_EQ(back.NumberAsInt(35), 0);
    EXPECT_EQ(back.NumberAsInt(37), 2147483647);
    // Words and slots that are reserved are written as zero.
    d.plotWords[50] = 9;
    d.numbers[60] = 3;
    ASSERT_EQ(ReadCv2(WriteCv2(d), kFileType2D, back), kCv2Ok);
    EXPECT_EQ(back.plotWords[50], 0);
    EXPECT_EQ(back.numbers[60], 0.0L);
}

TEST(Cv2Codec, ExampleGroupsNamesAndInitialConditionTexts) {
    Cv2Document d = RichDocument();
    d.examples[1].name.clear();
    const auto bytes = WriteCv2(d);
    // Second group: record, empty lists, seven texts of which two are set, then the name.
    std::size_t at = kExamplesAt;
    Cv2Document back;
    ASSERT_EQ(ReadCv2(bytes, kFileType2D, back), kCv2Ok);
    const auto& ic = back.examples[0].initialConditions;
    ASSERT_EQ(ic.size(), 2u);
    EXPECT_FALSE(ic[0].HasTexts());
    EXPECT_TRUE(ic[1].HasTexts());
    EXPECT_EQ(ic[1].texts[1], "pi/2");
    // Group 1 length: 547 + 2 + 95 + (95 + 4 strings) + 2 + 78 + 7 strings + 21.
    std::size_t icTexts = (2 + 2) + (2 + 5) + (2 + 1) + (2 + 7);
    std::size_t texts1 = (2 + 8) + (2 + 1) * 4 + (2 + 1) + (2 + 8);
    at += 547 + 2 + 95 + 95 + icTexts + 2 + 78 + texts1 + 21;
    EXPECT_EQ(GetU16(bytes.data() + at), 203);
    std::size_t texts2 = (2 + 9) + (2 + 9) + (2 + 1) * 5;
    std::size_t name2 = at + 547 + 2 + 2 + texts2;
    for (int i = 0; i < 21; ++i) EXPECT_EQ(bytes[name2 + i], 0) << i;
    EXPECT_EQ(back.examples[1].name, "");
    EXPECT_EQ(back.examples[0].name, "hullám ő");
}

TEST(Cv2Codec, ImplicitExamplesGetTheirSearchFlagOnReading) {
    Cv2Document d;
    Cv2Example e;
    e.example = NewExample(kKindImplicit, 0, 1, 2);
    d.examples = {e};
    Cv2Document back;
    ASSERT_EQ(ReadCv2(WriteCv2(d), kFileType2D, back), kCv2Ok);
    EXPECT_EQ(back.examples[0].example.arrow, 1);
}

TEST(Cv2Codec, CompactLetterArraysBlockSevenAndOtherFontCountsAreRead) {
    Cv2Document d = RichDocument();
    d.fonts.resize(12);
    d.colours.resize(12, 0x123456);
    d.hasNotepad = false;
    auto full = WriteCv2(d);
    Cv2Document back;
    ASSERT_EQ(ReadCv2(full, kFileType2D, back), kCv2Ok);
    EXPECT_EQ(back.fonts.size(), 12u);
    EXPECT_EQ(back.colours[11], 0x123456u);

    // Rewrite the letter arrays in compact form by hand.
    const std::vector<std::uint8_t> base = WriteCv2(RichDocument());
    Cv2Document rd = RichDocument();
    std::vector<std::uint8_t> letters;
    for (const auto* a : {&rd.letterValues, &rd.letterLow, &rd.letterHigh})
        for (const auto& v : *a) {
            std::uint8_t raw[10];
            StoreExt80(v.re, raw);
            letters.insert(letters.end(), raw, raw + 10);
        }
    std::vector<std::uint8_t> fullLetters;
    for (const auto* a : {&rd.letterValues, &rd.letterLow, &rd.letterHigh})
        for (const auto& v : *a) {
            std::uint8_t raw[20];
            StoreExt80(v.re, raw);
            StoreExt80(v.im, raw + 10);
            fullLetters.insert(fullLetters.end(), raw, raw + 20);
        }
    auto pos = std::search(base.begin(), base.end(), fullLetters.begin(), fullLetters.end());
    ASSERT_NE(pos, base.end());
    std::vector<std::uint8_t> compact(base.begin(), pos);
    compact.insert(compact.end(), letters.begin(), letters.end());
    compact.insert(compact.end(), pos + fullLetters.size(), base.end());
    compact[kSwitchesAt + 12] = 1;
    ASSERT_EQ(ReadCv2(compact, kFileType2D, back), kCv2Ok);
    EXPECT_EQ(back.letterValues[4].re, 2.0L);
    EXPECT_EQ(back.letterValues[0].im, 0.0L);  // the compact form has no second values
    EXPECT_EQ(back.notepad, rd.notepad);

    // Block 7: three buffers of n bytes after the settings words.
    std::vector<std::uint8_t> seven(base.begin(), base.begin() + kPlotWordsAt);
    for (int k = 0; k < 3; ++k) seven.insert(seven.end(), {std::uint8_t(k), 7, 8});
    seven.insert(seven.end(), base.begin() + kPlotWordsAt, base.end());
    SetWord32(seven, 8, 3);
    ASSERT_EQ(ReadCv2(seven, kFileType2D, back), kCv2Ok);
    EXPECT_EQ(back.globalBuffers[2], (std::vector<std::uint8_t>{2, 7, 8}));
    EXPECT_EQ(WriteCv2(back), base);  // writers never store block 7
    SetWord32(seven, 8, 26);
    EXPECT_EQ(ReadCv2(seven, kFileType2D, back), kCv2CannotOpen);
}

TEST(Cv2Codec, EveryTruncationIsRefusedAndLeavesTheDocumentAlone) {
    const auto bytes = WriteCv2(RichDocument());
    Cv2Document keep;
    keep.notepad = "régi";
    for (std::size_t n = 0; n < bytes.size(); ++n) {
        ASSERT_NE(ReadCv2(bytes.data(), n, kFileType2D, keep), kCv2Ok) << "length " << n;
        ASSERT_EQ(keep.notepad, "régi");
    }
}

TEST(Cv2Codec, HostileCountsAndLengthsAreRefused) {
    const auto good = WriteCv2(RichDocument());
    Cv2Document out;
    auto patched = [&](std::size_t off, std::uint16_t v) {
        auto b = good;
        PutU16(b.data() + off, v);
        return ReadCv2(b, kFileType2D, out);
    };
    EXPECT_EQ(patched(kPlotWordsAt + 18, 30000), kCv2CannotOpen);  // examples
    EXPECT_EQ(patched(kPlotWordsAt + 18, 0xFFFE), kCv2CannotOpen);  // last index -2
    EXPECT_EQ(patched(kPlotWordsAt + 82, 60000), kCv2CannotOpen);   // name length
    EXPECT_EQ(patched(kExamplesAt + 547, 0xFFFF), kCv2CannotOpen);  // initial conditions
    EXPECT_EQ(patched(kExamplesAt + 547 + 2 + 95 + 95, 300), kCv2CannotOpen);  // text length
    auto b = good;
    SetWord32(b, 15, 100000);
    EXPECT_EQ(ReadCv2(b, kFileType2D, out), kCv2CannotOpen);
    b = good;
    SetWord32(b, 16, -1);
    EXPECT_EQ(ReadCv2(b, kFileType2D, out), kCv2CannotOpen);
    // The picture size: find the placement of the one picture and claim 4 GB.
    const std::vector<std::uint8_t> placement(40, 9);
    b = good;
    auto pic = std::search(b.begin(), b.end(), placement.begin(), placement.end());
    ASSERT_NE(pic, b.end());
    PutU32(&*(pic + 41), 0xFFFFFFFFu);
    EXPECT_EQ(ReadCv2(b, kFileType2D, out), kCv2CannotOpen);
}

TEST(Cv2Codec, RandomDamageNeverCrashesAndAcceptedFilesAreStable) {
    const auto good = WriteCv2(RichDocument());
    std::mt19937 rng(11);
    int accepted = 0;
    for (int round = 0; round < 3000; ++round) {
        auto b = good;
        int flips = 1 + static_cast<int>(rng() % 4);
        for (int k = 0; k < flips; ++k) b[rng() % b.size()] = static_cast<std::uint8_t>(rng());
        Cv2Document d;
        if (ReadCv2(b, kFileType2D, d) != kCv2Ok) continue;
        ++accepted;
        const auto once = WriteCv2(d);
        Cv2Document again;
        ASSERT_EQ(ReadCv2(once, kFileType2D, again), kCv2Ok);
        ASSERT_EQ(WriteCv2(again), once);
    }
    EXPECT_GT(accepted, 100);
}

TEST(Cv2Files, SaveAndLoadThroughTheDisk) {
    char tmpl[] = "/tmp/curvelo_cv2_XXXXXX";
    const std::string dir = ::mkdtemp(tmpl);
    const std::string path = dir + "/rajz.cv2";
    const Cv2Document d = RichDocument();
    ASSERT_EQ(SaveCv2File(path, d), kCv2Ok);
    Cv2Document back;
    ASSERT_EQ(LoadCv2File(path, kFileType2D, back), kCv2Ok);
    ExpectSameDocument(d, back);
    EXPECT_EQ(LoadCv2File(dir + "/nincs.cv2", kFileType2D, back), kCv2CannotOpen);
    EXPECT_EQ(LoadCv2File(dir, kFileType2D, back), kCv2CannotOpen);
    // A folder in the way of the target: the save fails with 412's code.
    ASSERT_EQ(::mkdir((dir + "/mappa.cv2").c_str(), 0755), 0);
    EXPECT_EQ(SaveCv2File(dir + "/mappa.cv2", d), kCv2CannotSave);
    if (::geteuid() != 0) {
        ::chmod(dir.c_str(), 0555);
        EXPECT_EQ(SaveCv2File(path, Cv2Document{}), kCv2CannotSave);
        ::chmod(dir.c_str(), 0755);
        ASSERT_EQ(LoadCv2File(path, kFileType2D, back), kCv2Ok);
        EXPECT_EQ(back.examples.size(), 2u);
    }
    std::system(("rm -rf '" + dir + "'").c_str());
}

TEST(Cv2Codec, DocumentWrittenByHandFromTheFormatNotesOpens) {
    ByteWriter w;
    for (std::int32_t v : {841, 5, 0, 0, 640, 480, 0, 0, 0, -39, 0, 0, 0, 0, 0, 10, 15, 0, 0, 0})
        w.I32(v);
    w.Zeros(40 + 600 + 40 + 68 + 30);
    for (int i = 0; i < 80; ++i) {
        std::uint16_t v = 0;  // word 9 = 0: one example
        if (i == 27 || i == 38) v = 1;
        if (i == 39) v = 112;
        if (i == 40) v = 8;
        if (i == 41) v = 20;
        w.U16(v);
    }
    w.Zeros(50);  // byte 17 = 0: a notepad follows
    for (int i = 0; i < 80; ++i)
        w.Ext80(i == 25 ? 1.01L : i == 41 ? 1.0L : i == 42 ? 100.0L : i == 43 ? 10.0L : 0.0L);
    std::uint8_t record[547] = {};
    PutU16(record, 201);
    record[48] = 1;
    StoreExt80(-2.0L, record + 121);
    StoreExt80(2.0L, record + 141);
    PutU16(record + 461, 4);
    w.Bytes(record, sizeof record);
    w.U16(0);
    w.U16(0);
    for (int t = 0; t < 7; ++t) w.LengthText(t == 1 ? "x^2" : "");
    w.Bytes("parabola", 8);
    w.Zeros(13);
    for (int i = 0; i < 3; ++i) w.LengthText("");
    w.Zeros(1620 + 51);
    w.Zeros(5 * 2);
    w.LengthText("jegyzet \xF5");
    Cv2Document d;
    ASSERT_EQ(ReadCv2(w.Data(), kFileType2D, d), kCv2Ok);
    ASSERT_EQ(d.examples.size(), 1u);
    EXPECT_EQ(d.examples[0].example.kind, 201);
    EXPECT_EQ(d.examples[0].example.texts[1], "x^2");
    EXPECT_EQ(d.examples[0].example.low, -2.0L);
    EXPECT_EQ(d.examples[0].example.penColour, 4);
    EXPECT_EQ(d.examples[0].name, "parabola");
    EXPECT_EQ(d.notepad, "jegyzet ő");
    EXPECT_EQ(d.placement[2], 640);
    EXPECT_EQ(d.pageMeasures[0], -0.39L);
}

TEST(Cv2Files, FailedSaveLeavesTheOldDocumentReadable) {
    char tmpl[] = "/tmp/curvelo_cv2_XXXXXX";
    const std::string dir = ::mkdtemp(tmpl);
    const std::string path = dir + "/rajz.cv2";
    Cv2Document small;
    ASSERT_EQ(SaveCv2File(path, small), kCv2Ok);
    pid_t child = ::fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
        ::signal(SIGXFSZ, SIG_IGN);
        rlimit limit{4000, 4000};
        ::setrlimit(RLIMIT_FSIZE, &limit);
        Cv2Document big = RichDocument();
        big.notepad = std::string(50000, 'n');
        ::_exit(SaveCv2File(path, big) == kCv2CannotSave ? 0 : 1);
    }
    int status = 0;
    ASSERT_EQ(::waitpid(child, &status, 0), child);
    EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0);
    Cv2Document back = RichDocument();
    ASSERT_EQ(LoadCv2File(path, kFileType2D, back), kCv2Ok);
    EXPECT_TRUE(back.examples.empty());
    std::system(("rm -rf '" + dir + "'").c_str());
}

// Every input the document fuzzer was seeded with or ever found troublesome is read again
// here: it must be refused cleanly or survive write -> read -> write unchanged.
TEST(Cv2Files, CorpusReplays) {
    const std::string folder = std::string(CURVELO_SOURCE_DIR) + "/tests/plot2d/cv2_corpus";
    DIR* d = ::opendir(folder.c_str());
    ASSERT_NE(d, nullptr) << folder;
    int files = 0;
    while (dirent* e = ::readdir(d)) {
        if (e->d_name[0] == '.') continue;
        std::vector<std::uint8_t> bytes;
        ASSERT_EQ(ReadFileBounded(folder + "/" + e->d_name, bytes), ReadFileStatus::Ok);
        ++files;
        for (std::int32_t type : {kFileType2D, kFileType3D}) {
            Cv2Document doc;
            if (ReadCv2(bytes, type, doc) != kCv2Ok) continue;
            const auto once = WriteCv2(doc);
            Cv2Document again;
            ASSERT_EQ(ReadCv2(once, type, again), kCv2Ok) << e->d_name;
            EXPECT_EQ(WriteCv2(again), once) << e->d_name;
        }
    }
    ::closedir(d);
    EXPECT_GE(files, 3);
}

TEST(Cv2Codec, LetterStoreGoesThroughTheDocument) {
    LetterStore store;
    SetLetter(store, 1, 2.5L);
    store.LetterLow[1] = {-3.0L, 0};
    store.LetterHigh[1] = {25.0L, 0};
    store.LetterValues[0].im = 0.2L;  // the step of @
    Cv2Document doc;
    CaptureLetters(store, doc);
    Cv2Document back;
    ASSERT_EQ(ReadCv2(WriteCv2(doc), kFileType2D, back), kCv2Ok);
    LetterStore loaded;
    ApplyLetters(back, loaded);
    EXPECT_EQ(GetLetter(loaded, 1), 2.5L);
    EXPECT_EQ(loaded.LetterLow[1].re, -3.0L);
    EXPECT_EQ(loaded.LetterHigh[1].re, 25.0L);
    EXPECT_EQ(loaded.LetterValues[0].im, 0.2L);
    EXPECT_EQ(GetLetter(loaded, kLetterE), GetLetter(store, kLetterE));
}

// Damaged counts for every count that drives drawing work: each is brought into the range
// its dialog accepts when the document is read, and stays there through a save.
TEST(Cv2Codec, DamagedWorkCountsAreClampedToTheDialogRanges) {
    struct Case {
        const char* field;
        std::size_t offset;
        std::uint16_t stored;
        std::uint16_t kind;
        int expected;
        int (*read)(const TExample&);
    };
    const auto density = [](const TExample& e) { return int{e.density}; };
    const auto width = [](const TExample& e) { return int{e.penWidth}; };
    const auto arrow = [](const TExample& e) { return int{e.arrowSize}; };
    const auto steps = [](const TExample& e) { return int{e.familySteps}; };
    const auto delay = [](const TExample& e) { return int{e.familyDelay}; };
    const auto count = [](const TExample& e) { return int{e.kindCount}; };
    const Case cases[] = {
        {"density", TExample::kOffDensity, 0x7FFF, kKindExplicit, 1000, density},
        {"density", TExample::kOffDensity, 0xFFFF, kKindPolar, 1000, density},
        {"density", TExample::kOffDensity, 0, kKindExplicit, 1, density},
        {"pen width", TExample::kOffPenWidth, 0x7FFF, kKindExplicit, 1000, width},
        {"pen width", TExample::kOffPenWidth, 0, kKindParametric, 1, width},
        {"arrow size", TExample::kOffArrowSize, 0xFFFF, kKindParametric, 990, arrow},
        {"family steps", TExample::kOffFamilySteps, 0x7FFF, kKindExplicit, 1000, steps},
        {"family steps", TExample::kOffFamilySteps, 0x8000, kKindExplicit, -1000, steps},
        {"family steps", TExample::kOffFamilySteps, 0xFFFF, kKindExplicit, -1, steps},
        {"family steps", TExample::kOffFamilySteps, 0, kKindPolar, 1, steps},
        {"family delay", TExample::kOffFamilyDelay, 0xFFFF, kKindExplicit, 10000, delay},
        {"iteration steps", TExample::kOffKindCount, 0xFFFF, kKindExplicit, 1000, count},
        {"iteration steps", TExample::kOffKindCount, 0, kKindExplicit, 0, count},
        // The same word means something else for other kinds and is kept.
        {"kind count", TExample::kOffKindCount, 0xFFFF, kKindPolar, 0xFFFF, count},
    };
    for (const Case& c : cases) {
        Cv2Document doc;
        Cv2Example ex;
        ex.example = NewExample(c.kind, 0, 1, 6);
        doc.examples.push_back(ex);
        std::vector<std::uint8_t> bytes = WriteCv2(doc);
        PutU16(bytes.data() + kExamplesAt + c.offset, c.stored);
        Cv2Document back;
        ASSERT_EQ(ReadCv2(bytes, kFileType2D, back), kCv2Ok) << c.field;
        ASSERT_EQ(back.examples.size(), 1u);
        EXPECT_EQ(c.read(back.examples[0].example), c.expected) << c.field << " stored " << c.stored;
        const std::vector<std::uint8_t> saved = WriteCv2(back);
        EXPECT_EQ(GetU16(saved.data() + kExamplesAt + c.offset), static_cast<std::uint16_t>(c.expected)) << c.field;
    }
}
