// Reading and writing the plain-text files of text windows.
#pragma once

#include <string>

namespace curvelo {

// Reads at most maxChars characters (UTF-8; bytes that are not UTF-8 are read as the
// Hungarian single-byte code page). Reading stops at a NUL. Returns 0, or 11 when the
// file cannot be opened or read.
int ReadTextFile(const std::string& path, std::string* text, std::size_t maxChars);

// Writes the text and a terminating NUL through a temporary file in the same folder that
// replaces the old file only when every byte was written. Returns 0, or 12 on failure.
int WriteTextFile(const std::string& path, const std::string& text);

}  // namespace curvelo
