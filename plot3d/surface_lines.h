// Slow drawing: the mesh lines of a surface sampled point by point, each sample drawn only
// where it is defined, inside the window and visible; and the space segment that axes and
// cell edges are drawn with, hiding its invisible parts on request.
#pragma once

#include <functional>

#include "plot2d/inventory.h"
#include "plot3d/hiding_test.h"
#include "plot3d/projection_snapshot.h"
#include "plotwin/draw_surface.h"

namespace curvelo {

// Status of a drawing that the user stopped with Q.
inline constexpr int kDrawStopped = 81;

struct LineDrawContext {
    DrawSurface& out;
    FormulaEngine& engine;
    const ProjectionSnapshot& projection;
    HidingTest& hiding;
    // Polls the keyboard between lines (and segment samples); the key code, 0 for none.
    std::function<int()> pollKey;
    bool colourOutput = true;
};

// Direction 1: lines of constant second parameter; 2: of constant first parameter.
// Returns 0 or kDrawStopped; what was drawn stays.
int DrawSurfaceLines(LineDrawContext& c, InventorySlot& slot, int direction);

// A segment between two space points: straight when hideInvisible is off, otherwise
// sampled at samples + 1 points joined where they are inside the window and not hidden.
int DrawSegment3D(LineDrawContext& c, const double a[3], const double b[3], int samples, bool hideInvisible);

}  // namespace curvelo
