// One example of a plot window's inventory: the fixed-layout record that documents store
// raw (547 bytes), with every stored field named and kept at its offset. Reserved and
// kind-specific bytes whose meaning lies elsewhere are kept as stored, so a load and a save
// never change them.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

namespace curvelo {

struct TExample {
    static constexpr std::size_t kStoredSize = 547;
    static constexpr int kTexts = 7;
    static constexpr std::size_t kTextCapacity = 255;  // 256-byte buffers with the NUL
    using Image = std::array<std::uint8_t, kStoredSize>;

    // Offsets of the stored image (little-endian, packed).
    enum Offset : std::size_t {
        kOffKind = 0, kOffSubTag = 2, kOffReserved4 = 4, kOffReserved8 = 8, kOffDensity = 12,
        kOffFieldRows = 14, kOffReserved16 = 16, kOffFieldSegment = 18, kOffColourCopy = 20,
        kOffReserved22 = 22, kOffConfirmMark = 24, kOffReserved26 = 26, kOffFamilyDelay = 28,
        kOffArrowSize = 30, kOffReserved32 = 32, kOffKindCount = 34, kOffReserved36 = 36,
        kOffFamilyParam = 40, kOffFamilySteps = 42, kOffReserved44 = 44, kOffFamilyActive = 46,
        kOffIntervalFixed = 47, kOffVisible = 48, kOffFlag49 = 49, kOffPositiveROnly = 50,
        kOffFlag51 = 51, kOffFlags52 = 52, kOffLongSearch = 55, kOffFlag56 = 56,
        kOffPeriodic = 57, kOffArrow = 58, kOffInterpolation = 59, kOffFlag60 = 60,
        kOffParam61 = 61, kOffFamilyLow = 71, kOffFamilyHigh = 81, kOffRangeStart = 91,
        kOffRangeEnd = 101, kOffInts111 = 111, kOffInts117 = 117, kOffLow = 121,
        kOffLow2 = 131, kOffHigh = 141, kOffHigh2 = 151, kOffValues161 = 161,
        kOffValues191 = 191, kOffSaved221 = 221, kOffSaved251 = 251, kOffValue281 = 281,
        kOffValue291 = 291, kOffValue301 = 301, kOffExtra311 = 311, kOffDiscontinuity = 401,
        kOffExtra411 = 411, kOffPenColour = 461, kOffPenWidth = 463, kOffPenStyle = 465,
        kOffPointers = 467,
    };
    // The kind-specific values between 311 and 400 that are named (index into extra311).
    enum Extra311 { kPeriodStart = 3, kPeriodLength = 4, kArrowT = 6, kArrowLength = 7 };

