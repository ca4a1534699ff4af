// The table of values of one example of a 2D window: its formulas evaluated at the table's
// interval and step count, in the window's number format.
#pragma once

#include <functional>
#include <string>

#include "expr/engine.h"
#include "plot2d/inventory.h"
#include "plot2d/solution_rows.h"
#include "plotwin/number_format.h"

namespace curvelo {

inline constexpr int kDefaultTableColumnWidth = 14;

struct ExampleTableOptions {
    int width = kDefaultTableColumnWidth;
    NumberFormat format;
    std::function<bool()> stopRequested;
    int solution = 0;  // which solution of a differential equation or sequence is listed
    TrajectoryFrame trajectory;  // where a system's trajectories are traced
};

// The whole text (every page); the "no table" text for an example that has none. The
// letter the example runs in gets its value back afterwards. A dy/dx equation or a sequence
// lists one of its stored solutions.
// Whether the example has a table: evaluated formulas, or at least one stored solution.
bool ExampleHasTable(const InventorySlot& slot);

std::string ExampleTableText(FormulaEngine& engine, const InventorySlot& slot,
                             const ExampleTableOptions& options = {});

}  // namespace curvelo
