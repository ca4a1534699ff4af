#include "plot2d/iteration_form.h"

#include "expr/eval.h"
#include "plot2d/example_limits.h"

namespace curvelo {

IterationForm IterationFormOf(const TExample& e, const NumberFormat& format) {
    IterationForm f;
    f.active = IterationActive(e);
    f.start = format.FormatForField(IterationStart(e));
    f.steps = std::to_string(IterationSteps(e) >= 1 ? IterationSteps(e) : 10);
    return f;
}

FormOutcome ApplyIterationForm(const IterationForm& form, FormulaEngine& engine, TExample& example) {
    long double start = 0;
    if (std::uint16_t code = EvaluateText(engine, form.start, start)) return {code, iterid::kStart};
    std::int32_t steps = 0;
    if (std::uint16_t code = EvaluateInteger(engine, form.steps, kMinIterationSteps, kMaxIterationSteps, steps))
        return {code, iterid::kSteps};
    example.flag49 = form.active ? 1 : 0;
    example.param61 = start;
    example.kindCount = static_cast<std::uint16_t>(steps);
    return {};
}

}  // namespace curvelo
