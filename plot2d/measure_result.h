// One entry of an example's result list as a measurement tool archives it: which tool, the
// limits, the value and the step count, in the 74 bytes of a stored result (the last 4 of
// the 78 are the link, written as zero).
#pragma once

#include <array>
#include <cstdint>

#include "plot2d/cv2_document.h"

namespace curvelo {

using ResultRecord = std::array<std::uint8_t, kResultSize>;

struct MeasurementResult {
    std::uint16_t tool = 0;  // the command that made it
    long double low = 0, high = 0, value = 0;
    std::int32_t steps = 0;
    std::uint8_t quantity = 0;  // which number of a tool that reports several (0: the first)

    // Offsets inside the record.
    enum Offset : std::size_t { kOffTool = 0, kOffLow = 2, kOffHigh = 12, kOffValue = 22, kOffSteps = 32, kOffQuantity = 36 };

    ResultRecord Store() const;
    static MeasurementResult Load(const ResultRecord& record);
    bool operator==(const MeasurementResult&) const = default;
};

}  // namespace curvelo
