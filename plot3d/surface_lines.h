// Slow drawing: the mesh lines of a surface sampled point by point, each sample drawn only
// where it is defined, inside the window and visible.
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
    // Polls the keyboard between lines; the key code, 0 for none.
    std::function<int()> pollKey;
    bool colourOutput = true;
};

// Direction 1: lines of constant second parameter; 2: of constant first parameter.
// Returns 0 or kDrawStopped; what was drawn stays.
int DrawSurfaceLines(LineDrawContext& c, InventorySlot& slot, int direction);

}  // namespace curvelo
