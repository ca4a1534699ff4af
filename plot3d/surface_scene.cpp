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

int SurfaceScene::DrawSegment(DrawSurface& out, FormulaEngine& engine, const Vec3& a, const Vec3& b, int samples) {
    LineDrawContext c{out, engine, projection_, hiding_, output_.pollKey, output_.colourOutput};
    const double pa[3] = {static_cast<double>(a.x), static_cast<double>(a.y), static_cast<double>(a.z)};
    const double pb[3] = {static_cast<double>(b.x), static_cast<double>(b.y), static_cast<double>(b.z)};
    return DrawSegment3D(c, pa, pb, samples, settings_.hideInvisible);
}

bool SurfaceScene::IsHidden(const Vec3& p) {
    const double q[3] = {static_cast<double>(p.x), static_cast<double>(p.y), static_cast<double>(p.z)};
    return hiding_.IsPointHidden(q);
}

void DrawAxisSketch(DrawSurface& out, Rgb colour, int width) {
    const PlotView& v = out.View();
    const int w = v.ClientWidth(), h = v.ClientHeight();
    // The three lines meet a little below the middle, so the upward one is the longest.
    const int cx = w / 2, cy = h / 2 + h / 8;
    const WorldPoint origin = v.PixelToWorld(cx, cy);
    const WorldPoint ends[3] = {v.PixelToWorld(20, h - h / 8), v.PixelToWorld(w - 20, h - h / 8),
                                v.PixelToWorld(cx, 20)};
    const char* names[3] = {"x", "y", "z"};
    const int place[3][2] = {{1, -1}, {-1, -1}, {0, -1}};
    out.Save();
    out.SetPen(colour, width, LineStyle::kSolid);
    out.SetTextColour(colour);
    out.SetFont(kFontAxisTitles);
    for (int k = 0; k < 3; ++k) {
        out.Segment(origin, ends[k]);
        out.Label(ends[k], names[k], place[k][0], place[k][1], LabelRole::kAxisTitle);
    }
    out.Restore();
}

void ComputeAllMeshes(ExampleInventory& inventory, FormulaEngine& engine) {
    for (int x = 0; x < inventory.Count(); ++x) ComputeMesh(inventory.Slot(x), engine);
}

std::vector<Box3> ExampleBoxes(const ExampleInventory& inventory) {
    std::vector<Box3> boxes;
    for (int x = 0; x < inventory.Count(); ++x) {
        const TExample& e = inventory.Slot(x).example;
        if (!e.visible || e.kind < 300) continue;
        boxes.push_back({{e.values161[0], e.values161[1], e.values161[2]}, {e.values191[0], e.values191[1], e.values191[2]}});
    }
    return boxes;
}

}  // namespace curvelo
