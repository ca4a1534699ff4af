#include "plot3d/surface_scene.h"

#include "plot3d/space_drawing.h"
#include "plot3d/space_kinds.h"
#include "plot3d/surface_kinds.h"
#include "plot3d/surface_lines.h"
#include "plot3d/surface_mesh.h"

namespace curvelo {

int SurfaceScene::DrawExamples(DrawSurface& out, ExampleInventory& inventory, FormulaEngine& engine,
                               const View3D& view, const SceneOutput& output) {
    projection_ = ProjectionSnapshot(view);
    settings_ = VisibilityOf(view);
    output_ = output;
    hiding_.Prepare(inventory, engine, projection_, settings_);
    if (int status = painter_.DrawFastSurfaces(out, inventory, projection_, output.colourOutput)) return status;
    LineDrawContext c{out, engine, projection_, hiding_, output.pollKey, output.colourOutput};
    for (int x = 0; x < inventory.Count(); ++x) {
        InventorySlot& slot = inventory.Slot(x);
        const TExample& e = slot.example;
        if (!e.visible || !IsMeshKind(e.kind) || !surf::Slow(e)) continue;
        for (int direction = 1; direction <= 2; ++direction)
            if (int status = DrawSurfaceLines(c, slot, direction)) return status;
    }
    return DrawSpaceExamples(out, inventory, engine);
}

int SurfaceScene::DrawSpaceExamples(DrawSurface& out, ExampleInventory& inventory, FormulaEngine& engine) {
    SpaceDrawContext c{out, engine, projection_, hiding_};
    c.hideInvisible = output_.hideInvisible;
    c.colourOutput = output_.colourOutput;
    c.periodTolerance = output_.periodTolerance;
    c.pollKey = output_.pollKey;
    c.showAndWait = output_.showAndWait;
    c.observedExample = output_.observedExample;
    c.observedCondition = output_.observedCondition;
    c.observeDelayMs = output_.observeDelayMs;
    for (int x = 0; x < inventory.Count(); ++x)
        if (int status = DrawSpaceExample(c, inventory, x)) return status;
    return 0;
}

bool SurfaceScene::IsHidden(FormulaEngine& engine, const Vec3& p) {
    const ScopedSurfaceLetters keepLetters(engine.letters);
    const double q[3] = {static_cast<double>(p.x), static_cast<double>(p.y), static_cast<double>(p.z)};
    return hiding_.IsPointHidden(q);
}

void ComputeAllMeshes(ExampleInventory& inventory, FormulaEngine& engine) {
    for (int x = 0; x < inventory.Count(); ++x)
        if (!ComputeSpaceBox(inventory.Slot(x), engine)) ComputeMesh(inventory.Slot(x), engine);
}

}  // namespace curvelo
