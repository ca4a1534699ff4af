// Clipping of a segment to an axis-parallel rectangle.
#pragma once

#include "plotwin/plot_view.h"

namespace curvelo {

// Cuts p-q to the rectangle [left, right] x [bottom, top]; false when no part lies inside
// (or the rectangle is empty). A point segment inside the rectangle is kept.
bool ClipToRect(WorldPoint& p, WorldPoint& q, long double left, long double right,
                long double bottom, long double top);

}  // namespace curvelo
