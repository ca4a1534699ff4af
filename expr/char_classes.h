#pragma once
// Byte classes used by the formula parser, one 256-entry table per class.

#include <array>
#include <cstdint>

namespace curvelo {

class CharClasses {
 public:
  CharClasses();

  bool IsLetter(unsigned k) const { return Get(letter_, k); }
  bool IsTwoArgFunction(unsigned k) const { return Get(twoArg_, k); }
  bool IsMultiArgFunction(unsigned k) const { return Get(multiArg_, k); }
  bool IsBinaryOperator(unsigned k) const { return Get(binary_, k); }
  bool IsOperatorOrOpen(unsigned k) const { return Get(operatorOrOpen_, k); }
  bool IsPrefixFunction(unsigned k) const { return Get(prefix_, k); }
  bool IsOperandStart(unsigned k) const { return Get(operandStart_, k); }
  bool IsValidCharacter(unsigned k) const { return Get(valid_, k); }
  // A two- or multi-argument function: the kinds whose brackets may hold commas.
  bool TakesCommas(unsigned k) const { return IsTwoArgFunction(k) || IsMultiArgFunction(k); }

 private:
  using Table = std::array<bool, 256>;
  static bool Get(const Table& t, unsigned k) { return k < 256 && t[k]; }

  Table letter_{}, twoArg_{}, multiArg_{}, binary_{}, operatorOrOpen_{}, prefix_{},
      operandStart_{}, valid_{};
};

}  // namespace curvelo
