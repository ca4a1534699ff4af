#include "plot2d/measure_integrand.h"

#include <cmath>

#include "expr/differentiate.h"
#include "expr/eval.h"
#include "expr/node_kinds.h"
#include "plot2d/example_kinds.h"

namespace curvelo {

int SampledLetter(const TExample& e) {
    if (e.kind == kKindExplicit || e.kind == kKindIndefiniteIntegral) return kLetterX;
    if (e.kind == kKindParametric && e.reserved32 > 0 && e.reserved32 < kLetterCount) return e.reserved32;
    return kLetterT;
}

bool IsIntegrableFunction(std::uint16_t kind) { return kind == kKindExplicit; }

bool HasArcLength(std::uint16_t kind) {
    return kind == kKindExplicit || kind == kKindPolar || kind == kKindParametric;
}

ExprNode* BuildSpeedTree(FormulaEngine& engine, const InventorySlot& slot) {
    const std::uint16_t kind = slot.example.kind;
    if (!HasArcLength(kind)) return nullptr;
    const std::uint16_t variable = nk::LetterKind(SampledLetter(slot.example));
    if (kind == kKindExplicit)
        return NewBinary(nk::ABS2, NewNumber(1), Differentiate(engine, slot.trees[1], variable));
    // Parametric examples keep their tangent in trees 4 and 5 (in their own parameter
    // letter); polar ones are differentiated here from their Cartesian trees.
    if (kind == kKindParametric && slot.trees[4] && slot.trees[5])
        return NewBinary(nk::ABS2, CloneTree(slot.trees[4]), CloneTree(slot.trees[5]));
    return NewBinary(nk::ABS2, Differentiate(engine, slot.trees[0], variable),
                     Differentiate(engine, slot.trees[1], variable));
}

ExprNode* BuildAbsoluteTree(const ExprNode* f) { return f ? NewUnary(nk::ABS, CloneTree(f)) : nullptr; }

ExprNode* BuildDifferenceTree(const ExprNode* f, const ExprNode* g) {
    return NewBinary(nk::MINUS, f ? CloneTree(f) : NewNumber(0), g ? CloneTree(g) : NewNumber(0));
}

TreeIntegrand::TreeIntegrand(LetterStore& letters, ExprNode* tree, int letter)
    : letters_(letters), tree_(tree), letter_(letter), saved_(letters.LetterValues[letter]) {}

TreeIntegrand::~TreeIntegrand() { letters_.LetterValues[letter_] = saved_; }

bool TreeIntegrand::operator()(long double x, long double& y) const {
    if (!tree_) return false;
    SetLetter(letters_, letter_, x);
    if (!EvalNode(letters_, tree_)) return false;
    y = tree_->value.re;
    return std::isfinite(y);
}

}  // namespace curvelo
