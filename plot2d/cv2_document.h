// Everything a 2D (or 3D) plot document holds, as plain data: the window that saves fills
// it, the codec writes it, the codec reads it back and the window applies it. No window
// code is involved here.
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <vector>

#include "expr/tree.h"
#include "expr/user_function.h"
#include "plot2d/example.h"

namespace curvelo {

inline constexpr std::int32_t kFileType2D = 841;
inline constexpr std::int32_t kFileType2DVariant = 842;  // the many-body window
inline constexpr std::int32_t kFileType3D = 961;
inline constexpr std::int32_t kCv2Version = 5;

// A 3D document gives the view some places that a 2D window uses for its frame settings;
// a 3D window keeps those settings in these otherwise reserved places instead.
inline constexpr std::size_t kCv3FrameSlots[] = {29, 64, 65, 66, 67};
inline constexpr std::size_t kCv3FrameWords[] = {70, 71, 72};

inline constexpr std::size_t kLogFontSize = 60;
inline constexpr std::size_t kInitialConditionSize = 95;
inline constexpr std::size_t kResultSize = 78;
inline constexpr std::size_t kLabelRecordSize = 179;
inline constexpr std::size_t kMarkRecordSize = 37;
inline constexpr std::size_t kPicturePlacementSize = 40;
inline constexpr std::size_t kExampleNameLength = 20;
inline constexpr std::size_t kNotepadMaxLength = 64000;

struct Cv2Font {
    std::uint32_t attribute = 0;
    std::array<std::uint8_t, kLogFontSize> logFont{};  // the stored logical-font record
    bool operator==(const Cv2Font&) const = default;
};

// One entry of an example's initial-condition list: the raw record (its last 4 bytes are a
// link, written as zero) and, when the 16-bit field at offset 30 is above 1000, four texts.
struct Cv2InitialCondition {
    std::array<std::uint8_t, kInitialConditionSize> record{};
    std::array<std::string, 4> texts;  // formula bytes
    std::uint16_t Field30() const { return GetU16(record.data() + 30); }
    bool HasTexts() const { return Field30() > 1000; }
    bool operator==(const Cv2InitialCondition&) const = default;
};

struct Cv2Example {
    TExample example;  // record and its seven formula texts
    std::vector<Cv2InitialCondition> initialConditions;
    std::vector<std::array<std::uint8_t, kResultSize>> results;  // link bytes written as 0
    std::string name;  // UTF-8, at most 20 characters once converted
    bool operator==(const Cv2Example&) const = default;
};

struct Cv2Picture {
    std::array<std::uint8_t, kPicturePlacementSize> placement{};
    std::uint8_t flags = 0;
    std::vector<std::uint8_t> data;  // vector picture data as stored
    bool operator==(const Cv2Picture&) const = default;
};

// Starting values that already satisfy the clamps applied on reading.
inline std::array<std::uint16_t, 80> DefaultCv2PlotWords() {
    std::array<std::uint16_t, 80> w{};
    w[9] = 0xFFFF;
    w[23] = w[24] = 0xFFFF;
    w[27] = 1;
    w[38] = 1;
    w[39] = 112;
    w[40] = 8;
    w[41] = 20;
    return w;
}
inline std::array<long double, 80> DefaultCv2Numbers() {
    std::array<long double, 80> n{};
    n[25] = 1.01L;
    n[41] = 1.0L;
    n[42] = 100.0L;
    n[43] = 10.0L;
    return n;
}

using Cv2LabelRecord = std::array<std::uint8_t, kLabelRecordSize>;
using Cv2MarkRecord = std::array<std::uint8_t, kMarkRecordSize>;

struct Cv2Document {
    // Block 1: frame header.
    std::int32_t fileType = kFileType2D;
    std::int32_t version = kCv2Version;            // as read; always written as 5
    std::array<std::int32_t, 4> placement = {0, 0, 640, 480};  // x, y, width, height
    std::int32_t maximised = 0;
    std::int32_t windowFlag = 0;
    // Page measures in inches (stored as round(value * 100)).
    std::array<long double, 4> pageMeasures = {-0.3937019154660433L, 0, 0, 0};
    std::array<std::int32_t, 2> windowSwitches = {0, 0};
    // Blocks 2-4: fonts with their attributes, and the ten colours (0x00BBGGRR).
    std::vector<Cv2Font> fonts = std::vector<Cv2Font>(10);
    std::vector<std::uint32_t> colours = std::vector<std::uint32_t>(10, 0);
    // Block 6: window settings words.
    std::vector<std::uint16_t> settingsWords = std::vector<std::uint16_t>(15, 0);
    // Block 7 as read (never written): three buffers of up to 25 bytes.
    std::array<std::vector<std::uint8_t>, 3> globalBuffers;

    // Block 8: plot header words, clamped on reading. Words 9, 41 and 42 are derived from
    // the examples, the names and the lock when writing.
    std::array<std::uint16_t, 80> plotWords = DefaultCv2PlotWords();
    // Block 9: plot switches. Bytes 12 and 17 are derived when writing.
    std::array<std::uint8_t, 50> switches = [] {
        std::array<std::uint8_t, 50> s{};
        s[17] = 1;
        return s;
    }();
    // Block 10: plot numbers, clamped on reading; reserved slots are written as zero.
    std::array<long double, 80> numbers = DefaultCv2Numbers();

    // Block 11.
    std::vector<Cv2Example> examples;

    // Block 12: three window strings (UTF-8).
    std::array<std::string, 3> windowStrings;

    // Block 13: the document lock; present when hasLock. The pass text is held plain here
    // and scrambled only in the file; the other four are the author data.
    bool hasLock = false;
    std::string lockPassText;
    std::array<std::string, 4> authorData;

    // Block 14: the letter store's values, lower and upper bounds (27 letters each).
    std::array<ExtComplex, 27> letterValues{};
    std::array<ExtComplex, 27> letterLow{};
    std::array<ExtComplex, 27> letterHigh{};

    // Block 16.
    UserFunctionList userFunctions;
    std::vector<Cv2LabelRecord> textLabels;
    std::vector<Cv2Picture> pictures;
    std::vector<Cv2LabelRecord> equationLabels;
    std::vector<Cv2MarkRecord> layerMarks;

    // Block 17 (UTF-8); written only when hasNotepad.
    bool hasNotepad = false;
    std::string notepad;

    // Sign-extended selection words 23 and 24 (-1 = none).
    std::int16_t SelectionWord(int which) const {
        return static_cast<std::int16_t>(plotWords[which == 0 ? 23 : 24]);
    }
    // Integer settings held in the numbers block (slots 35, 37, 38, 39, 42, 43), converted
    // safely: NaN gives 0 and values outside the 32-bit range are clamped.
    std::int32_t NumberAsInt(int slot) const;
};

}  // namespace curvelo
