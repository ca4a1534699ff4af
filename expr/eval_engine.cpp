// Entry points that take a window's engine: evaluation through its letter store, and the
// number fields of dialogs, which are formulas compiled by the engine.
#include "expr/engine.h"
#include "expr/eval.h"
#include "expr/eval_cancel.h"

namespace curvelo {

bool EvalNode(FormulaEngine& engine, ExprNode* node) { return EvalNode(engine.letters, node); }

bool EvalAt(FormulaEngine& engine, ExprNode* tree, int k, long double v, long double& result) {
    return EvalAt(engine.letters, tree, k, v, result);
}

bool EvalAtComplex(FormulaEngine& engine, ExprNode* tree, int k, ExtComplex v, ExtComplex& result) {
    return EvalAtComplex(engine.letters, tree, k, v, result);
}

std::uint16_t FindSignChange(FormulaEngine& engine, ExprNode* tree, int k, long double a, long double b,
                             long double& root) {
    return FindSignChange(engine.letters, tree, k, a, b, root);
}

std::uint16_t EvaluateText(FormulaEngine& engine, std::string_view text, long double& value) {
    value = 0.0L;
    // Number fields are real even in a complex window; the flag is flipped without
    // touching the letters.
    const std::uint8_t mode = engine.letters.ComplexMode;
    engine.letters.ComplexMode = 0;
    ClearEvalCancel(engine.letters);  // a field is evaluated afresh, whatever stopped before
    std::uint16_t code = engine.CompileFormula(text);
    if (code == 0) {
        ExprNode* tree = engine.TakeCompiledTree();
        if (EvalNode(engine.letters, tree) && !EvalCancelled(engine.letters) && tree)
            value = tree->value.re;
        else
            code = kEvalUndefined;
        FreeTree(tree);
    }
    engine.letters.ComplexMode = mode;
    return code;
}

std::uint16_t EvaluateInteger(FormulaEngine& engine, std::string_view text, std::int32_t lo, std::int32_t hi,
                              std::int32_t& value) {
    value = 0;
    long double v = 0.0L;
    const std::uint16_t code = EvaluateText(engine, text, v);
    if (code != 0) return code;
    if (!(v >= static_cast<long double>(lo) && v <= static_cast<long double>(hi))) return kEvalOutOfRange;
    value = RoundToInt(v);
    return 0;
}

std::uint16_t EvaluateInteger16(FormulaEngine& engine, std::string_view text, std::int16_t lo, std::int16_t hi,
                                std::int16_t& value) {
    value = 0;
    std::int32_t wide = 0;
    const std::uint16_t code = EvaluateInteger(engine, text, lo, hi, wide);
    if (code == 0) value = static_cast<std::int16_t>(wide);
    return code;
}

}  // namespace curvelo
