#include "plot2d/family_form.h"

#include <cctype>
#include <cstdlib>

#include "expr/eval.h"
#include "plot2d/example_limits.h"

namespace curvelo {
namespace {

// The parameters a family may use: A to W (X, Y, Z are the variables).
constexpr int kLastFamilyLetter = 23;

}  // namespace

FamilyForm FamilyFormOf(const TExample& e, const NumberFormat& format) {
    FamilyForm f;
    f.active = e.familyActive != 0;
    f.observe = e.familySteps < 0;
    const int letter = e.familyParam >= 1 && e.familyParam <= kLastFamilyLetter ? e.familyParam : 1;
    f.letter = std::string(1, static_cast<char>('a' + letter - 1));
    f.low = format.FormatForField(e.familyLow);
    f.high = format.FormatForField(e.familyHigh);
    f.steps = std::to_string(std::abs(e.familySteps));
    f.delay = std::to_string(e.familyDelay);
    return f;
}

FormOutcome ApplyFamilyForm(const FamilyForm& form, FormulaEngine& engine, TExample& example) {
    TExample e = example;
    std::string letter;
    for (char c : form.letter)
        if (c != ' ') letter += static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    if (letter.size() != 1 || letter[0] < 'A' || letter[0] > 'A' + kLastFamilyLetter - 1)
        return {17, famid::kLetter};  // only A to W
    e.familyParam = static_cast<std::uint16_t>(letter[0] - 'A' + 1);
    if (std::uint16_t code = EvaluateText(engine, form.low, e.familyLow)) return {code, famid::kLow};
    if (std::uint16_t code = EvaluateText(engine, form.high, e.familyHigh)) return {code, famid::kHigh};
    std::int32_t steps = 0, delay = 0;
    if (std::uint16_t code = EvaluateInteger(engine, form.steps, kMinFamilySteps, kMaxFamilySteps, steps)) return {code, famid::kSteps};
    if (std::uint16_t code = EvaluateInteger(engine, form.delay, 0, kMaxFamilyDelayMs, delay)) return {code, famid::kDelay};
    e.familySteps = static_cast<std::int16_t>(form.observe ? -steps : steps);
    e.familyDelay = static_cast<std::uint16_t>(delay);
    e.familyActive = form.active ? 1 : 0;
    example = e;
    return {};
}

}  // namespace curvelo
