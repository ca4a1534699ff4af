// The table of values of one example of a 3D window: a surface's mesh heights as a grid
// under its two parameters, a space curve or segment evaluated at its samples, and a 3D
// system or sequence from its stored solution; other kinds as the plane window lists them.
#pragma once

#include <string>

#include "expr/engine.h"
#include "plot2d/example_table.h"
#include "plot2d/inventory.h"
#include "textwin/value_table.h"

namespace curvelo {

struct SurfaceWork;

// Whether the example has a table in a 3D window.
bool SpaceExampleHasTable(const InventorySlot& slot);

// The solutions listed one after the other (a system's conditions, a sequence's start points).
int SpaceTableSolutions(const InventorySlot& slot);

// The whole text; a surface's mesh is computed first when it is missing or out of date.
std::string SpaceTableText(FormulaEngine& engine, InventorySlot& slot, const ExampleTableOptions& options = {});

// The grid of an explicit (301) or cylindrical (302) surface from its mesh: the heading cell
// "x \ y" or "r \ t" and the second parameter's values, then one row per value of the first
// parameter with its heights; "túl sok adat" when the grid would not fit the table's text.
std::string SurfaceGridTable(std::uint16_t kind, const SurfaceWork& mesh, long double low, long double high,
                             long double low2, long double high2, int width, const TableNumberText& number);

}  // namespace curvelo
