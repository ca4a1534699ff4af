// Plane sections of an explicit surface z = f(x, y): the curves the planes x = h and y = h cut
// from it over its box, where they cross, and the tangent plane there. Plain sampling; the
// slice dialog moves the planes and the 3D window draws what comes out.
#pragma once

#include <array>
#include <functional>
#include <vector>

#include "expr/letters.h"
#include "plot2d/inventory.h"
#include "plotwin/draw_surface.h"
#include "plotwin/vec3.h"

namespace curvelo {

// Samples along a section curve; a piece ends where f is undefined.
inline constexpr int kSectionSamples = 240;
// The tangent plane is drawn as this fraction of the box's x and y extents, each way.
inline constexpr long double kTangentFraction = 0.2L;

using SpacePolyline = std::vector<Vec3>;

// The section of the surface by x = h (axis 0) or y = h (axis 1) over the box's other range.
std::vector<SpacePolyline> SectionCurve(const InventorySlot& slot, LetterStore& letters, int axis, long double h,
                                        int samples = kSectionSamples);

struct TangentPlane {
    bool defined = false;
    Vec3 point;                // (x0, y0, f(x0, y0))
    long double fx = 0, fy = 0;  // the partial derivatives there
    std::array<Vec3, 4> corners{};
    long double At(long double x, long double y) const { return point.z + fx * (x - point.x) + fy * (y - point.y); }
};
// The tangent plane at (x0, y0), by central differences a millionth of the box wide; a
// square of kTangentFraction of the box about the point.
TangentPlane TangentAt(const InventorySlot& slot, LetterStore& letters, long double x0, long double y0);

// What the 3D window shows while the slice dialog is open.
struct SliceOverlay {
    int example = -1;  // -1: nothing
    long double hx = 0, hy = 0;
    bool tangent = false;
    // Static mode: the planes passed during a playback stay drawn.
    std::vector<long double> keptX, keptY;
};
// Draws the overlay through `project` (space point to the target's world coordinates).
void DrawSliceOverlay(DrawSurface& out, const SliceOverlay& overlay, const InventorySlot& slot, LetterStore& letters,
                      const std::function<WorldPoint(const Vec3&)>& project);

}  // namespace curvelo
