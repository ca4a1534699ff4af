// The rows of a stored solution for the table of values: a dy/dx solution from one of its
// initial conditions (x, y at every step) and a recursive sequence from one of its start
// points (n, x, y for every term), computed as the drawing computes them but without a view.
#pragma once

#include <functional>
#include <string>
#include <vector>

#include "expr/engine.h"
#include "plot2d/inventory.h"

namespace curvelo {

// Kinds whose table lists a stored solution rather than evaluated formulas.
bool IsSolutionTableKind(std::uint16_t kind);

// How many solutions the example carries (its chain: conditions or start points).
int SolutionCount(const InventorySlot& slot);

// Rows of solution `solution` (0 ... SolutionCount - 1); empty when there is none. Stops
// early, keeping the rows so far, when `stop` answers true.
std::vector<std::vector<long double>> SolutionRows(FormulaEngine& engine, const InventorySlot& slot, int solution,
                                                   const std::function<bool()>& stop = {});

// The caption's method name of a dy/dx solution ("Euler", "modifikált Euler",
// "Runge-Kutta"); empty for other kinds.
std::string SolutionMethodName(const InventorySlot& slot, int solution);

}  // namespace curvelo
