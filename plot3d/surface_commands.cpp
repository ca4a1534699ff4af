#include "plot3d/surface_commands.h"

#include "plot2d/example_kinds.h"
#include "plot3d/surface_kinds.h"
#include "plot3d/surface_mesh.h"

namespace curvelo {

int BeginSurface(ExampleInventory& inventory, std::uint16_t kind) {
    const SurfaceKindInfo* info = FindSurfaceKind(kind);
    if (!info) return -1;
    const int i = inventory.Begin(kind, info->low, info->high);
    if (i < 0) return -1;
    const std::uint16_t next = DefaultCurveColour(inventory.CreationCounter() + 1, inventory.BlackGraphs());
    inventory.At(i) = NewSurfaceExample(kind, inventory.At(i).penColour, next);
    return i;
}

std::uint16_t CommitSurface(ExampleInventory& inventory, int index, FormulaEngine& engine) {
    const std::uint16_t code = inventory.Commit(index, engine);
    InventorySlot& slot = inventory.Slot(index);
    ComputeMesh(slot, engine);
    TExample& e = slot.example;
    if (e.kind == kKindSurfaceExplicit || e.kind == kKindSurfaceImplicit) {
        e.saved221 = e.values161;
        e.saved251 = e.values191;
    }
    return code;
}

bool CanTurn(const TExample& curve) {
    return curve.kind == kKindExplicit || curve.kind == kKindPolar || curve.kind == kKindParametric;
}

int BeginRevolutionOf(ExampleInventory& inventory, const TExample& curve) {
    if (!CanTurn(curve)) return -1;
    const int i = BeginSurface(inventory, kKindRevolution);
    if (i < 0) return -1;
    TExample& e = inventory.At(i);
    // The 2D kinds keep their formulas in the texts the surface of revolution reads: the
    // explicit y in text 1, the polar r in text 2, the parametric x and y in texts 0 and 1.
    e.texts = {"", "", "", "", "", "", ""};
    if (curve.kind == kKindExplicit) e.texts[1] = curve.texts[1];
    if (curve.kind == kKindPolar) e.texts[2] = curve.texts[2];
    if (curve.kind == kKindParametric) {
        e.texts[0] = curve.texts[0];
        e.texts[1] = curve.texts[1];
    }
    e.low = curve.low;
    e.high = curve.high;
    e.penColour = curve.penColour;
    surf::Colour1(e) = curve.penColour;
    return i;
}

}  // namespace curvelo
