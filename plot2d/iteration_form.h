// The iteration diagram's settings of an explicit example: whether it is drawn, the start
// value and the number of steps. Nothing is written unless every field is valid.
#pragma once

#include <string>

#include "expr/engine.h"
#include "plot2d/equation_form.h"
#include "plot2d/example.h"
#include "plotwin/number_format.h"

namespace curvelo {

namespace iterid {
inline constexpr int kActive = 271, kStart = 211, kSteps = 212;
}

// Where the example keeps them: the kind flag at 49, the parameter at 61, the count at 34.
inline bool IterationActive(const TExample& e) { return e.flag49 != 0; }
inline long double IterationStart(const TExample& e) { return e.param61; }
inline int IterationSteps(const TExample& e) { return e.kindCount; }

struct IterationForm {
    bool active = false;
    std::string start, steps;
};

IterationForm IterationFormOf(const TExample& example, const NumberFormat& format);
FormOutcome ApplyIterationForm(const IterationForm& form, FormulaEngine& engine, TExample& example);

}  // namespace curvelo
