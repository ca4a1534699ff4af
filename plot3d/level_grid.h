// The layers of a level-curve tool along one axis: the values lower + k · step between the
// bounds, the fields the dialog reads, and the steps to the next and previous layer with
// wrap-around at the ends. Plain arithmetic; the dialog shows what comes out.
#pragma once

#include <array>
#include <cstdint>

#include "plot2d/example.h"

namespace curvelo {

// Axes of the layers: x = h, y = h, z = h (the letter codes 24, 25, 26 less 24).
inline constexpr int kLevelAxisX = 0, kLevelAxisY = 1, kLevelAxisZ = 2;
// Layers one axis may have (the count field is the interval count + 1).
inline constexpr long kMaxLayerCount = 1001;
// Upper bound must exceed the lower one by at least this.
inline constexpr long double kMinLayerSpan = 1e-13L;

struct LevelFields {
    long double lower = 0, upper = 1, current = 0;
    long count = 2;
};

// Whether count, bounds and current value may be used: count 2 … kMaxLayerCount, finite
// bounds at least kMinLayerSpan apart.
bool ValidLevelFields(const LevelFields& f);
bool CurrentInside(const LevelFields& f);

// Value of layer k (k = 0 … count - 1); the last one is the upper bound itself.
long double LayerValue(const LevelFields& f, long k);
// Next layer above the current value (0.01 step of slack), the lower bound after the top.
long double NextLayer(const LevelFields& f);
// Previous layer below it, the upper bound before the bottom.
long double PreviousLayer(const LevelFields& f);

// The fields of an example along an axis: the bounds in its saved box copy (offsets 221 +
// 10 · axis and 251 + 10 · axis) and the interval count in the word at 111 + 2 · axis.
LevelFields StoredLevelFields(const TExample& e, int axis, long double current);
void StoreLevelFields(TExample& e, int axis, const LevelFields& f);

// The level window's view of a layer: the projection kind (6: (y, z), 5: (z, x),
// 3: (x, y)) and the axis names.
int LevelProjectionKind(int axis);
std::array<const char*, 2> LevelAxisNames(int axis);

}  // namespace curvelo
