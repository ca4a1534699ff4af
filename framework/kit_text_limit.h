// Edits of the kit hold at most a given number of characters (UTF-8 code points).
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace curvelo {

// The text cut after maxChars characters, never inside a multi-byte character.
std::string LimitText(std::string_view text, std::size_t maxChars);

}  // namespace curvelo
