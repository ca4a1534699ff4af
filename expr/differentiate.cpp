#include "expr/differentiate.h"

#include <algorithm>
#include <cmath>

#include "expr/engine.h"
#include "expr/math_functions.h"
#include "expr/simplify.h"
#include "expr/tree.h"

namespace curvelo {

namespace {

using nk::Kind;

ExprNode* Num(long double v) { return NewNumber(v); }
ExprNode* Imag() { return NewNode(nk::NUM, {0.0L, 1.0L}); }
ExprNode* Un(Kind k, ExprNode* b) { return NewUnary(k, b); }
ExprNode* Bin(Kind k, ExprNode* a, ExprNode* b) { return NewBinary(k, a, b); }
ExprNode* Mul(ExprNode* a, ExprNode* b) { return Bin(nk::TIMES, a, b); }
ExprNode* Div(ExprNode* a, ExprNode* b) { return Bin(nk::DIVIDE, a, b); }
ExprNode* Add(ExprNode* a, ExprNode* b) { return Bin(nk::PLUS, a, b); }
ExprNode* Sub(ExprNode* a, ExprNode* b) { return Bin(nk::MINUS, a, b); }
ExprNode* Square(ExprNode* b) { return Un(nk::SQUARE, b); }
ExprNode* Sqr(ExprNode* b) { return Un(nk::SQR, b); }

bool IsPiecewiseConstant(Kind k) {
  if (nk::IsLetter(k)) return true;
  switch (k) {
    case nk::NUM: case nk::FACT: case nk::INT: case nk::SGN: case nk::BINOM:
    case nk::RAND: case nk::HVS: case nk::GAMMA: case nk::FLOOR: case nk::CEIL:
    case nk::MOD: case nk::GCD: case nk::NINF: case nk::PINF:
      return true;
    default:
      return false;
  }
}

class Differentiator {
 public:
  Differentiator(FormulaEngine& engine, Kind variable, std::int64_t nodeBudget)
      : engine_(engine), var_(variable), complex_(engine.IsComplex()), nodesLeft_(nodeBudget) {}

  bool Exceeded() const { return exceeded_; }

  ExprNode* D(const ExprNode* n) {
    if (!n || !Spend(kNodesPerRule)) return Num(0.0L);
    const Kind k = n->kind;
    const ExprNode* a = n->childA;
    const ExprNode* b = n->childB;

    if (IsPiecewiseConstant(k)) return LetterDerivative(k);
    if (engine_.classes.IsBinaryOperator(k) && IsConstantLeaf(a) && IsConstantLeaf(b))
      return Num(0.0L);
    if ((k == nk::PLUS || k == nk::MINUS) && IsConstantLeaf(b)) return D(a);
    if (k == nk::PLUS && IsConstantLeaf(a)) return D(b);

    switch (k) {
      case nk::RE:
      case nk::CONJ:
        return Un(k, D(b));
      case nk::IM:
        return Mul(Imag(), Un(k, D(b)));
      case nk::SUM: return SumRule(n);
      case nk::PROD: return ProductRule(n);
      default: break;
    }

    if (ExprNode* chain = ChainRule(n)) return chain;

    switch (k) {
      case nk::PLUS:
      case nk::MINUS:
      case nk::JOIN: {
        ExprNode* r = NewNode(k);
        r->aux = n->aux;
        r->childA = D(a);
        r->childB = D(b);
        r->childC = Copy(n->childC);
        return r;
      }
      case nk::TIMES:
        return Add(Mul(Copy(a), D(b)), Mul(Copy(b), D(a)));
      case nk::DIVIDE:
        return Div(Sub(Mul(Copy(b), D(a)), Mul(Copy(a), D(b))), Square(Copy(b)));
      case nk::CARET:
        return Mul(Copy(n), Add(Mul(D(b), Un(nk::LN, Copy(a))), Mul(Copy(b), Div(D(a), Copy(a)))));
      case nk::MAX:
      case nk::MIN: {
        ExprNode* r = NewNode(k == nk::MAX ? nk::SELNEG : nk::SELPOS);
        r->childA = D(a);
        r->childB = D(b);
        r->childC = Sub(Copy(a), Copy(b));
        return r;
      }
      case nk::ABS2:
        return Div(Add(Mul(Copy(a), D(a)), Mul(Copy(b), D(b))), Copy(n));
      case nk::ARG2:
        return Div(Sub(Mul(Copy(a), D(b)), Mul(Copy(b), D(a))), Add(Square(Copy(a)), Square(Copy(b))));
      case nk::ITER: {
        ExprNode* r = NewNode(nk::ITERD);
        r->aux = n->aux;
        r->childA = D(b);
        r->childB = Copy(b);
        r->childC = Num(static_cast<long double>(n->aux));
        return r;
      }
      case nk::PERIODIC: {
        ExprNode* r = NewNode(nk::PERIODIC);
        r->childA = NewNode(nk::NUM, a ? a->value : ExtComplex{});
        r->childC = NewNode(nk::NUM, n->childC ? n->childC->value : ExtComplex{});
        r->childB = D(b);
        return r;
      }
      default:
        return Num(0.0L);
    }
  }

