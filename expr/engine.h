#pragma once
// One window's formula engine: parser tables, engine state and the compile entry point.

#include <cstdint>
#include <string_view>

#include "expr/char_classes.h"
#include "expr/keywords.h"
#include "expr/letters.h"
#include "expr/parser_errors.h"
#include "expr/tree.h"
#include "expr/user_function.h"

namespace curvelo {

// Limits of the formula text.
inline constexpr int kMaxFormulaLength = 4999;  // also after user functions are expanded
inline constexpr int kMaxNumberLength = 49;

class FormulaEngine {
 public:
  FormulaEngine() = default;
  FormulaEngine(const FormulaEngine&) = delete;
  FormulaEngine& operator=(const FormulaEngine&) = delete;

  // Compiles text into CompiledTree; returns 0 or an error code (message 400 + code).
  // On success the caller takes over CompiledTree and frees it with FreeTree; on failure
  // CompiledTree is null.
  std::uint16_t CompileFormula(std::string_view text);
  // Returns CompiledTree and clears the slot.
  ExprNode* TakeCompiledTree() {
    ExprNode* t = CompiledTree;
    CompiledTree = nullptr;
    return t;
  }

  // The complex-mode flag lives in the letter store (letters.ComplexMode), which the
  // evaluator reads; these two just forward to it.
  bool IsComplex() const { return letters.IsComplex(); }
  void SetComplexMode(bool on) { letters.SetComplexMode(on); }

  KeywordTable keywords;
  CharClasses classes;
  LetterStore letters;
  UserFunctionList userFunctions;
  ExprNode* CompiledTree = nullptr;
};

}  // namespace curvelo
