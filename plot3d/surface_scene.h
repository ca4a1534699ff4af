// What a 3D window draws from its inventory, in order: the fast surfaces by the painter's
// algorithm, then the slow surfaces' mesh lines in inventory order; afterwards the same
// visibility test serves the axes and the cell.
#pragma once

#include <functional>
#include <vector>

#include "plot2d/inventory.h"
#include "plot3d/hiding_test.h"
#include "plot3d/projection_snapshot.h"
#include "plot3d/surface_painter.h"
#include "plot3d/view3d.h"
#include "plotwin/draw_surface.h"

namespace curvelo {

struct SceneOutput {
    bool colourOutput = true;
    // Polls the keyboard between slow lines; null during an animation or an export.
    std::function<int()> pollKey;
    // Curves, points and solutions: hidden parts left out ("A nem láthatóak rejtése"), and
    // one solution observed step by step.
    bool hideInvisible = false;
    long double periodTolerance = 1e-9L;
    std::function<int(int delayMs)> showAndWait;
    int observedExample = -1, observedCondition = -1, observeDelayMs = 0;
};

class SurfaceScene {
public:
    // Draws the examples; 0, kDrawStopped (Q) or kDrawOutOfMemory. An empty inventory draws
    // nothing here: the window shows the axis sketch instead.
    int DrawExamples(DrawSurface& out, ExampleInventory& inventory, FormulaEngine& engine, const View3D& view,
                     const SceneOutput& output);
    // Whether a space point is hidden by a surface (axes, cell edges), after DrawExamples.
    bool IsHidden(FormulaEngine& engine, const Vec3& p);

    const SurfacePainter& Painter() const { return painter_; }

private:
    // Curves, points and solutions, after the surfaces, in inventory order.
    int DrawSpaceExamples(DrawSurface& out, ExampleInventory& inventory, FormulaEngine& engine);

    SurfacePainter painter_;
    HidingTest hiding_;
    ProjectionSnapshot projection_{View3D{}};
    VisibilitySettings settings_;
    SceneOutput output_;
};

// Recomputes every surface's mesh (and automatic box) and every other example's box; the
// window then recomputes its cell.
void ComputeAllMeshes(ExampleInventory& inventory, FormulaEngine& engine);

}  // namespace curvelo