 private:
  ExprNode* LetterDerivative(Kind k) const {
    if (k == var_) return Num(1.0L);
    if (complex_ && k == nk::Z) {
      if (var_ == nk::X) return Num(1.0L);
      if (var_ == nk::Y) return Imag();
    }
    return Num(0.0L);
  }

  // In complex mode Z moves with X and Y, so it is no constant for them.
  bool IsConstantLeaf(const ExprNode* n) const {
    if (!n) return false;
    if (n->kind == nk::NUM) return true;
    if (n->kind < nk::A || n->kind > nk::Z || n->kind == var_) return false;
    return !(complex_ && n->kind == nk::Z && (var_ == nk::X || var_ == nk::Y));
  }

  // SUMTERM(f, n) SUM SUMRANGE(lo, hi) with f replaced by f'.
  ExprNode* SumRule(const ExprNode* n) {
    ExprNode* r = NewNode(n->kind);
    r->childB = Copy(n->childB);
    const ExprNode* term = n->childA;
    if (term) {
      r->childA = NewNode(term->kind);
      r->childA->childA = D(term->childA);
      r->childA->childB = Copy(term->childB);
    }
    return r;
  }

  // P * sum(f'/f) over the same index and bounds.
  ExprNode* ProductRule(const ExprNode* n) {
    ExprNode* sum = NewNode(nk::SUM);
    sum->childB = Copy(n->childB);
    const ExprNode* term = n->childA;
    if (term) {
      sum->childA = NewNode(nk::SUMTERM);
      sum->childA->childA = Div(D(term->childA), Copy(term->childA));
      sum->childA->childB = Copy(term->childB);
    }
    return Mul(Copy(n), sum);
  }

