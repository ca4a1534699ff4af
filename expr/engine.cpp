#include "expr/engine.h"

#include "expr/parser.h"
#include "expr/parser_errors.h"
#include "expr/simplify.h"

namespace curvelo {

std::uint16_t FormulaEngine::CompileFormula(std::string_view text) {
  CompiledTree = nullptr;
  ExprNode* root = nullptr;
  if (std::uint16_t e = parser::ParseFormula(text, keywords, classes, userFunctions, IsComplex(), root))
    return e;
  CompiledTree = SimplifyTree(*this, root);
  return 0;
}

namespace parser {

std::uint16_t ParseFormula(std::string_view text, const KeywordTable& keywords,
                           const CharClasses& classes, const UserFunctionList& userFunctions,
                           bool complexMode, ExprNode*& root) {
  root = nullptr;
  if (text.empty()) return kErrCannotContinue;

  std::string work;
  if (std::uint16_t e = PrepareText(text, work)) return e;
  if (work.size() > static_cast<std::size_t>(kMaxFormulaLength)) return kErrOutOfBounds;
  if (!userFunctions.Empty()) {
    if (std::uint16_t e = ExpandUserFunctions(userFunctions, work, kMaxFormulaLength)) return e;
    // Definitions come from documents: normalise what they brought in like typed text.
    std::string expanded;
    if (std::uint16_t e = PrepareText(work, expanded)) return e;
    work.swap(expanded);
  }
  ReplaceSquareSigns(work);
  if (work.size() > static_cast<std::size_t>(kMaxFormulaLength)) return kErrOutOfBounds;
  ReplaceKeywords(work, keywords, complexMode);
  if (std::uint16_t e = RewriteSumsAndProducts(work)) return e;
  if (std::uint16_t e = RewriteChi(work)) return e;
  MarkUnaryMinus(work, classes);

  TokenList tokens;
  if (std::uint16_t e = Tokenize(work, classes, tokens)) return e;
  ReplaceNamedConstants(tokens);
  if (std::uint16_t e = ReadNumbers(tokens)) return e;
  if (std::uint16_t e = MovePostfixFactorials(tokens)) return e;
  if (std::uint16_t e = ResolveCommas(tokens, classes)) return e;
  if (std::uint16_t e = CheckSyntax(tokens, classes)) return e;
  StripOuterBrackets(tokens);

  if (std::uint16_t e = BuildTree(tokens, classes, root)) return e;
  if (std::uint16_t e = FinishTree(root)) {
    FreeTree(root);
    root = nullptr;
    return e;
  }
  return 0;
}

}  // namespace parser

}  // namespace curvelo
