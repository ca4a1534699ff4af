// The interval and step count of an example's table of values ("Táblázatok paraméterei").
// Nothing is written unless every field is valid.
#pragma once

#include <string>

#include "expr/engine.h"
#include "plot2d/equation_form.h"
#include "plot2d/example.h"
#include "plotwin/number_format.h"

namespace curvelo {

namespace tablerangeid {
inline constexpr int kLow = 211, kHigh = 212, kSteps = 213;
}

// The record holds the step count in a 16-bit word.
inline constexpr long double kMaxTableSteps = 65535;

struct TableRangeForm {
    std::string low, high, steps;
};

TableRangeForm TableRangeFormOf(const TExample& example, const NumberFormat& format);
// Bounds and count are formulas; a high bound not above the low one (by more than 1e-18) or
// a count below 1 is inconsistent (6), a count beyond the record's word out of bounds (17).
FormOutcome ApplyTableRangeForm(const TableRangeForm& form, FormulaEngine& engine, TExample& example);

}  // namespace curvelo
