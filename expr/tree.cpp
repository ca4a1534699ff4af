#include "expr/tree.h"

namespace curvelo {

ExprNode* NewNode(std::uint16_t kind, ExtComplex value) {
  ExprNode* node = new ExprNode;
  node->kind = kind;
  node->value = value;
  return node;
}

void SetNode(ExprNode* node, std::uint16_t kind, ExtComplex value, std::int32_t aux) {
  if (!node) return;
  node->kind = kind;
  node->value = value;
  node->aux = aux;
  node->childA = node->childB = node->childC = nullptr;
}

void FreeTree(ExprNode* root) {
  if (!root) return;
  FreeTree(root->childA);
  FreeTree(root->childC);
  FreeTree(root->childB);
  delete root;
}

ExprNode* CloneTree(const ExprNode* root) {
  if (!root) return nullptr;
  ExprNode* copy = NewNode(root->kind, root->value);
  copy->aux = root->aux;
  copy->childA = CloneTree(root->childA);
  copy->childC = CloneTree(root->childC);
  copy->childB = CloneTree(root->childB);
  return copy;
}

void MakeConstant(ExprNode* node, ExtComplex value) {
  if (!node) return;
  FreeTree(node->childA);
  FreeTree(node->childC);
  FreeTree(node->childB);
  SetNode(node, nk::NUM, value);
}

void SubstituteKind(ExprNode* root, std::uint16_t k, const ExprNode* s) {
  if (!root) return;
  SubstituteKind(root->childA, k, s);
  SubstituteKind(root->childC, k, s);
  SubstituteKind(root->childB, k, s);
  if (root->kind != k) return;
  ExprNode* copy = CloneTree(s);
  FreeTree(root->childA);
  FreeTree(root->childC);
  FreeTree(root->childB);
  if (copy) {
    *root = *copy;
    delete copy;  // its children now belong to root
  } else {
    // Substituting an empty tree leaves a zero constant rather than a dangling kind.
    SetNode(root, nk::NUM, {});
  }
}

ExprNode* CloneSubstitute(const ExprNode* root, std::uint16_t k, const ExprNode* s) {
  ExprNode* copy = CloneTree(root);
  SubstituteKind(copy, k, s);
  return copy;
}

void RenameVariable(ExprNode* root, std::uint16_t k, std::uint16_t k2) {
  if (!root) return;
  ExprNode leaf;
  leaf.kind = k2;
  SubstituteKind(root, k, &leaf);
}

void RenameKind(ExprNode* root, std::uint16_t k, std::uint16_t k2) {
  if (!root) return;
  RenameKind(root->childA, k, k2);
  RenameKind(root->childC, k, k2);
  RenameKind(root->childB, k, k2);
  if (root->kind == k) root->kind = k2;
}

void ReplaceKindByConstant(ExprNode* root, std::uint16_t k, long double value) {
  if (!root) return;
  ReplaceKindByConstant(root->childA, k, value);
  ReplaceKindByConstant(root->childC, k, value);
  ReplaceKindByConstant(root->childB, k, value);
  if (root->kind == k) MakeConstant(root, {value, 0.0L});
}

void ToParametric(ExprNode* root) {
  if (!root) return;
  RenameVariable(root, nk::X, nk::T);
  RenameKind(root, nk::JOIN, nk::JOINP);
}

ExprNode* ScaleTree(long double c, const ExprNode* t) {
  return NewBinary(nk::TIMES, NewNumber(c), CloneTree(t));
}

ExprNode* NewNumber(long double value) { return NewNode(nk::NUM, {value, 0.0L}); }

ExprNode* NewUnary(std::uint16_t kind, ExprNode* argument) {
  ExprNode* node = NewNode(kind);
  node->childB = argument;
  return node;
}

ExprNode* NewBinary(std::uint16_t kind, ExprNode* a, ExprNode* b) {
  ExprNode* node = NewNode(kind);
  node->childA = a;
  node->childB = b;
  return node;
}

bool TreesEqual(const ExprNode* a, const ExprNode* b) {
  if (!a || !b) return a == b;
  if (a->kind != b->kind || a->aux != b->aux) return false;
  if (a->kind == nk::NUM && !(a->value == b->value)) return false;
  return TreesEqual(a->childA, b->childA) && TreesEqual(a->childC, b->childC) &&
         TreesEqual(a->childB, b->childB);
}

bool ContainsKind(const ExprNode* root, std::uint16_t k) {
  if (!root) return false;
  return root->kind == k || ContainsKind(root->childA, k) || ContainsKind(root->childC, k) ||
         ContainsKind(root->childB, k);
}

int TreeSize(const ExprNode* root) {
  if (!root) return 0;
  return 1 + TreeSize(root->childA) + TreeSize(root->childC) + TreeSize(root->childB);
}

namespace {

ExprNode* Copy(const ExprNode* t) { return CloneTree(t); }
ExprNode* Mul(ExprNode* a, ExprNode* b) { return NewBinary(nk::TIMES, a, b); }
ExprNode* Add(ExprNode* a, ExprNode* b) { return NewBinary(nk::PLUS, a, b); }
ExprNode* Sub(ExprNode* a, ExprNode* b) { return NewBinary(nk::MINUS, a, b); }
ExprNode* Div(ExprNode* a, ExprNode* b) { return NewBinary(nk::DIVIDE, a, b); }
ExprNode* Square(ExprNode* a) { return NewUnary(nk::SQUARE, a); }

}  // namespace

ExprNode* BuildDeterminant(const ExprNode* a, const ExprNode* b, const ExprNode* c,
                           const ExprNode* d) {
  return Sub(Mul(Copy(a), Copy(d)), Mul(Copy(b), Copy(c)));
}

ExprNode* BuildScaledProduct(long double c, const ExprNode* a, const ExprNode* b) {
  return Mul(NewNumber(c), Mul(Copy(a), Copy(b)));
}

ExprNode* BuildQuotient(const ExprNode* a, const ExprNode* b) { return Div(Copy(a), Copy(b)); }

ExprNode* BuildScaledSum(long double c, const ExprNode* t, const ExprNode* u, bool subtract) {
  ExprNode* scaled = ScaleTree(c, t);
  return subtract ? Sub(scaled, Copy(u)) : Add(scaled, Copy(u));
}

ExprNode* BuildSumDifference(const ExprNode* a, const ExprNode* b, const ExprNode* c) {
  return Add(Copy(a), Sub(Copy(b), Copy(c)));
}

ExprNode* BuildProductPair(const ExprNode* a, const ExprNode* b, const ExprNode* c,
                           const ExprNode* d, bool subtract) {
  ExprNode* left = Mul(Copy(a), Copy(b));
  ExprNode* right = Mul(Copy(c), Copy(d));
  return subtract ? Sub(left, right) : Add(left, right);
}

ExprNode* BuildSlope(const ExprNode* a, const ExprNode* b, const ExprNode* c,
                     const ExprNode* d) {
  return Div(Sub(Copy(a), Copy(b)), Sub(Copy(c), Copy(d)));
}

ExprNode* BuildLine(const ExprNode* a, const ExprNode* b, const ExprNode* c, const ExprNode* d) {
  ExprNode* slope = Div(Sub(Copy(d), Copy(b)), Sub(Copy(c), Copy(a)));
  return Add(Copy(b), Mul(slope, Sub(NewNode(nk::X), Copy(a))));
}

ExprNode* BuildSolveForX(const ExprNode* a, const ExprNode* b, const ExprNode* c) {
  return Div(Sub(Copy(c), Mul(Copy(a), NewNode(nk::X))), Copy(b));
}

ExprNode* BuildThreeTerm(const ExprNode* a, const ExprNode* b, const ExprNode* c,
                         const ExprNode* d, const ExprNode* e) {
  return Add(Add(Copy(a), Mul(Copy(b), Copy(c))), Mul(Copy(d), Copy(e)));
}

ExprNode* BuildSumOfSquares(const ExprNode* a, const ExprNode* b) {
  return Add(Square(Copy(a)), Square(Copy(b)));
}

ExprNode* BuildLength2(const ExprNode* a, const ExprNode* b) {
  return NewUnary(nk::SQR, BuildSumOfSquares(a, b));
}

ExprNode* BuildLength3(const ExprNode* a, const ExprNode* b, const ExprNode* c) {
  return NewUnary(nk::SQR, Add(BuildSumOfSquares(a, b), Square(Copy(c))));
}

namespace {

// Moves the node's contents into a fresh node so the original address can become the root
// of a new expression around it.
ExprNode* DetachContents(ExprNode* node) {
  ExprNode* moved = new ExprNode(*node);
  SetNode(node, 0);
  return moved;
}

}  // namespace

void MakeUnitCircleComplement(ExprNode* node) {
  if (!node) return;
  ExprNode* u = DetachContents(node);
  node->kind = nk::SQR;
  node->childB = Sub(NewNumber(1.0L), Square(u));
}

void MakeNegation(ExprNode* node) {
  if (!node) return;
  ExprNode* old = DetachContents(node);
  node->kind = nk::MINUS;
  node->childA = NewNumber(0.0L);
  node->childB = old;
}

ExprNode* Negated(ExprNode* node) {
  MakeNegation(node);
  return node;
}

TreeTriple BuildCrossProduct(const ConstTreeTriple& a, const ConstTreeTriple& b) {
  return {BuildProductPair(a[1], b[2], a[2], b[1], true),
          BuildProductPair(a[2], b[0], a[0], b[2], true),
          BuildProductPair(a[0], b[1], a[1], b[0], true)};
}

std::array<ExprNode*, 2> BuildPolarToCartesian(const ExprNode* r, const ExprNode* theta) {
  return {Mul(Copy(r), NewUnary(nk::COS, Copy(theta))),
          Mul(Copy(r), NewUnary(nk::SIN, Copy(theta)))};
}

TreeTriple BuildSphericalToCartesian(const ExprNode* r, const ExprNode* phi,
                                     const ExprNode* theta) {
  auto rSinPhi = [&] { return Mul(Copy(r), NewUnary(nk::SIN, Copy(phi))); };
  return {Mul(rSinPhi(), NewUnary(nk::COS, Copy(theta))),
          Mul(rSinPhi(), NewUnary(nk::SIN, Copy(theta))),
          Mul(Copy(r), NewUnary(nk::COS, Copy(phi)))};
}

}  // namespace curvelo
