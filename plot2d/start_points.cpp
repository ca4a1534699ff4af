#include "plot2d/start_points.h"

#include <algorithm>
#include <cmath>

#include "expr/byte_io.h"
#include "resources/resources.h"

namespace curvelo {

StartPoint ReadStartPoint(const Cv2InitialCondition& r) {
    const std::uint8_t* b = r.record.data();
    StartPoint p;
    p.x = LoadExt80(b + startpoint::kX);
    p.y = LoadExt80(b + startpoint::kY);
    const long double terms = LoadExt80(b + startpoint::kTerms);
    // A damaged count must not drive a sequence for ever.
    p.terms = std::isfinite(terms) ? static_cast<int>(std::clamp(std::round(terms), 0.0L,
                                                                 static_cast<long double>(kMaxSequenceTerms)))
                                   : 0;
    p.colour = static_cast<std::uint16_t>(std::min<int>(GetU16(b + startpoint::kColour), 24));
    p.width = static_cast<std::uint16_t>(std::clamp<int>(GetU16(b + startpoint::kWidth), 1, 100));
    p.size = static_cast<std::uint16_t>(std::min<int>(GetU16(b + startpoint::kSize), kMaxPointSize));
    p.keepDrawnCount = b[startpoint::kKeepDrawn] != 0;
    return p;
}

void WriteStartPoint(const StartPoint& p, Cv2InitialCondition& r) {
    std::uint8_t* b = r.record.data();
    StoreExt80(p.x, b + startpoint::kX);
    StoreExt80(p.y, b + startpoint::kY);
    StoreExt80(static_cast<long double>(p.terms), b + startpoint::kTerms);
    PutU16(b + startpoint::kColour, p.colour);
    PutU16(b + startpoint::kWidth, p.width);
    PutU16(b + startpoint::kSize, p.size);
    b[startpoint::kKeepDrawn] = p.keepDrawnCount ? 1 : 0;
}

std::string StartPointLine(const StartPoint& p, const NumberFormat& format, const SequenceRun* run) {
    std::string line = "(" + format.FormatForField(p.x) + ", " + format.FormatForField(p.y) + ") " +
                       std::to_string(p.terms) + " tagok";
    if (run && run->period > 0) line += "; " + std::string(res::String(138)) + ": " + std::to_string(run->period);
    return line;
}

}  // namespace curvelo
