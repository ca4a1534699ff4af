// The measurements of the integration and arc-length dialogs and of the batch command:
// reading the limits and the step count (formulas), choosing the integrand of an example
// and running the six-sum integrator on it.
#pragma once

#include <functional>
#include <string>

#include "expr/engine.h"
#include "plot2d/equation_form.h"
#include "plot2d/inventory.h"
#include "plot2d/six_sum_integrator.h"

namespace curvelo {

namespace measurecmd {
inline constexpr int kIntegral = 721, kIntegralOfDifference = 722, kArcLength = 723, kArea = 724;
}
namespace measureid {
inline constexpr int kExample = 295, kSecondExample = 296, kLow = 211, kHigh = 212, kSteps = 213;
}

// Integral: f (or f - g); ArcLength: the speed of a curve; Area: |f|, the area between the
// graph and the x axis.
enum class Measure { Integral, ArcLength, Area };

// The measure a tool's command takes.
Measure MeasureOf(int command);

struct MeasureLimits {
    long double low = 0, high = 1;
    std::int32_t steps = 10;
};

struct MeasureLimitTexts {
    std::string low, high, steps;
};

// Message codes (400 + code) of the refusals.
inline constexpr std::uint16_t kMsgNotPositive = 14, kMsgChoose = 15, kMsgOutOfRange = 17;

// Reads the limits; a step count below 1 is refused with 14 ("pozitív érték?"), one above
// kMaxSubintervals with 17. The focus names the field to correct.
FormOutcome ReadMeasureLimits(FormulaEngine& engine, const MeasureLimitTexts& texts, MeasureLimits& out);

// Whether example `index` can be measured so (an explicit function for integrals and
// areas, a curve for arc lengths).
bool CanMeasure(const ExampleInventory& inventory, int index, Measure measure);

// Hands `use` the integrand of the measure: f (f - g when g >= 0) for an integral, the
// speed of f for an arc length. 0, or 15 when an example does not suit the measure.
std::uint16_t UseIntegrand(FormulaEngine& engine, const ExampleInventory& inventory, Measure measure, int f,
                           int g, const std::function<void(const Integrand&)>& use);

// The six sums of that integrand; 0 or 15 as above.
std::uint16_t MeasureExample(FormulaEngine& engine, const ExampleInventory& inventory, Measure measure,
                             int f, int g, const MeasureLimits& limits, const IntegratorHooks& hooks,
                             SixSums& out);

}  // namespace curvelo
