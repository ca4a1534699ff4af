#pragma once
// One fuzz input for the formula compiler: compile in real and in complex mode (with two
// user functions defined), then evaluate, clone, differentiate and free the result.
// Shared by the libFuzzer target and by the plain replay of the corpus in the tests.

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <span>
#include <string_view>
#include <vector>

#include "expr/differentiate.h"
#include "expr/eval_cancel.h"
#include "expr/engine.h"
#include "expr/eval.h"
#include "expr/eval_program.h"

namespace curvelo::fuzz {

// Rough number of node evaluations; loops multiply their body. Counts that are not
// constants are unknown and treated as too expensive: a user may ask for 2^31 steps, which
// is legitimate and slow, not a fault.
inline double EvaluationCost(const ExprNode* n) {
  if (!n) return 0.0;
  const double a = EvaluationCost(n->childA), b = EvaluationCost(n->childB),
               c = EvaluationCost(n->childC);
  switch (n->kind) {
    case nk::ITER:
    case nk::ITERD:
      return 1.0 + a + (n->aux < 1 ? 1.0 : static_cast<double>(n->aux)) * (b + 1.0);
    case nk::SUM:
    case nk::PROD: {
      const ExprNode* range = n->childB;
      if (!range || !range->childA || !range->childB || range->childA->kind != nk::NUM ||
          range->childB->kind != nk::NUM)
        return 1e30;
      const long double steps = range->childB->value.re - range->childA->value.re + 1.0L;
      return 1.0 + b + (steps > 0 ? static_cast<double>(steps) : 0.0) * (a + 1.0);
    }
    case nk::PERIODIC:
      return 1e30;
    default:
      return 1.0 + a + b + c;
  }
}

// The flattened evaluation must leave exactly what the tree walk leaves: the defined flag,
// the root's value bit for bit, and the jump flag. Checked at points that reach the
// undefined, overflow and jump branches of the kernels.
inline constexpr long double kAgreementPoints[] = {0.75L, 0.0L, -2.0L, 1e-19L, -3e18L, 7e300L, 4999.5L};

// The batch over the points (repeated past one block, so a block boundary falls inside)
// must give each sample's walk, and leave the letter, the root and the jump flag as the
// last walk does.
inline bool BatchAgreesWithTree(LetterStore& letters, ExprNode* tree, std::span<const long double> points) {
  std::vector<long double> xs;
  if (!points.empty())
    while (xs.size() <= static_cast<std::size_t>(EvalProgram::kBlock)) xs.insert(xs.end(), points.begin(), points.end());
  const int n = static_cast<int>(xs.size());
  if (n == 0) return true;
  const int letter = nk::LetterIndex(nk::X);
  std::vector<long double> values(xs.size());
  std::vector<std::uint8_t> defined(xs.size()), jumps(xs.size());
  EvalProgram program(tree);
  program.RunBatch(letters, letter, xs.data(), n, values.data(), defined.data(), jumps.data());
  const ExtComplex batchLast = tree ? tree->value : ExtComplex{};
  const std::uint8_t batchJump = letters.JumpFlag;
  const ExtComplex batchLetter = letters.LetterValues[letter];
  for (int i = 0; i < n; ++i) {
    SetLetter(letters, letter, xs[i]);
    letters.JumpFlag = 0;
    const bool ok = EvalNode(letters, tree);
    const long double v = tree ? tree->value.re : 0.0L;
    if (ok != (defined[i] != 0) || letters.JumpFlag != jumps[i] || (ok && std::memcmp(&v, &values[i], 10) != 0))
      return false;
  }
  // What an undefined walk leaves in the root depends on earlier walks; only defined values count.
  const ExtComplex walkLast = tree ? tree->value : ExtComplex{};
  const ExtComplex walkLetter = letters.LetterValues[letter];
  const bool lastDefined = defined[static_cast<std::size_t>(n - 1)] != 0;
  return letters.JumpFlag == batchJump &&
         (!lastDefined || (std::memcmp(&walkLast.re, &batchLast.re, 10) == 0 &&
                           std::memcmp(&walkLast.im, &batchLast.im, 10) == 0)) &&
         std::memcmp(&walkLetter.re, &batchLetter.re, 10) == 0 && std::memcmp(&walkLetter.im, &batchLetter.im, 10) == 0;
}

// An ordinary sweep over a few blocks: most blocks stay on the batch's fast path, which the
// agreement points above (each block holds some that leave it) never reach.
inline std::vector<long double> OrdinarySweep() {
  std::vector<long double> xs;
  for (int i = 0; i < 2 * EvalProgram::kBlock + 3; ++i) xs.push_back(-2.4L + i * 0.0371L);
  return xs;
}

inline bool FlatAgreesWithTree(LetterStore& letters, ExprNode* tree,
                               std::span<const long double> points = kAgreementPoints) {
  EvalProgram program(tree);
  if (!program.IsFlat()) return true;
  if (!BatchAgreesWithTree(letters, tree, points) || !BatchAgreesWithTree(letters, tree, OrdinarySweep()))
    return false;
  for (long double x : points) {
    letters.LetterValues[nk::LetterIndex(nk::X)] = {x, 0.0L};
    letters.JumpFlag = 0;
    const bool treeDefined = EvalNode(letters, tree);
    const ExtComplex treeValue = tree->value;
    const std::uint8_t treeJump = letters.JumpFlag;
    letters.JumpFlag = 0;
    const bool flatDefined = program.Run(letters);
    if (flatDefined != treeDefined || letters.JumpFlag != treeJump) return false;
    if (treeDefined && (std::memcmp(&treeValue.re, &tree->value.re, 10) != 0 ||
                        std::memcmp(&treeValue.im, &tree->value.im, 10) != 0))
      return false;
  }
  return true;
}

// Stops an evaluation once the check has been asked a fixed number of times, that is after
// a bounded number of loop steps.
class StepLimit final : public EvalCancelCheck {
 public:
  bool StopRequested() override { return ++asked_ > kChecks; }
  void Reset() { asked_ = 0; }

