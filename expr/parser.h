#pragma once
// The compiler's passes, each a plain function so it can be tested on its own. Text passes
// work on the upper-case byte text; token passes on a flat token list; the last ones
// build and finish the tree. Every pass returns 0 or an error code.

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "expr/char_classes.h"
#include "expr/keywords.h"
#include "expr/tree.h"
#include "expr/user_function.h"

namespace curvelo::parser {

struct Token {
  ExtComplex value;  // NUM constant, or the JOIN letter index in value.re
  std::uint16_t kind = 0;
  std::uint16_t commas = 0;  // commas counted for a two- or multi-argument function
  bool separator = false;    // a comma that now stands for its function
};

using TokenList = std::vector<Token>;

// Text passes.
// Copies up to the first NUL, drops spaces, upper-cases, unifies brackets and checks their
// balance. Bytes from 128 up (other than the square sign 253) become an invalid byte, so
// that raw compiler codes typed by a user cannot reach the token passes.
std::uint16_t PrepareText(std::string_view in, std::string& out);
void NeutraliseHighBytes(std::string& text);
void ReplaceSquareSigns(std::string& text);
void ReplaceKeywords(std::string& text, const KeywordTable& keywords, bool complexMode);
std::uint16_t RewriteSumsAndProducts(std::string& text);
std::uint16_t RewriteChi(std::string& text);
void MarkUnaryMinus(std::string& text, const CharClasses& classes);

// Token passes.
std::uint16_t Tokenize(const std::string& text, const CharClasses& classes, TokenList& tokens);
void ReplaceNamedConstants(TokenList& tokens);
std::uint16_t ReadNumbers(TokenList& tokens);
std::uint16_t MovePostfixFactorials(TokenList& tokens);
std::uint16_t ResolveCommas(TokenList& tokens, const CharClasses& classes);
std::uint16_t CheckSyntax(TokenList& tokens, const CharClasses& classes);
void StripOuterBrackets(TokenList& tokens);

// Tree passes. On success root owns the new tree; on failure root is null.
std::uint16_t BuildTree(const TokenList& tokens, const CharClasses& classes, ExprNode*& root);
// Folds NEG, checks ITER counts and SUM indices, turns pieces into JOIN nodes and rewrites
// LG and the reciprocal inverse functions.
std::uint16_t FinishTree(ExprNode* root);

// Every pass in order, without the final simplification.
std::uint16_t ParseFormula(std::string_view text, const KeywordTable& keywords,
                           const CharClasses& classes, const UserFunctionList& userFunctions,
                           bool complexMode, ExprNode*& root);

// The constants the keywords PI, PHI, DEG, NINF and PINF stand for.
long double ConstantValue(std::uint16_t kind);

}  // namespace curvelo::parser
