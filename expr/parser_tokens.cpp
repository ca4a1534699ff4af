// Token passes of the formula compiler: constants, numbers, postfix "!", commas and the
// syntax check with implicit multiplication.

#include <charconv>
#include <cmath>

#include "expr/engine.h"
#include "expr/parser.h"
#include "expr/parser_errors.h"

namespace curvelo::parser {

namespace {

Token MakeToken(std::uint16_t kind, long double re = 0.0L) {
  Token t;
  t.kind = kind;
  t.value = {re, 0.0L};
  return t;
}

bool IsDigitOrPoint(std::uint16_t kind) {
  return kind == nk::POINT || (kind >= nk::DIGIT0 && kind <= nk::DIGIT9);
}

bool IsValue(const CharClasses& c, std::uint16_t kind) {
  return kind == nk::NUM || kind == nk::RPAREN || c.IsLetter(kind);
}

bool IsBinaryOrEnd(const CharClasses& c, std::uint16_t kind) {
  return kind == nk::SENTINEL || kind == nk::RPAREN || c.IsBinaryOperator(kind);
}

}  // namespace

long double ConstantValue(std::uint16_t kind) {
  static const long double phi = (1.0L + std::sqrt(5.0L)) / 2.0L;
  switch (kind) {
    case nk::PI: return static_cast<long double>(3.141592653589793);  // double precision
    case nk::PHI: return phi;
    case nk::NINF: return -1e18L;
    case nk::PINF: return 1e18L;
    case nk::DEG: return static_cast<long double>(0.017453292519943295);
    default: return 0.0L;
  }
}

std::uint16_t Tokenize(const std::string& text, const CharClasses& classes, TokenList& tokens) {
  tokens.clear();
  tokens.reserve(text.size() * 2);
  for (std::size_t i = 0; i < text.size(); ++i) {
    const unsigned char c = static_cast<unsigned char>(text[i]);
    if (c == nk::JOIN) {
      if (i + 1 >= text.size()) return kErrNotUnderstood;
      const unsigned char letter = static_cast<unsigned char>(text[++i]);
      if (letter < 1 || letter > 26) return kErrNotUnderstood;
      tokens.push_back(MakeToken(nk::JOIN, letter));
      continue;
    }
    if (!classes.IsValidCharacter(c)) return kErrNotUnderstood;
    tokens.push_back(MakeToken(c));
  }
  return 0;
}

void ReplaceNamedConstants(TokenList& tokens) {
  for (Token& t : tokens) {
    if (t.kind == nk::PI || t.kind == nk::PHI || t.kind == nk::NINF || t.kind == nk::PINF ||
        t.kind == nk::DEG) {
      t.value = {ConstantValue(t.kind), 0.0L};
      t.kind = nk::NUM;
    }
  }
}

std::uint16_t ReadNumbers(TokenList& tokens) {
  TokenList out;
  out.reserve(tokens.size());
  char literal[kMaxNumberLength + 1];
  for (std::size_t i = 0; i < tokens.size();) {
    if (!IsDigitOrPoint(tokens[i].kind)) {
      out.push_back(tokens[i++]);
      continue;
    }
    std::size_t len = 0;
    for (; i < tokens.size() && IsDigitOrPoint(tokens[i].kind); ++i) {
      if (len == static_cast<std::size_t>(kMaxNumberLength)) return kErrOutOfBounds;
      literal[len++] = static_cast<char>(tokens[i].kind);
    }
    // Stops at the second point; a lone point reads as 0. Locale-independent.
    long double v = 0.0L;
    std::from_chars(literal, literal + len, v, std::chars_format::fixed);
    out.push_back(MakeToken(nk::NUM, v));
  }
  tokens.swap(out);
  return 0;
}

std::uint16_t MovePostfixFactorials(TokenList& tokens) {
  // FACT tokens are recorded as a count in front of each "(" and written out at the end,
  // so that long chains stay linear.
  struct Slot {
    Token token;
    std::uint32_t factsBefore = 0;
    std::size_t match = 0;  // for ")": index of its "(" in out
  };
  bool hasBang = false;
  for (const Token& t : tokens) hasBang = hasBang || t.kind == nk::BANG;
  if (!hasBang) return 0;
  std::vector<Slot> out;
  out.reserve(tokens.size() * 3);
  std::vector<std::size_t> open;
  for (const Token& t : tokens) {
    if (t.kind != nk::BANG) {
      Slot s{t};
      if (t.kind == nk::LPAREN) {
        open.push_back(out.size());
      } else if (t.kind == nk::RPAREN) {
        if (open.empty()) return kErrNotUnderstood;
        s.match = open.back();
        open.pop_back();
      }
      out.push_back(s);
      continue;
    }
    if (out.empty()) return kErrNotUnderstood;
    if (out.back().token.kind == nk::RPAREN) {
      ++out[out.back().match].factsBefore;
      continue;
    }
    // Wrap the single token before it: t ! -> FACT ( t ).
    Slot operand = out.back();
    out.pop_back();
    const std::size_t openIndex = out.size();
    Slot lp{MakeToken(nk::LPAREN)};
    lp.factsBefore = 1;
    out.push_back(lp);
    if (operand.token.kind == nk::LPAREN) {
      // An unclosed "(" moved inside the new pair keeps its place on the stack.
      open.back() = out.size();
    }
    out.push_back(operand);
    Slot rp{MakeToken(nk::RPAREN)};
    rp.match = openIndex;
    out.push_back(rp);
  }
  TokenList result;
  result.reserve(out.size() * 2);
  for (const Slot& s : out) {
    for (std::uint32_t k = 0; k < s.factsBefore; ++k) result.push_back(MakeToken(nk::FACT));
    result.push_back(s.token);
  }
  tokens.swap(result);
  return 0;
}

std::uint16_t ResolveCommas(TokenList& tokens, const CharClasses& classes) {
  std::vector<std::size_t> open;
  bool any = false;
  for (std::size_t i = 0; i < tokens.size(); ++i) {
    Token& t = tokens[i];
    if (t.kind == nk::LPAREN) {
      open.push_back(i);
    } else if (t.kind == nk::RPAREN) {
      if (!open.empty()) open.pop_back();
    } else if (t.kind == nk::COMMA) {
      if (open.empty() || open.back() == 0) return kErrNotUnderstood;
      Token& fn = tokens[open.back() - 1];
      if (fn.separator || !classes.TakesCommas(fn.kind)) return kErrNotUnderstood;
      t.kind = fn.kind;
      t.value = fn.value;
      t.separator = true;
      ++fn.commas;
      any = true;
    }
  }
  if (!any) return 0;
  for (const Token& t : tokens)
    if (!t.separator && classes.IsTwoArgFunction(t.kind) && t.commas > 1) return kErrTooManyArgs;
  TokenList out;
  out.reserve(tokens.size());
  for (const Token& t : tokens)
    if (t.separator || !classes.TakesCommas(t.kind) || t.commas == 0) out.push_back(t);
  tokens.swap(out);
  return 0;
}

std::uint16_t CheckSyntax(TokenList& tokens, const CharClasses& c) {
  // Implicit multiplication first; it depends only on each token and its original successor.
  TokenList out;
  out.reserve(tokens.size() * 2);
  for (std::size_t i = 0; i < tokens.size(); ++i) {
    out.push_back(tokens[i]);
    if (i + 1 >= tokens.size()) break;
    const std::uint16_t next = tokens[i + 1].kind;
    if (IsValue(c, tokens[i].kind) &&
        (next == nk::NUM || next == nk::LPAREN || c.IsLetter(next) || c.IsPrefixFunction(next)))
      out.push_back(MakeToken(nk::TIMES));
  }
  tokens.swap(out);

  for (std::size_t i = 0; i < tokens.size(); ++i) {
    const std::uint16_t cur = tokens[i].kind;
    const std::uint16_t prev = i == 0 ? nk::SENTINEL : tokens[i - 1].kind;
    const std::uint16_t next = i + 1 < tokens.size() ? tokens[i + 1].kind : nk::SENTINEL;
    bool ok = false;
    if (cur == nk::LPAREN) {
      ok = (c.IsPrefixFunction(prev) || c.IsOperatorOrOpen(prev)) && c.IsOperandStart(next);
    } else if (cur == nk::RPAREN) {
      ok = IsValue(c, prev) && IsBinaryOrEnd(c, next);
    } else if (cur == nk::NUM || c.IsLetter(cur)) {
      ok = c.IsOperatorOrOpen(prev) && IsBinaryOrEnd(c, next);
    } else if (c.IsBinaryOperator(cur)) {
      ok = IsValue(c, prev) && c.IsOperandStart(next);
    } else if (cur == nk::NEG) {
      ok = (prev == nk::NUM || c.IsLetter(prev) || c.IsOperatorOrOpen(prev)) &&
           c.IsOperandStart(next);
    } else if (c.IsPrefixFunction(cur)) {
      ok = c.IsOperatorOrOpen(prev) && next == nk::LPAREN;
    }
    if (!ok) return kErrInconsistent;
  }
  return 0;
}

void StripOuterBrackets(TokenList& tokens) {
  if (tokens.size() == 3 && tokens[0].kind == nk::LPAREN && tokens[2].kind == nk::RPAREN) {
    Token operand = tokens[1];
    tokens.assign(1, operand);
  }
}

}  // namespace curvelo::parser
