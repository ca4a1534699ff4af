// The inventory side of the surface commands: a new surface with its kind's defaults, its
// commit with the mesh, and the surface of revolution made from a 2D window's curve.
#pragma once

#include <cstdint>

#include "expr/engine.h"
#include "plot2d/inventory.h"

namespace curvelo {

// Begins a new surface of the kind in the next slot; -1 when the inventory is full (404).
int BeginSurface(ExampleInventory& inventory, std::uint16_t kind);
// Commits the surface begun last and computes its mesh; a new explicit surface's box is
// also kept in the saved copies. Returns the compile code.
std::uint16_t CommitSurface(ExampleInventory& inventory, int index, FormulaEngine& engine);
// Whether a 2D example can be turned into a surface of revolution (explicit, polar and
// parametric curves).
bool CanTurn(const TExample& curve);
// Begins a surface of revolution of the 2D curve about the x axis over the curve's range;
// -1 when the inventory is full.
int BeginRevolutionOf(ExampleInventory& inventory, const TExample& curve);

}  // namespace curvelo
