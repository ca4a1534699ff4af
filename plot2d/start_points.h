// The start points of a recursive sequence: entries of the example's initial-condition
// list (the same 95-byte records the differential equations keep), read and written at
// their offsets so the bytes a sequence does not use survive unchanged.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "plot2d/cv2_document.h"
#include "plotwin/number_format.h"

namespace curvelo {

// Terms one start point may ask for; a larger stored count is read as this.
inline constexpr int kMaxSequenceTerms = 100000;
// Start points one sequence may hold.
inline constexpr int kMaxStartPoints = 100;
// Two terms closer than this count as one point, unless the window says otherwise.
inline constexpr long double kDefaultPeriodTolerance = 1e-9L;
// Largest point size the dialogs accept (600ths of the picture width).
inline constexpr int kMaxPointSize = 100;

// What one start point of a sequence gave when last drawn: the terms drawn and, when the
// sequence came back to its start, its period (0: not periodic).
struct SequenceRun {
    int drawn = 0;
    int period = 0;
};

struct StartPoint {
    long double x = 0, y = 0;
    int terms = 20;             // "tagok", the number of terms to draw
    std::uint16_t colour = 0;   // pen colour index
    std::uint16_t width = 1;    // pen width
    std::uint16_t size = 3;     // point size
    bool keepDrawnCount = false;  // the terms become the count actually drawn, less one
};

// Offsets inside the record (x, y, the terms, the pen as the other lists use them).
namespace startpoint {
inline constexpr std::size_t kX = 0, kY = 10, kTerms = 43, kColour = 79, kWidth = 83, kSize = 57,
                             kKeepDrawn = 59;
}

StartPoint ReadStartPoint(const Cv2InitialCondition& record);
// Writes the fields into the record, keeping its other bytes.
void WriteStartPoint(const StartPoint& point, Cv2InitialCondition& record);
// The list line of a start point: "(x, y) 20 tagok", and the period when one was found.
std::string StartPointLine(const StartPoint& point, const NumberFormat& format, const SequenceRun* run = nullptr);

}  // namespace curvelo
