#include "expr/char_classes.h"

#include "expr/node_kinds.h"

namespace curvelo {

CharClasses::CharClasses() {
  for (unsigned k = nk::AT; k <= nk::Z; ++k) letter_[k] = true;
  for (unsigned k : {nk::ITER, nk::ROOT, nk::POW, nk::BINOM, nk::ARG2, nk::LG}) twoArg_[k] = true;
  for (unsigned k : {nk::MAX, nk::MIN, nk::JOIN, nk::ABS2, nk::SELNEG, nk::SELPOS, nk::MOD, nk::GCD})
    multiArg_[k] = true;
  for (unsigned k : {nk::TIMES, nk::PLUS, nk::MINUS, nk::DIVIDE, nk::CARET, nk::PIPE, nk::SUM,
                     nk::PROD, nk::SUMTERM, nk::SUMRANGE})
    binary_[k] = true;
  for (unsigned k = 0; k < 256; ++k) {
    if (twoArg_[k] || multiArg_[k]) binary_[k] = true;
  }
  operatorOrOpen_ = binary_;
  operatorOrOpen_[nk::SENTINEL] = operatorOrOpen_[nk::NEG] = operatorOrOpen_[nk::LPAREN] = true;
  for (unsigned k = 128; k < 256; ++k) {
    if (k == nk::SUM || k == nk::PROD || k == nk::SUMTERM || k == nk::SUMRANGE) continue;
    if (twoArg_[k] || multiArg_[k]) continue;
    prefix_[k] = true;
  }
  for (unsigned k = 0; k < 256; ++k)
    operandStart_[k] = k == nk::NUM || k == nk::LPAREN || letter_[k] || prefix_[k];
  for (unsigned k = 0; k < 256; ++k) {
    valid_[k] = letter_[k] || binary_[k] || prefix_[k] || k == nk::BANG || k == nk::LPAREN ||
                k == nk::RPAREN || k == nk::COMMA || k == nk::POINT ||
                (k >= nk::DIGIT0 && k <= nk::DIGIT9);
  }
}

}  // namespace curvelo
