// The family of an example: the same curve drawn once per value of a parameter letter
// stepping from a lower to an upper bound. The form reads the family dialog's fields;
// nothing is written into the example unless all of them are valid.
#pragma once

#include <string>

#include "expr/engine.h"
#include "plot2d/equation_form.h"
#include "plot2d/example.h"
#include "plotwin/number_format.h"

namespace curvelo {

namespace famid {
inline constexpr int kActive = 271, kObserve = 272, kLetter = 211, kLow = 212, kHigh = 213,
                     kSteps = 214, kDelay = 215;
}

struct FamilyForm {
    bool active = false, observe = false;
    std::string letter, low, high, steps, delay;
};

FamilyForm FamilyFormOf(const TExample& example, const NumberFormat& format);
// Code 0, or the message number less 400 with the field to correct.
FormOutcome ApplyFamilyForm(const FamilyForm& form, FormulaEngine& engine, TExample& example);

}  // namespace curvelo
