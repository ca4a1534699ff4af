#include "plot2d/example_table.h"

#include <algorithm>
#include <memory>
#include <vector>

#include "plot2d/example_kinds.h"
#include "plot2d/measure_integrand.h"
#include "plot2d/solution_rows.h"
#include "textwin/value_table.h"

namespace curvelo {
namespace {

// The trees that give the value columns, in column order.
std::vector<int> ValueTrees(std::uint16_t kind) {
    switch (kind) {
    case kKindExplicit: return {1};
    case kKindPolar: return {2, 0, 1};  // r, then the Cartesian point
    case kKindParametric: return {0, 1};
    default: return {};
    }
}

}  // namespace

bool ExampleHasTable(const InventorySlot& slot) {
    return IsEvaluatedTableKind(slot.example.kind) || SolutionCount(slot) > 0;
}

std::string ExampleTableText(FormulaEngine& engine, const InventorySlot& slot,
                             const ExampleTableOptions& options) {
    const TExample& e = slot.example;
    if (IsSolutionTableKind(e.kind))
        return BuildSolutionTable(e.kind, options.width, [&](long double v) { return options.format.FormatForField(v); },
                                  SolutionRows(engine, slot, options.solution, options.stopRequested, options.trajectory));
    // One integrand per column; each puts its letter back when it goes.
    std::vector<std::unique_ptr<TreeIntegrand>> columns;
    for (int tree : ValueTrees(e.kind))
        columns.push_back(std::make_unique<TreeIntegrand>(
            engine.letters, slot.trees[static_cast<std::size_t>(tree)], SampledLetter(e)));

    EvaluatedTable table;
    table.kind = IsEvaluatedTableKind(e.kind) ? e.kind : 0;
    table.low = e.low;
    table.high = e.high;
    table.steps = e.tableSteps;
    table.width = options.width;
    table.stopRequested = options.stopRequested;
    table.number = [&](long double v) { return options.format.FormatForField(v); };
    table.values = [&](long double parameter, std::vector<long double>& values) {
        for (std::size_t i = 0; i < columns.size(); ++i)
            if (!(*columns[i])(parameter, values[i])) return false;
        return true;
    };
    return BuildEvaluatedTable(table);
}

}  // namespace curvelo
