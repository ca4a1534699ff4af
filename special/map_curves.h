// The domain's curves as point sequences for the map: an explicit y = f(x) over its x range,
// a parametric (x(t), y(t)) over its t range. Runs without a window.
#pragma once

#include <vector>

#include "plot2d/inventory.h"
#include "plotwin/plot_view.h"

namespace curvelo {

inline constexpr int kCurveSamples = 1000;

// Whether the map draws the example's image (visible explicit and parametric curves).
bool IsMappedCurve(const TExample& example);
// kCurveSamples + 1 points; an undefined point is NaN, where the image breaks.
std::vector<WorldPoint> SampleCurve(LetterStore& letters, const InventorySlot& slot);

}  // namespace curvelo
