#include "expr/keywords.h"

#include <string>

namespace curvelo {

namespace {

constexpr std::array<Keyword, kKeywordCount - 26> kFixedEntries = {{
    {"!", 33},        {"ARCTAN", 128},  {"ATN", 128},     {"TAN", 129},     {"COS", 130},
    {"EXP", 131},     {"FACT", 132},    {"INT", 133},     {"SINH", 134},    {"COSH", 135},
    {"TANH", 136},    {"ARCCOS", 137},  {"LN", 138},      {"ABS", 139},     {"ARCSIN", 140},
    {"SIN", 142},     {"SEC", 143},     {"CSC", 144},     {"COT", 145},     {"ARG", 147},
    {"SGN", 148},     {"FRAC", 149},    {"LOG", 150},     {"ITER", 151},    {"ROOT", 152},
    {"MAX", 153},     {"MIN", 154},     {"SECH", 155},    {"COTH", 156},    {"CSCH", 157},
    {"POW", 158},     {"BINOM", 159},   {"SUM", 161},     {"PROD", 162},    {"RAND", 163},
    {"RND", 163},     {"RANDOM", 163},  {"ERF", 164},     {"HVS", 165},     {"GAMMA", 169},
    {"CIS", 170},     {"RE", 171},      {"IM", 172},      {"CONJ", 173},    {"GAUSS", 174},
    {"NINF", 175},    {"PINF", 176},    {"CHI", 177},     {"FLOOR", 195},   {"CEIL", 196},
    {"MOD", 208},     {"GCD", 209},     {"ARGSINH", 210}, {"ARGCOSH", 211}, {"ARGTANH", 212},
    {"ARGCOTH", 213}, {"ARCCOT", 214},  {"LG", 215},      {"PI", 227},      {"PHI", 232},
    {"SQR", 251},     {"SQRT", 251},    {"DEG", 255},     {"POWER", 158},   {"ARCSEC", 216},
    {"ARCCSC", 217},  {"ARGSECH", 218}, {"ARGCSCH", 219},
}};

constexpr const char* kJoinNames[26] = {
    "JOINA", "JOINB", "JOINC", "JOIND", "JOINE", "JOINF", "JOING", "JOINH", "JOINI",
    "JOINJ", "JOINK", "JOINL", "JOINM", "JOINN", "JOINO", "JOINP", "JOINQ", "JOINR",
    "JOINS", "JOINT", "JOINU", "JOINV", "JOINW", "JOINX", "JOINY", "JOINZ"};

bool IsComplexOnly(std::uint16_t code) { return code == 171 || code == 172 || code == 173; }

}  // namespace

KeywordTable::KeywordTable() {
  std::size_t i = 0;
  for (const Keyword& k : kFixedEntries) entries_[i++] = k;
  for (int letter = 0; letter < 26; ++letter)
    entries_[i++] = {kJoinNames[letter], static_cast<std::uint16_t>(kJoinCodeBase + 1 + letter)};
  for (std::size_t k = 0; k < entries_.size(); ++k)
    lengths_[k] = static_cast<std::uint8_t>(std::char_traits<char>::length(entries_[k].name));
}

std::uint16_t KeywordTable::Lookup(std::string_view run, bool complexMode) const {
  if (run.empty() || run.size() > static_cast<std::size_t>(kMaxKeywordLength)) return 0;
  for (std::size_t i = 0; i < entries_.size(); ++i) {
    const Keyword& k = entries_[i];
    if (lengths_[i] != run.size() || k.name[0] != run[0]) continue;
    if (run.compare(0, run.size(), k.name, lengths_[i]) != 0) continue;
    if (IsComplexOnly(k.code) && !complexMode) return 0;
    return k.code;
  }
  return 0;
}

bool KeywordTable::IsKeywordName(std::string_view name) const {
  for (const Keyword& k : entries_)
    if (name == k.name) return true;
  return false;
}

}  // namespace curvelo