 private:
  static constexpr int kChecks = 50;
  int asked_ = 0;
};

inline void RunParserFuzzInput(const std::uint8_t* data, std::size_t size) {
  const std::string_view text(reinterpret_cast<const char*>(data), size);
  for (bool complex : {false, true}) {
    FormulaEngine engine;
    engine.SetComplexMode(complex);
    UserFunction f;
    f.SetName("F");
    f.SetDefinition("X^2+EXP(X)");
    engine.userFunctions.Append(f);
    UserFunction g;
    g.SetName("GX");
    g.SetDefinition("MAX(X,Y)-Y");
    g.argCount = 2;
    engine.userFunctions.Append(g);

    if (engine.CompileFormula(text) != 0) {
      if (engine.CompiledTree) std::abort();  // a failed compile must leave the slot empty
      continue;
    }
    ExprNode* tree = engine.TakeCompiledTree();
    constexpr double kBudget = 2e5;
    SetLetter(engine.letters, nk::LetterIndex(nk::X), 0.75L);
    SetLetter(engine.letters, nk::LetterIndex(nk::Y), -1.25L);
    // Every tree is evaluated: a loop that runs long is stopped by the cancel check, as Q or
    // a time limit would stop it.
    StepLimit limit;
    ScopedCancelCheck stopLongLoops(engine.letters, &limit);
    EvalNode(engine, tree);
    if (!complex && EvaluationCost(tree) < kBudget && !FlatAgreesWithTree(engine.letters, tree))
      std::abort();
    // Every tree is differentiated too: the node budget bounds the work; a refused
    // derivative is null, which evaluates as nothing.
    ExprNode* copy = CloneTree(tree);
    ExprNode* derivative = Differentiate(engine, copy, nk::X);
    if (!TreesEqual(copy, tree)) std::abort();  // the input is left as it was
    limit.Reset();
    ClearEvalCancel(engine.letters);
    EvalNode(engine, derivative);
    FreeTree(derivative);
    FreeTree(copy);
    FreeTree(tree);
  }
}

}  // namespace curvelo::fuzz