  // u' * g(u) and u' / h(u) for the one- and two-argument functions; null when the kind
  // has no chain rule.
  ExprNode* ChainRule(const ExprNode* n) {
    const Kind k = n->kind;
    const ExprNode* u = n->childB;
    auto times = [&](ExprNode* g) { return Mul(D(u), g); };
    auto over = [&](ExprNode* h) { return Div(D(u), h); };
    auto U = [&] { return Copy(u); };
    switch (k) {
      case nk::SIN: return times(Un(nk::COS, U()));
      case nk::COS: return Negated(times(Un(nk::SIN, U())));
      case nk::TAN: return times(Square(Un(nk::SEC, U())));
      case nk::COT: return Negated(times(Square(Un(nk::CSC, U()))));
      case nk::SEC: return times(Mul(Un(nk::SEC, U()), Un(nk::TAN, U())));
      case nk::CSC: return Negated(times(Mul(Un(nk::CSC, U()), Un(nk::COT, U()))));
      case nk::SINH: return times(Un(nk::COSH, U()));
      case nk::COSH: return times(Un(nk::SINH, U()));
      case nk::TANH: return times(Square(Un(nk::SECH, U())));
      case nk::COTH: return Negated(times(Square(Un(nk::CSCH, U()))));
      case nk::SECH: return Negated(times(Mul(Un(nk::SECH, U()), Un(nk::TANH, U()))));
      case nk::CSCH: return Negated(times(Mul(Un(nk::CSCH, U()), Un(nk::COTH, U()))));
      case nk::EXP: return times(Copy(n));
      // cis' = i cis; the factor matters only where imaginary parts are kept.
      case nk::CIS: return times(complex_ ? Mul(Imag(), Copy(n)) : Copy(n));
      case nk::LN: return over(U());
      case nk::LOG: return over(Mul(Num(std::log(10.0L)), U()));
      case nk::SQR: return over(Mul(Num(2.0L), Sqr(U())));
      case nk::SQUARE: return times(Mul(Num(2.0L), U()));
      case nk::ABS: return times(Un(nk::SGN, U()));
      case nk::FRAC: return times(Num(1.0L));
      case nk::ARCSIN: return over(Sqr(Sub(Num(1.0L), Square(U()))));
      case nk::ARCCOS: return Negated(over(Sqr(Sub(Num(1.0L), Square(U())))));
      case nk::ARCTAN: return over(Add(Num(1.0L), Square(U())));
      case nk::ARCCOT: return Negated(over(Add(Num(1.0L), Square(U()))));
      case nk::ARGSINH: return over(Sqr(Add(Square(U()), Num(1.0L))));
      case nk::ARGCOSH:
        return over(Mul(Sqr(Sub(U(), Num(1.0L))), Sqr(Add(U(), Num(1.0L)))));
      case nk::ARGTANH: return over(Square(Sqr(Sub(Num(1.0L), Square(U())))));
      case nk::ARGCOTH:
        return over(Mul(Num(-1.0L), Square(Sqr(Sub(Square(U()), Num(1.0L))))));
      case nk::ERF:
        return times(Mul(Num(kTwoOverSqrtPi), Un(nk::EXP, Mul(Num(-1.0L), Square(U())))));
      case nk::GAUSS: return times(Mul(Num(-1.0L), Mul(U(), Copy(n))));
      case nk::ROOT: return times(Div(Copy(n), Mul(Copy(n->childA), U())));
      case nk::POW:
        return times(Mul(Copy(n->childA), Bin(nk::POW, Sub(Copy(n->childA), Num(1.0L)), U())));
      case nk::ARG: return times(Div(Un(nk::CONJ, U()), Square(Un(nk::ABS, U()))));
      default: return nullptr;
    }
  }

  // The copies of subtrees are what grows with the square of the input; each rule adds at
  // most kNodesPerRule nodes of its own. Past the budget nothing more is built and the
  // result is thrown away.
  static constexpr std::int64_t kNodesPerRule = 12;
  bool Spend(std::int64_t nodes) {
    if (!exceeded_) {
      nodesLeft_ -= nodes;
      exceeded_ = nodesLeft_ < 0;
    }
    return !exceeded_;
  }
  ExprNode* Copy(const ExprNode* n) { return !exceeded_ && Spend(TreeSize(n)) ? CloneTree(n) : nullptr; }

  FormulaEngine& engine_;
  Kind var_;
  bool complex_;
  std::int64_t nodesLeft_;
  bool exceeded_ = false;
};

}  // namespace

std::int64_t DerivativeNodeBudget(int inputNodes) {
  const std::int64_t scaled = kDerivativeNodesPerInputNode * std::max(inputNodes, 0);
  return std::clamp(scaled, kMinDerivativeNodes, kMaxDerivativeNodes);
}

ExprNode* Differentiate(FormulaEngine& engine, const ExprNode* tree, std::uint16_t variable) {
  Differentiator d(engine, variable, DerivativeNodeBudget(TreeSize(tree)));
  ExprNode* result = d.D(tree);
  if (d.Exceeded()) {
    FreeTree(result);
    return nullptr;
  }
  return SimplifyTree(engine, result);
}

}  // namespace curvelo
