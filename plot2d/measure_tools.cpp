#include "plot2d/measure_tools.h"

#include "expr/eval.h"
#include "expr/math_functions.h"
#include "plot2d/measure_integrand.h"

namespace curvelo {

FormOutcome ReadMeasureLimits(FormulaEngine& engine, const MeasureLimitTexts& texts, MeasureLimits& out) {
    MeasureLimits m;
    if (std::uint16_t code = EvaluateText(engine, texts.low, m.low)) return {code, measureid::kLow};
    if (std::uint16_t code = EvaluateText(engine, texts.high, m.high)) return {code, measureid::kHigh};
    long double steps = 0;
    if (std::uint16_t code = EvaluateText(engine, texts.steps, steps)) return {code, measureid::kSteps};
    if (!(steps >= 1)) return {kMsgNotPositive, measureid::kSteps};
    if (!(steps <= kMaxSubintervals)) return {kMsgOutOfRange, measureid::kSteps};
    m.steps = RoundToInt(steps);
    out = m;
    return {};
}

Measure MeasureOf(int command) {
    return command == measurecmd::kArcLength ? Measure::ArcLength
           : command == measurecmd::kArea    ? Measure::Area
                                             : Measure::Integral;
}

bool CanMeasure(const ExampleInventory& inventory, int index, Measure measure) {
    if (index < 0 || index >= inventory.Count()) return false;
    const std::uint16_t kind = inventory.Slot(index).example.kind;
    return measure == Measure::ArcLength ? HasArcLength(kind) : IsIntegrableFunction(kind);
}

std::uint16_t UseIntegrand(FormulaEngine& engine, const ExampleInventory& inventory, Measure measure, int f,
                           int g, const std::function<void(const Integrand&)>& use) {
    if (!CanMeasure(inventory, f, measure)) return kMsgChoose;
    if (g >= 0 && (measure != Measure::Integral || !CanMeasure(inventory, g, measure))) return kMsgChoose;
    const InventorySlot& slot = inventory.Slot(f);
    OwnedTree made(measure == Measure::ArcLength ? BuildSpeedTree(engine, slot)
                   : measure == Measure::Area    ? BuildAbsoluteTree(slot.trees[1])
                   : g >= 0                      ? BuildDifferenceTree(slot.trees[1], inventory.Slot(g).trees[1])
                                                 : nullptr);
    ExprNode* tree = made ? made.get() : slot.trees[1];
    if (!tree) return kMsgChoose;
    TreeIntegrand integrand(engine.letters, tree, SampledLetter(slot.example));
    use(integrand.AsIntegrand());
    return 0;
}

std::uint16_t MeasureExample(FormulaEngine& engine, const ExampleInventory& inventory, Measure measure,
                             int f, int g, const MeasureLimits& limits, const IntegratorHooks& hooks,
                             SixSums& out) {
    return UseIntegrand(engine, inventory, measure, f, g, [&](const Integrand& integrand) {
        out = IntegrateSixWays(integrand, limits.low, limits.high, limits.steps, hooks);
    });
}

}  // namespace curvelo
