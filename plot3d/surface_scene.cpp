#include "plot3d/surface_scene.h"

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
    return 0;
}

bool SurfaceScene::IsHidden(FormulaEngine& engine, const Vec3& p) {
    const ScopedSurfaceLetters keepLetters(engine.letters);
    const double q[3] = {static_cast<double>(p.x), static_cast<double>(p.y), static_cast<double>(p.z)};
    return hiding_.IsPointHidden(q);
}

void ComputeAllMeshes(ExampleInventory& inventory, FormulaEngine& engine) {
    for (int x = 0; x < inventory.Count(); ++x) ComputeMesh(inventory.Slot(x), engine);
}

}  // namespace curvelo
