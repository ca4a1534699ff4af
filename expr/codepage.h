// Conversion between the program's UTF-8 texts and the Windows-1250 code page in which
// document and settings files store their texts. Used only at the file boundary.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace curvelo {

// Bytes in Windows-1250 to UTF-8. Every byte maps to a character; the five bytes the code
// page leaves undefined map to the C1 controls of the same value, so nothing is lost.
std::string Cp1250ToUtf8(std::string_view bytes);

// UTF-8 to Windows-1250. A character the code page lacks becomes its closest letter
// (û -> ű, õ -> ő, letters with other accents -> the bare letter, typographic marks ->
// their plain form) or '?' when there is none; malformed UTF-8 bytes become '?'.
std::string Utf8ToCp1250(std::string_view utf8);

// The Unicode code point of one Windows-1250 byte.
char32_t Cp1250ToUnicode(std::uint8_t byte);
// The byte for a code point, or 0 when the code page has none (the NUL character maps to 0).
std::uint8_t UnicodeToCp1250(char32_t cp);

}  // namespace curvelo
