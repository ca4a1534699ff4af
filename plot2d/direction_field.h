// The grid of a direction or vector field, anchored at the view centre: rows evenly spaced
// over the view's height, columns spaced so the grid is square on the screen, each grid
// point mirrored about the centre both ways, so the field is symmetric about the centre.
#pragma once

#include <functional>
#include <vector>

#include "plotwin/draw_surface.h"
#include "plotwin/plot_view.h"

namespace curvelo {

inline constexpr int kMinFieldRows = 1, kMaxFieldRows = 1000;
inline constexpr int kMinFieldSegment = 1, kMaxFieldSegment = 1000;  // tenths of a per cent

// One column of grid points (same x), in drawing order.
using FieldColumn = std::vector<WorldPoint>;

// The columns of the grid for the given row count (clamped to its range). Points that the
// mirroring would give twice (on the centre lines) are listed once.
std::vector<FieldColumn> FieldGrid(const PlotView& view, int rows);

enum class FieldStyle { kNone = 0, kDirections = 1, kVectors = 2 };

// The field's direction at a point: (dx, dy) in world units; false where undefined.
using FieldVector = std::function<bool(long double x, long double y, long double& dx, long double& dy)>;

struct FieldSettings {
    FieldStyle style = FieldStyle::kDirections;
    int rows = 20;
    int segmentTenthsPercent = 15;  // of the screen width
};

// Draws the field in the surface's current pen: centred direction segments of the set length,
// or vectors scaled so the longest is that long, with arrow heads. pollColumn is asked after
// each column; true stops the field (Q). Returns false when stopped.
bool DrawField(DrawSurface& surface, const FieldSettings& settings, const FieldVector& vector,
               const std::function<bool()>& pollColumn);

}  // namespace curvelo
