// Plain operations on a text window's text: the size limit and the minus-sign rewrite.
#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

namespace curvelo {

// A text window holds at most this many characters.
inline constexpr std::size_t kTextWinMaxChars = 64000;

// The text cut to at most maxChars characters (never inside a UTF-8 sequence).
std::string CutToChars(std::string_view utf8, std::size_t maxChars = kTextWinMaxChars);

// The code typed into the minus-sign dialog: a decimal integer 2..255, else nothing.
std::optional<int> ParseMinusCode(std::string_view answer);

// Every '-' replaced by the character of the given single-byte code.
std::string ReplaceMinus(std::string_view utf8, int code);

}  // namespace curvelo
