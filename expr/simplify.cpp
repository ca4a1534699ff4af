#include "expr/simplify.h"

#include <algorithm>
#include <cmath>

#include "expr/engine.h"
#include "expr/eval.h"
#include "expr/letters.h"
#include "expr/math_functions.h"
#include "expr/tree.h"

namespace curvelo {

namespace {

constexpr int kSampleAttempts = 100;
constexpr long double kSampleLow = -5.0L;
constexpr long double kSampleWidth = 10.0L;

long double RandomCoordinate() { return kSampleLow + kSampleWidth * RandomUnit(); }

bool IsNum(const ExprNode* n) { return n && n->kind == nk::NUM; }

bool NumNear(const ExprNode* n, long double target) {
  return IsNum(n) && std::fabs(n->value.re - target) + std::fabs(n->value.im) < kTiny;
}

// The node takes over the contents of one of its children; the rest is freed.
void ReplaceByChild(ExprNode* node, ExprNode* ExprNode::*which) {
  ExprNode* keep = node->*which;
  if (!keep) return;
  node->*which = nullptr;
  FreeTree(node->childA);
  FreeTree(node->childB);
  FreeTree(node->childC);
  *node = *keep;
  keep->childA = keep->childB = keep->childC = nullptr;
  FreeTree(keep);
}

void ReplaceByConstant(ExprNode* node, long double value) { MakeConstant(node, {value, 0.0L}); }

// Sampling and folding evaluate the user's loops. A loop step evaluates at most the whole
// tree, so steps x tree size bounds the work: plenty for any sensible formula, and a huge
// sum cannot freeze its compilation. A loop that runs out is left for drawing time.
constexpr std::int64_t kSimplifyNodeBudget = 500'000;
constexpr std::int64_t kSimplifyMinLoopSteps = 1000;
// The sampling evaluates the whole tree up to kSampleAttempts times; a tree as large as a
// long derivative gets fewer tries, so that it cannot take seconds.
constexpr int kSampleNodeBudget = 2'000'000;

class Simplifier {
 public:
  explicit Simplifier(FormulaEngine& engine)
      : engine_(engine), savedBudget_(engine.letters.LoopBudget) {}
  ~Simplifier() { engine_.letters.LoopBudget = savedBudget_; }
  Simplifier(const Simplifier&) = delete;
  Simplifier& operator=(const Simplifier&) = delete;

  void Run(ExprNode* tree) {
    LetterStore& letters = engine_.letters;
    const int size = std::max(1, TreeSize(tree));
    letters.LoopBudget = std::max(kSimplifyMinLoopSteps, kSimplifyNodeBudget / size);
    const int attempts = std::clamp(kSampleNodeBudget / size, 1, kSampleAttempts);
    const bool complex = letters.IsComplex();
    if (complex) ImaginaryUnitLeaves(tree);

    SaveLetters(letters);
    const std::uint8_t jump = letters.JumpFlag;
    bool defined = false;
    for (int i = 0; i < attempts && !defined; ++i) {
      for (int k : {kLetterX, kLetterY, kLetterZ}) {
        const long double re = RandomCoordinate();
        const long double im = complex ? RandomCoordinate() : 0.0L;
        letters.LetterValues[k] = {re, im};
      }
      defined = EvalNode(engine_, tree);
    }
    RestoreLetters(letters);
    letters.JumpFlag = jump;
    if (!defined) return;

    PowerRules(tree);
    ReciprocalRules(tree);
    Fold(tree);
  }

 private:
  void ImaginaryUnitLeaves(ExprNode* n) {
    if (!n) return;
    ImaginaryUnitLeaves(n->childA);
    ImaginaryUnitLeaves(n->childC);
    ImaginaryUnitLeaves(n->childB);
    if (n->kind == nk::I) MakeConstant(n, {0.0L, 1.0L});
  }

