// What a 3D window draws from its inventory, in order: the fast surfaces by the painter's
// algorithm, then the slow surfaces' mesh lines in inventory order; and the space segments
// of the axes and the cell drawn afterwards with the same visibility test.
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
};

class SurfaceScene {
public:
    // Draws the examples; 0, kDrawStopped (Q) or kDrawOutOfMemory. An empty inventory draws
    // nothing here: the window shows the axis sketch instead.
    int DrawExamples(DrawSurface& out, ExampleInventory& inventory, FormulaEngine& engine, const View3D& view,
                     const SceneOutput& output);
    // A space segment after DrawExamples: straight, or with its hidden parts left out when
    // the view hides invisible parts. samples is the number of visibility steps.
    int DrawSegment(DrawSurface& out, FormulaEngine& engine, const Vec3& a, const Vec3& b, int samples);
    // Whether a space point is hidden by a surface (axis labels), after DrawExamples.
    bool IsHidden(const Vec3& p);

    const SurfacePainter& Painter() const { return painter_; }

private:
    SurfacePainter painter_;
    HidingTest hiding_;
    ProjectionSnapshot projection_{View3D{}};
    VisibilitySettings settings_;
    SceneOutput output_;
};

// The sketch of an empty 3D window: three lines from near the middle of the client area,
// down to the left, down to the right and up, labelled x, y and z at their outer ends.
void DrawAxisSketch(DrawSurface& out, Rgb colour, int width);

// Recomputes every surface's mesh (and automatic box); the window then recomputes its cell.
void ComputeAllMeshes(ExampleInventory& inventory, FormulaEngine& engine);
// The boxes of the visible examples that have one, for the automatic cell.
std::vector<Box3> ExampleBoxes(const ExampleInventory& inventory);

}  // namespace curvelo
