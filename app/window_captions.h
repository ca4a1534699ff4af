// Captions of the windows the launcher opens. Untitled windows are numbered by kind, counting
// every window of that kind opened since the program started, closed ones included.
#pragma once

#include <cstdint>
#include <string>

namespace curvelo {

class WindowCaptions {
public:
    // Each call takes the next number of its kind.
    std::string NextPlot2();
    std::string NextPlot3();
    std::string NextManyBody();
    // The domain caption of a mapping pair; the range caption is fixed.
    std::string NextMapDomain(bool complexPlane);
    static std::string MapRange();
    static std::string Guessing();

    std::uint16_t Plot2Count() const { return plot2_; }
    std::uint16_t Plot3Count() const { return plot3_; }
    std::uint16_t MapCount() const { return map_; }
    std::uint16_t ManyBodyCount() const { return manyBody_; }

private:
    static std::string Untitled(std::uint16_t& counter, const char* ext);
    std::uint16_t plot2_ = 0, plot3_ = 0, map_ = 0, manyBody_ = 0;
};

}  // namespace curvelo