    std::uint16_t kind = 0;
    std::uint16_t subTag = 0;             // 77: texts are not recompiled
    std::array<std::uint8_t, 4> reserved4 = {0xFF, 0xFF, 0xFF, 0xFF};
    std::array<std::uint8_t, 4> reserved8 = {};
    std::uint16_t density = 1;            // "rajz-sűrűség"
    std::uint16_t fieldRows = 20;         // direction-field rows; interpolation node size
    std::uint16_t reserved16 = 1;
    std::uint16_t fieldSegment = 15;      // tenths of a per cent of the screen
    std::uint16_t colourCopy = 0;         // pen colour when the dialog was confirmed
    std::uint16_t reserved22 = 22;
    std::uint16_t confirmMark = 0;        // 0xFFFF once confirmed; point size of kind 218
    std::uint16_t reserved26 = 0;
    std::uint16_t familyDelay = 0;        // ms between observed family passes
    std::uint16_t arrowSize = 0;          // arrow size of kind 203 minus 10
    std::uint16_t reserved32 = 0;
    std::uint16_t kindCount = 0;
    std::array<std::uint16_t, 2> reserved36 = {};  // [0]: number count of kind 215
    std::uint16_t familyParam = 1;        // 1 = A ... 23 = W
    std::int16_t familySteps = 20;
    std::uint16_t tableSteps = 50;        // rows of the table of values, less one
    std::uint8_t familyActive = 0;
    std::uint8_t intervalFixed = 0;
    std::uint8_t visible = 1;
    std::uint8_t flag49 = 0;
    std::uint8_t positiveROnly = 0;       // 202; restriction of 210
    std::uint8_t flag51 = 0;
    std::array<std::uint8_t, 3> flags52 = {1, 1, 1};
    std::uint8_t longSearch = 0;          // 204; polar input of 209
    std::uint8_t flag56 = 0;              // point size switch of 209 and 218
    std::uint8_t periodic = 0;            // 201
    std::uint8_t arrow = 0;               // 203; set for 204 after loading
    std::uint8_t interpolation = 0;       // a 201 made as an interpolation polynomial
    std::uint8_t flag60 = 0;
    long double param61 = 0.2L;
    long double familyLow = 0.0L;
    long double familyHigh = 1.0L;
    long double rangeStart = -5.0L;
    long double rangeEnd = 5.0L;
    std::array<std::uint16_t, 3> ints111 = {36, 36, 36};
    std::array<std::uint16_t, 2> ints117 = {150, 150};
    long double low = -5.0L;              // lower bound of x or t
    long double low2 = 0.0L;
    long double high = 5.0L;              // upper bound of x or t
    long double high2 = 1.0L;
    std::array<long double, 3> values161 = {0, 0, 0};
    std::array<long double, 3> values191 = {1, 1, 1};
    std::array<long double, 3> saved221 = {0, 0, 0};
    std::array<long double, 3> saved251 = {1, 1, 1};
    long double value281 = 0.0L;
    long double value291 = 0.0L;
    long double value301 = 0.0L;
    std::array<long double, 9> extra311 = {};   // 311, 321, ..., 391
    long double discontinuity = 0.0L;     // "szakadási pontok", in pixels
    std::array<long double, 5> extra411 = {};   // 411, 421, ..., 451
    std::uint16_t penColour = 0;
    std::uint16_t penWidth = 1;
    std::uint16_t penStyle = 0;           // 0 solid, 1 dotted, 2 dashed

    // The formula texts 0..6 (bytes as the parser reads them, at most 255 each).
    std::array<std::string, kTexts> texts;

    // The stored image: fields at their offsets, pointer fields as zero.
    Image Store() const;
    // Replaces every stored field from an image; texts are left alone (they are stored
    // apart from the record).
    void Load(const Image& image);
    void Load(const std::uint8_t* image) {
        Image copy;
        for (std::size_t i = 0; i < kStoredSize; ++i) copy[i] = image[i];
        Load(copy);
    }

    bool operator==(const TExample&) const = default;

    // How many stored fields cover each byte of the image (1 for 0..466, 0 for the
    // pointer fields); lets tests prove the layout has no gap and no overlap.
    static std::array<std::uint8_t, kStoredSize> FieldCoverage();
};

// Initial value of a slot of the given kind, as a new example starts: every field at its
// initial value, the range and bounds set, the five default texts copied in and the pen
// colour given. Kind 213 comes back as 201 with the interpolation flag.
TExample NewExample(std::uint16_t kind, long double rangeStart, long double rangeEnd,
                    std::uint16_t penColour);

// The ten-entry palette of curve colours (indexes into the 25-colour table).
constexpr std::array<std::uint16_t, 10> kCurvePalette = {6, 4, 5, 2, 8, 7, 17, 24, 13, 10};

// Colour of a new example: black in black-graphs mode, else palette[counter mod 10].
std::uint16_t DefaultCurveColour(unsigned creationCounter, bool blackGraphs);

// Description of an example built from its formula texts, e.g. "y = xsin(x)".
std::string DescribeExample(const TExample& example);

// The inventory line: "rejtett: " for a hidden example, the name (or the description) and
// for an active family the suffix " osztály[a = lo to hi; 20 lépések : ]". numberFormat is
// the window's printf format for long double ("%7.5Lf"); leading blanks are dropped.
std::string InventoryLine(const TExample& example, std::string_view name,
                          std::string_view numberFormat = "%7.5Lf");

}  // namespace curvelo
