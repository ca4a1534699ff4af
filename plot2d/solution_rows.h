// The rows of a stored solution for the table of values: a dy/dx solution from one of its
// initial conditions (x, y at every step), a dx/dt, dy/dt system from one of its initial
// conditions (t, x, y at every point of the trajectory) and a recursive sequence from one of
// its start points (n, x, y for every term), computed as the drawing computes them.
#pragma once

#include <functional>
#include <string>
#include <vector>

#include "expr/engine.h"
#include "plot2d/inventory.h"
#include "plot2d/trace_options.h"
#include "plotwin/plot_view.h"

namespace curvelo {

// Kinds whose table lists a stored solution rather than evaluated formulas.
bool IsSolutionTableKind(std::uint16_t kind);

// How many solutions the example carries (its chain: conditions or start points).
int SolutionCount(const InventorySlot& slot);

// A system's trajectory is traced as the window draws it: in the window's view, whose
// pixels set the tracer's steps and borders, with the window's tolerances. The other kinds
// list their whole solution and need neither.
struct TrajectoryFrame {
    PlotView view;
    TraceOptions tracing;
};

// Rows of solution `solution` (0 ... SolutionCount - 1); empty when there is none. Stops
// early, keeping the rows so far, when `stop` answers true. A trajectory traced both ways
// is listed in the order of time: the backward part reversed, then the forward part.
std::vector<std::vector<long double>> SolutionRows(FormulaEngine& engine, const InventorySlot& slot, int solution,
                                                   const std::function<bool()>& stop = {},
                                                   const TrajectoryFrame& frame = {});

// The caption's method name of a dy/dx solution ("Euler", "modifikált Euler",
// "Runge-Kutta"); empty for other kinds.
std::string SolutionMethodName(const InventorySlot& slot, int solution);

}  // namespace curvelo
