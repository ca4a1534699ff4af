// Conversions between the UTF-8 texts of the program, code points and the single-byte
// code page of older Hungarian text files.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

#include "expr/codepage.h"

namespace curvelo {

// Decodes UTF-8; an invalid byte is taken as a Windows-1250 character, so that any
// file gives a readable text.
std::u32string DecodeText(std::string_view bytes);
std::string EncodeUtf8(std::u32string_view text);

// Number of code points in a UTF-8 text (invalid bytes count one each).
std::size_t CountChars(std::string_view utf8);

// The edit control counts positions in UTF-16 units: characters beyond the basic plane take
// two. These convert between those positions and code-point indexes of the same text.
std::size_t Utf16Position(std::u32string_view text, std::size_t codePointIndex);
std::size_t CodePointIndex(std::u32string_view text, std::size_t utf16Position);

}  // namespace curvelo
