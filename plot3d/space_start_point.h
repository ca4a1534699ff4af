// A 3D sequence's start point as its list node keeps it: the plane start point's fields and
// z at its own offset.
#pragma once

#include <cstddef>

#include "plot2d/cv2_document.h"
#include "plot2d/start_points.h"

namespace curvelo {

// A 3D start point: the 2D fields and z, with the numbers kept as texts when asked.
struct SpaceStartPoint {
    StartPoint p;
    long double z = 0;
};
SpaceStartPoint ReadSpaceStartPoint(const Cv2InitialCondition& record);
void WriteSpaceStartPoint(const SpaceStartPoint& point, Cv2InitialCondition& record);
// Offset of z in the start-point record.
inline constexpr std::size_t kStartPointZ = 20;

}  // namespace curvelo
