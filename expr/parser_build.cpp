// Tree building: collapses the innermost bracket pair again and again, reducing the
// operators inside it class by class, then finishes the tree with the compile-time
// rewrites.

#include <array>

#include "expr/parser.h"
#include "expr/parser_errors.h"

namespace curvelo::parser {

namespace {

struct Item {
  ExprNode* node = nullptr;  // null for brackets and sentinels
  std::uint16_t kind = 0;
  bool operand = false;  // a leaf or an already reduced operator
  int prev = -1;
  int next = -1;
};

enum class Arity { Prefix, Binary };

class Builder {
 public:
  Builder(const TokenList& tokens, const CharClasses& classes) : c_(classes) {
    items_.reserve(tokens.size() + 2);
    Add(nk::SENTINEL, nullptr, false);
    for (const Token& t : tokens) {
      if (t.kind == nk::LPAREN || t.kind == nk::RPAREN) {
        Add(t.kind, nullptr, false);
        continue;
      }
      ExprNode* node = NewNode(t.kind, t.kind == nk::NUM ? t.value : ExtComplex{});
      if (t.kind == nk::JOIN) node->aux = static_cast<std::int32_t>(t.value.re);
      Add(t.kind, node, t.kind == nk::NUM || c_.IsLetter(t.kind));
    }
    Add(nk::SENTINEL, nullptr, false);
    for (std::size_t i = 0; i < items_.size(); ++i) {
      items_[i].prev = static_cast<int>(i) - 1;
      items_[i].next = i + 1 < items_.size() ? static_cast<int>(i) + 1 : -1;
    }
  }

  ~Builder() {
    // Whatever is still linked owns its subtree; absorbed items belong to their parents.
    for (int i = Head(); i != -1; i = items_[i].next) FreeTree(items_[i].node);
  }

  std::uint16_t Run(ExprNode*& root) {
    const int head = Head();
    const int tail = static_cast<int>(items_.size()) - 1;
    int scan = items_[head].next;
    while (scan != tail) {
      if (items_[scan].kind != nk::RPAREN) {
        scan = items_[scan].next;
        continue;
      }
      int open = items_[scan].prev;
      while (open != head && items_[open].kind != nk::LPAREN) open = items_[open].prev;
      if (open == head) return kErrBrackets;
      if (std::uint16_t e = Reduce(open, scan)) return e;
      const int after = items_[scan].next;
      Unlink(open);
      Unlink(scan);
      scan = after;
    }
    if (std::uint16_t e = Reduce(head, tail)) return e;
    root = items_[items_[head].next].node;
    items_[items_[head].next].node = nullptr;
    Unlink(items_[head].next);
    return 0;
  }

 private:
  int Head() const { return 0; }

  void Add(std::uint16_t kind, ExprNode* node, bool operand) {
    Item it;
    it.kind = kind;
    it.node = node;
    it.operand = operand;
    items_.push_back(it);
  }

  void Unlink(int i) {
    Item& it = items_[i];
    if (it.prev != -1) items_[it.prev].next = it.next;
    if (it.next != -1) items_[it.next].prev = it.prev;
    it.prev = it.next = -1;
  }

  bool IsOperandAt(int i, int lo, int hi) const {
    return i != lo && i != hi && i != -1 && items_[i].operand;
  }

  // Reduces item i if its operands are ready; returns true when it did.
  bool ReduceAt(int i, Arity arity, int lo, int hi) {
    Item& it = items_[i];
    const int after = it.next;
    if (!IsOperandAt(after, lo, hi)) return false;
    if (arity == Arity::Binary) {
      const int before = it.prev;
      if (!IsOperandAt(before, lo, hi)) return false;
      it.node->childA = items_[before].node;
      items_[before].node = nullptr;
      Unlink(before);
    }
    it.node->childB = items_[after].node;
    items_[after].node = nullptr;
    Unlink(after);
    it.operand = true;
    return true;
  }

  template <typename Select>
  void PassLeftToRight(int lo, int hi, Select select) {
    for (bool changed = true; changed;) {
      changed = false;
      for (int i = items_[lo].next; i != hi; i = items_[i].next) {
        if (items_[i].operand || !items_[i].node) continue;
        Arity arity;
        if (select(items_[i].kind, arity) && ReduceAt(i, arity, lo, hi)) changed = true;
      }
    }
  }

  template <typename Select>
  void PassRightToLeft(int lo, int hi, Select select) {
    for (bool changed = true; changed;) {
      changed = false;
      for (int i = items_[hi].prev; i != lo; i = items_[i].prev) {
        if (items_[i].operand || !items_[i].node) continue;
        Arity arity;
        if (select(items_[i].kind, arity) && ReduceAt(i, arity, lo, hi)) changed = true;
      }
    }
  }

