#include "plot3d/layer_node.h"

#include <algorithm>
#include <cmath>

#include "expr/byte_io.h"
#include "expr/letters.h"
#include "plot3d/level_grid.h"
#include "plotwin/colour_table.h"

namespace curvelo {
namespace {

long double Finite(long double v) { return std::isfinite(v) ? v : 0.0L; }

}  // namespace

Cv2InitialCondition StoreLayerCurve(const LayerCurve& c) {
    Cv2InitialCondition node;
    std::uint8_t* r = node.record.data();
    StoreExt80(c.start.x, r + layernode::kA);
    StoreExt80(c.start.y, r + layernode::kB);
    StoreExt80(c.value, r + layernode::kValue);
    PutU16(r + layernode::kAxisLetter, static_cast<std::uint16_t>(kLetterX + std::clamp(c.axis, 0, 2)));
    PutU16(r + layernode::kColour, c.colour);
    return node;
}

LayerCurve LoadLayerCurve(const Cv2InitialCondition& node) {
    const std::uint8_t* r = node.record.data();
    LayerCurve c;
    c.start = {Finite(LoadExt80(r + layernode::kA)), Finite(LoadExt80(r + layernode::kB))};
    c.value = Finite(LoadExt80(r + layernode::kValue));
    const int letter = GetU16(r + layernode::kAxisLetter);
    c.axis = letter >= kLetterX && letter <= kLetterZ ? letter - kLetterX : kLevelAxisZ;
    c.colour = static_cast<std::uint16_t>(GetU16(r + layernode::kColour) % kColourCount);
    return c;
}

}  // namespace curvelo
