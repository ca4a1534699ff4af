#include "plot2d/table_range_form.h"

#include "expr/eval.h"

namespace curvelo {

TableRangeForm TableRangeFormOf(const TExample& example, const NumberFormat& format) {
    return {format.FormatForField(example.low), format.FormatForField(example.high),
            std::to_string(example.tableSteps)};
}

FormOutcome ApplyTableRangeForm(const TableRangeForm& form, FormulaEngine& engine, TExample& example) {
    constexpr std::uint16_t kInconsistent = 6, kOutOfBounds = 17;
    long double low = 0, high = 0, steps = 0;
    if (std::uint16_t code = EvaluateText(engine, form.low, low)) return {code, tablerangeid::kLow};
    if (std::uint16_t code = EvaluateText(engine, form.high, high)) return {code, tablerangeid::kHigh};
    if (std::uint16_t code = EvaluateText(engine, form.steps, steps)) return {code, tablerangeid::kSteps};
    if (!(high > low + 1e-18L)) return {kInconsistent, tablerangeid::kHigh};
    if (!(steps >= 1)) return {kInconsistent, tablerangeid::kSteps};
    if (steps > kMaxTableSteps) return {kOutOfBounds, tablerangeid::kSteps};
    example.low = low;
    example.high = high;
    example.tableSteps = static_cast<std::uint16_t>(steps);
    return {};
}

}  // namespace curvelo
