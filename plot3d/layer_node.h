// One level curve as its surface's list keeps it: a start point of the branch in the plane's
// own coordinates, the plane (axis and value) and the pen colour, in a 95-byte list node.
#pragma once

#include <cstdint>

#include "plot2d/cv2_document.h"
#include "plotwin/plot_view.h"

namespace curvelo {

struct LayerCurve {
    WorldPoint start;        // a point of the branch in plane coordinates
    long double value = 0;   // h
    int axis = 2;            // 0: x = h, 1: y = h, 2: z = h
    std::uint16_t colour = 0;
};

// Offsets inside the list record: a, b, h (ext80), the axis as its letter code 24 … 26 and
// the pen colour.
namespace layernode {
inline constexpr std::size_t kA = 0, kB = 10, kValue = 20, kAxisLetter = 34, kColour = 79;
}
Cv2InitialCondition StoreLayerCurve(const LayerCurve& c);
// Hostile bytes give a usable curve: an unknown axis reads as z, a non-finite number as 0.
LayerCurve LoadLayerCurve(const Cv2InitialCondition& node);

}  // namespace curvelo
