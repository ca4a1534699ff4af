// Drawing of the curves, segments, points, trajectories and sequences of a 3D window: every
// point projected with the window's projection, shown when defined, inside the window and,
// with "A nem láthatóak rejtése", not hidden by a surface; consecutive shown points joined.
#pragma once

#include <functional>

#include "plot2d/inventory.h"
#include "plot3d/hiding_test.h"
#include "plot3d/projection_snapshot.h"
#include "plotwin/draw_surface.h"

namespace curvelo {

struct SpaceDrawContext {
    SpaceDrawContext(DrawSurface& o, FormulaEngine& e, const ProjectionSnapshot& p, HidingTest& h)
        : out(o), engine(e), projection(p), hiding(h) {}
    DrawSurface& out;
    FormulaEngine& engine;
    const ProjectionSnapshot& projection;
    HidingTest& hiding;
    bool hideInvisible = false;
    bool colourOutput = true;
    long double periodTolerance = 1e-9L;
    // Polls the keyboard; null while printing or animating.
    std::function<int()> pollKey;
    // Observe mode: one condition (or start point) of one example shown step by step.
    std::function<int(int delayMs)> showAndWait;
    int observedExample = -1, observedCondition = -1, observeDelayMs = 0;
};

// Draws example `index` when it is one of these kinds; 0 or kDrawStopped (Q).
int DrawSpaceExample(SpaceDrawContext& c, ExampleInventory& inventory, int index);

// Where the segment is drawn with one sample: the inventory holds no explicit or
// cylindrical surface that could hide part of it.
bool SegmentIsOnePiece(const ExampleInventory& inventory);

}  // namespace curvelo