  // Reduces the items strictly between lo and hi to a single operand.
  std::uint16_t Reduce(int lo, int hi) {
    // Kind 0 never occurs in a token list, so it pads the sets.
    auto binary = [](std::array<std::uint16_t, 4> kinds) {
      return [kinds](std::uint16_t k, Arity& a) {
        a = Arity::Binary;
        for (std::uint16_t x : kinds)
          if (x != 0 && x == k) return true;
        return false;
      };
    };
    PassLeftToRight(lo, hi, [this](std::uint16_t k, Arity& a) {
      a = Arity::Prefix;
      return k != nk::NEG && c_.IsPrefixFunction(k);
    });
    PassRightToLeft(lo, hi, [](std::uint16_t k, Arity& a) {
      a = k == nk::NEG ? Arity::Prefix : Arity::Binary;
      return k == nk::NEG || k == nk::CARET;
    });
    PassLeftToRight(lo, hi, binary({nk::TIMES, nk::DIVIDE}));
    PassLeftToRight(lo, hi, binary({nk::PLUS, nk::MINUS}));
    PassLeftToRight(lo, hi, binary({nk::PIPE}));
    PassRightToLeft(lo, hi, binary({nk::JOIN}));
    PassLeftToRight(lo, hi, binary({nk::SUM, nk::PROD, nk::SUMTERM, nk::SUMRANGE}));
    PassLeftToRight(lo, hi, [this](std::uint16_t k, Arity& a) {
      a = Arity::Binary;
      return k != nk::JOIN && c_.TakesCommas(k);
    });
    const int only = items_[lo].next;
    if (only == hi || items_[only].next != hi || !items_[only].operand) return kErrInconsistent;
    return 0;
  }

  const CharClasses& c_;
  std::vector<Item> items_;
};

// Post-order walk (childA, childC, childB, node) stopping at the first error.
template <typename Visit>
std::uint16_t Walk(ExprNode* n, Visit& visit) {
  if (!n) return 0;
  if (std::uint16_t e = Walk(n->childA, visit)) return e;
  if (std::uint16_t e = Walk(n->childC, visit)) return e;
  if (std::uint16_t e = Walk(n->childB, visit)) return e;
  return visit(n);
}

std::uint16_t FoldNegation(ExprNode* n) {
  if (n->kind != nk::NEG) return 0;
  ExprNode* operand = n->childB;
  if (operand && operand->kind == nk::NUM) {
    const ExtComplex v = operand->value;
    FreeTree(operand);
    n->childB = nullptr;
    MakeConstant(n, {-v.re, -v.im});
  } else {
    n->kind = nk::TIMES;
    FreeTree(n->childA);
    n->childA = NewNumber(-1.0L);
  }
  return 0;
}

std::uint16_t CheckCounts(ExprNode* n) {
  if (n->kind == nk::ITER) {
    const ExprNode* count = n->childA;
    if (!count || count->kind != nk::NUM) return kErrOutOfBounds;
    const long double v = count->value.re;
    if (!(v >= 1.0L && v <= 2147483647.0L)) return kErrOutOfBounds;
    long double whole = static_cast<long double>(static_cast<std::int64_t>(v));
    if (v - whole > 0.5L) whole += 1.0L;  // a fraction above one half rounds up
    n->aux = static_cast<std::int32_t>(whole);
  } else if (n->kind == nk::SUMTERM) {
    const ExprNode* index = n->childB;
    if (!index || index->kind < nk::A || index->kind > nk::Z) return kErrOutOfBounds;
  }
  return 0;
}

std::uint16_t SplitPieces(ExprNode* n) {
  if (n->kind != nk::JOIN || !n->childA || n->childA->kind != nk::PIPE) return 0;
  ExprNode* pipe = n->childA;
  n->childA = pipe->childA;
  n->childC = pipe->childB;
  FreeTree(pipe->childC);
  delete pipe;
  return 0;
}

std::uint16_t RewriteDerivedKinds(ExprNode* n) {
  switch (n->kind) {
    case nk::LG: {  // log of childB to base childA
      ExprNode* base = n->childA;
      ExprNode* x = n->childB;
      n->kind = nk::DIVIDE;
      n->childA = NewUnary(nk::LN, x);
      n->childB = NewUnary(nk::LN, base);
      return 0;
    }
    case nk::ARCSEC: n->kind = nk::ARCCOS; break;
    case nk::ARCCSC: n->kind = nk::ARCSIN; break;
    case nk::ARGSECH: n->kind = nk::ARGCOSH; break;
    case nk::ARGCSCH: n->kind = nk::ARGSINH; break;
    default: return 0;
  }
  n->childB = NewBinary(nk::DIVIDE, NewNumber(1.0L), n->childB);
  return 0;
}

}  // namespace

std::uint16_t BuildTree(const TokenList& tokens, const CharClasses& classes, ExprNode*& root) {
  root = nullptr;
  if (tokens.empty()) return kErrInconsistent;
  Builder builder(tokens, classes);
  return builder.Run(root);
}

std::uint16_t FinishTree(ExprNode* root) {
  auto fold = [](ExprNode* n) { return FoldNegation(n); };
  auto check = [](ExprNode* n) { return CheckCounts(n); };
  auto split = [](ExprNode* n) { return SplitPieces(n); };
  auto rewrite = [](ExprNode* n) { return RewriteDerivedKinds(n); };
  Walk(root, fold);
  if (std::uint16_t e = Walk(root, check)) return e;
  Walk(root, split);
  Walk(root, rewrite);
  return 0;
}

}  // namespace curvelo::parser