  void PowerRules(ExprNode* n) {
    if (!n) return;
    PowerRules(n->childA);
    PowerRules(n->childC);
    PowerRules(n->childB);
    if (n->kind != nk::CARET) return;
    if (NumNear(n->childA, 1.0L) || NumNear(n->childB, 0.0L)) {
      ReplaceByConstant(n, 1.0L);
      return;
    }
    const ExprNode* e = n->childB;
    if (!IsNum(e) || std::fabs(e->value.im) > kTiny) return;
    const long double re = e->value.re;
    if (!(std::fabs(re) <= static_cast<long double>(kIntMax))) return;
    if (std::fabs(re - std::nearbyint(re)) >= kTiny) return;
    // x^2 by repeated multiplication also accepts a negative x.
    n->kind = nk::POW;
    std::swap(n->childA, n->childB);
  }

  static nk::Kind Reciprocal(nk::Kind k) {
    switch (k) {
      case nk::TAN: return nk::COT;
      case nk::COS: return nk::SEC;
      case nk::SIN: return nk::CSC;
      case nk::SINH: return nk::CSCH;
      case nk::COSH: return nk::SECH;
      case nk::TANH: return nk::COTH;
      case nk::SEC: return nk::COS;
      case nk::CSC: return nk::SIN;
      case nk::COT: return nk::TAN;
      case nk::SECH: return nk::COSH;
      case nk::COTH: return nk::TANH;
      case nk::CSCH: return nk::SINH;
      default: return 0;
    }
  }

  void ReciprocalRules(ExprNode* n) {
    if (!n) return;
    ReciprocalRules(n->childA);
    ReciprocalRules(n->childC);
    ReciprocalRules(n->childB);
    if (n->kind != nk::DIVIDE || !n->childB) return;
    const nk::Kind r = Reciprocal(n->childB->kind);
    if (!r) return;
    n->kind = nk::TIMES;
    n->childB->kind = r;
    // The stored sample values of the rewritten pair no longer hold; folding
    // re-evaluates every node it turns into a constant, so nothing reads them.
  }

  bool IsOneArgument(const ExprNode* n) const {
    return engine_.classes.IsPrefixFunction(n->kind) && !n->childA && !n->childC;
  }

  // Replaces the node by a constant when it evaluates to a defined value; its children
  // are constants here, so the value does not depend on the letters.
  void FoldToValue(ExprNode* n) {
    if (!EvalNode(engine_, n)) return;
    MakeConstant(n, n->value);
  }

  void Fold(ExprNode* n) {
    if (!n || !n->childB) return;
    const nk::Kind k = n->kind;
    if (k == nk::ITER || k == nk::RAND || k == nk::JOIN || k == nk::SUMRANGE) return;
    Fold(n->childB);
    Fold(n->childA);

    if (k == nk::TIMES && NumNear(n->childA, 0.0L)) {
      ReplaceByConstant(n, 0.0L);
      return;
    }
    if ((k == nk::TIMES && NumNear(n->childA, 1.0L)) || (k == nk::PLUS && NumNear(n->childA, 0.0L))) {
      ReplaceByChild(n, &ExprNode::childB);
      return;
    }
    if (!IsNum(n->childB)) return;
    if (!IsOneArgument(n)) {
      // A selector's condition must be constant too before the whole node is.
      if ((!n->childA || IsNum(n->childA)) && (!n->childC || IsNum(n->childC)) &&
          engine_.classes.IsBinaryOperator(k)) {
        FoldToValue(n);
      } else if (k == nk::TIMES && NumNear(n->childB, 0.0L)) {
        ReplaceByConstant(n, 0.0L);
      } else if (((k == nk::TIMES || k == nk::CARET || k == nk::DIVIDE) && NumNear(n->childB, 1.0L)) ||
                 ((k == nk::PLUS || k == nk::MINUS) && NumNear(n->childB, 0.0L))) {
        ReplaceByChild(n, &ExprNode::childA);
      }
      return;
    }
    FoldToValue(n);
  }

  FormulaEngine& engine_;
  std::int64_t savedBudget_;
};

}  // namespace

ExprNode* SimplifyTree(FormulaEngine& engine, ExprNode* tree) {
  if (!tree) return tree;
  Simplifier(engine).Run(tree);
  return tree;
}

}  // namespace curvelo
