#pragma once
// The keyword table of the formula language: 94 names of up to 9 letters, each with its code.

#include <array>
#include <cstdint>
#include <string_view>

namespace curvelo {

struct Keyword {
  const char* name;
  std::uint16_t code;
};

inline constexpr int kKeywordCount = 94;
inline constexpr int kMaxKeywordLength = 9;
// Codes above this stand for JOIN with the letter index code - kJoinCodeBase.
inline constexpr std::uint16_t kJoinCodeBase = 1000;

class KeywordTable {
 public:
  KeywordTable();
  // Exact match of an upper-case letter run; 0 when it is not a keyword. RE, IM and CONJ
  // are keywords only in complex mode.
  std::uint16_t Lookup(std::string_view run, bool complexMode) const;
  // True for any of the 94 names regardless of mode (user functions may not use them).
  bool IsKeywordName(std::string_view name) const;
  const std::array<Keyword, kKeywordCount>& Entries() const { return entries_; }

 private:
  std::array<Keyword, kKeywordCount> entries_;
  std::array<std::uint8_t, kKeywordCount> lengths_{};  // compared first: lookups are hot
};

}  // namespace curvelo
