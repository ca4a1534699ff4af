// Text passes of the formula compiler: they rewrite the upper-case working text byte by
// byte, replacing keywords by one-byte codes.

#include "expr/parser.h"
#include "expr/parser_errors.h"

namespace curvelo::parser {

namespace {

constexpr unsigned char kInvalidByte = 127;
constexpr unsigned char kSquareSign = 253;

unsigned char At(const std::string& s, std::size_t i) { return static_cast<unsigned char>(s[i]); }
bool IsLetterByte(unsigned char c) { return c >= '@' && c <= 'Z'; }
char Byte(std::uint16_t code) { return static_cast<char>(static_cast<unsigned char>(code)); }

// Index of the bracket closing the one at open, or npos.
std::size_t MatchingClose(const std::string& s, std::size_t open) {
  int depth = 0;
  for (std::size_t i = open; i < s.size(); ++i) {
    if (s[i] == '(') ++depth;
    else if (s[i] == ')' && --depth == 0) return i;
  }
  return std::string::npos;
}

// True when the first comma inside the bracket at open lies directly in it.
bool HasTopLevelComma(const std::string& s, std::size_t open) {
  if (open >= s.size() || s[open] != '(') return false;
  int depth = 0;
  for (std::size_t i = open; i < s.size(); ++i) {
    if (s[i] == '(') ++depth;
    else if (s[i] == ')' && --depth == 0) return false;
    else if (s[i] == ',') return depth == 1;
  }
  return false;
}

std::size_t FindComma(const std::string& s, std::size_t from, std::size_t end) {
  for (std::size_t i = from; i < end; ++i)
    if (s[i] == ',') return i;
  return std::string::npos;
}

std::size_t FindLastByte(const std::string& s, unsigned char code, std::size_t before) {
  for (std::size_t i = before; i-- > 0;)
    if (At(s, i) == code) return i;
  return std::string::npos;
}

}  // namespace

std::uint16_t PrepareText(std::string_view in, std::string& out) {
  out.clear();
  for (char ch : in) {
    if (ch == '\0') break;  // texts are NUL-terminated byte strings
    if (ch == ' ') continue;
    unsigned char c = static_cast<unsigned char>(ch);
    if (c >= 'a' && c <= 'z') c = static_cast<unsigned char>(c - 'a' + 'A');
    else if (c == '[' || c == '{') c = '(';
    else if (c == ']' || c == '}') c = ')';
    out.push_back(static_cast<char>(c));
  }
  if (out.empty()) return kErrCannotContinue;
  NeutraliseHighBytes(out);
  int depth = 0;
  for (char ch : out) {
    if (ch == '(') ++depth;
    else if (ch == ')' && --depth < 0) return kErrBrackets;
  }
  return depth == 0 ? 0 : kErrBrackets;
}

void NeutraliseHighBytes(std::string& text) {
  for (char& ch : text) {
    const unsigned char c = static_cast<unsigned char>(ch);
    if (c >= 128 && c != kSquareSign) ch = static_cast<char>(kInvalidByte);
  }
}

void ReplaceSquareSigns(std::string& text) {
  std::string out;
  out.reserve(text.size() + 8);
  for (char ch : text) {
    if (static_cast<unsigned char>(ch) == kSquareSign) out += "^2";
    else out.push_back(ch);
  }
  text.swap(out);
}

void ReplaceKeywords(std::string& text, const KeywordTable& keywords, bool complexMode) {
  std::string out;
  out.reserve(text.size() * 2);
  std::size_t i = 0;
  while (i < text.size()) {
    if (!IsLetterByte(At(text, i))) {
      out.push_back(text[i++]);
      continue;
    }
    std::size_t end = i;
    while (end < text.size() && IsLetterByte(At(text, end))) ++end;
    // The run, then each remainder after its first letter, is tried as a whole keyword.
    for (std::size_t start = i; start < end; ++start) {
      const std::string_view run(text.data() + start, end - start);
      std::uint16_t code = keywords.Lookup(run, complexMode);
      if (code == nk::ABS || code == nk::LOG || code == nk::ARG) {
        const bool comma = HasTopLevelComma(text, end);
        if (code == nk::ABS && comma) code = nk::ABS2;
        else if (code == nk::LOG && comma) code = nk::LG;
        else if (code == nk::ARG) code = comma ? nk::ARG2 : (complexMode ? nk::ARG : 0);
      }
      if (code > kJoinCodeBase) {
        out.push_back(Byte(nk::JOIN));
        out.push_back(static_cast<char>(code - kJoinCodeBase));
        break;
      }
      if (code != 0) {
        out.push_back(Byte(code));
        break;
      }
      out.push_back(text[start]);
      if (start + 1 < end) out.push_back('*');
    }
    i = end;
  }
  text.swap(out);
}

std::uint16_t RewriteSumsAndProducts(std::string& text) {
  for (std::uint16_t code : {nk::SUM, nk::PROD}) {
    // From the right, so that a rewritten call is never found again and calls nested in
    // the summand or the bounds are already rewritten (and comma-free) when the outer
    // call is read.
    std::size_t limit = text.size();
    for (;;) {
      const std::size_t p = FindLastByte(text, static_cast<unsigned char>(code), limit);
      if (p == std::string::npos) break;
      if (p + 1 >= text.size() || text[p + 1] != '(') return kErrNotUnderstood;
      const std::size_t close = MatchingClose(text, p + 1);
      if (close == std::string::npos) return kErrNotUnderstood;
      std::size_t c1 = std::string::npos;
      int depth = 0;
      for (std::size_t i = p + 1; i < close; ++i) {
        if (text[i] == '(') ++depth;
        else if (text[i] == ')') --depth;
        else if (text[i] == ',' && depth == 1) {
          c1 = i;
          break;
        }
      }
      if (c1 == std::string::npos || c1 == p + 2) return kErrNotUnderstood;
      // Exactly one character, the index letter, between the first two commas.
      if (c1 + 2 >= close || text[c1 + 1] == ',' || text[c1 + 2] != ',') return kErrNotUnderstood;
      const std::size_t c3 = FindComma(text, c1 + 3, close);
      if (c3 == std::string::npos || c3 == c1 + 3 || c3 + 1 >= close) return kErrNotUnderstood;
      std::string r;
      r.reserve(close - p + 8);
      r += "((";
      r.append(text, p + 2, c1 - (p + 2));
      r.push_back(Byte(nk::SUMTERM));
      r.push_back(text[c1 + 1]);
      r += ")";
      r.push_back(Byte(code));
      r += "(";
      r.append(text, c1 + 3, c3 - (c1 + 3));
      r.push_back(Byte(nk::SUMRANGE));
      r.append(text, c3 + 1, close - (c3 + 1));
      r += "))";
      text.replace(p, close - p + 1, r);
      limit = p;
    }
  }
  return 0;
}

std::uint16_t RewriteChi(std::string& text) {
  std::size_t limit = text.size();
  for (;;) {
    const std::size_t p = FindLastByte(text, static_cast<unsigned char>(nk::CHI), limit);
    if (p == std::string::npos) return 0;
    if (p + 1 >= text.size() || text[p + 1] != '(') return kErrNotUnderstood;
    const std::size_t close = MatchingClose(text, p + 1);
    if (close == std::string::npos) return kErrNotUnderstood;
    const std::size_t c1 = FindComma(text, p + 2, close);
    if (c1 == std::string::npos || c1 == p + 2) return kErrNotUnderstood;
    const std::size_t c2 = FindComma(text, c1 + 1, close);
    if (c2 == std::string::npos || c2 == c1 + 1 || c2 + 1 >= close) return kErrNotUnderstood;
    const std::string a = text.substr(p + 2, c1 - (p + 2));
    const std::string b = text.substr(c1 + 1, c2 - (c1 + 1));
    const std::string x = text.substr(c2 + 1, close - (c2 + 1));
    const char hvs = Byte(nk::HVS);
    // The outer bracket keeps the product together as one operand: 1/chi(...) and
    // chi(...)^2 then mean what they say.
    std::string r = "(";
    r += hvs;
    r += "((" + x + ")-(" + a + "))*";
    r += hvs;
    r += "((" + b + ")-(" + x + ")))";
    text.replace(p, close - p + 1, r);
    limit = p;
  }
}

void MarkUnaryMinus(std::string& text, const CharClasses& classes) {
  for (std::size_t i = 0; i < text.size(); ++i) {
    if (text[i] != '-') continue;
    const unsigned char prev = i == 0 ? 0 : At(text, i - 1);
    if (i == 0 || classes.IsBinaryOperator(prev) || prev == '(' || prev == ',' || prev == nk::NEG)
      text[i] = Byte(nk::NEG);
  }
}

}  // namespace curvelo::parser
