// Saving that never destroys the old file, and reading that refuses oversized files.
// Plain POSIX; used for documents and settings files.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

namespace curvelo {

// Writes the bytes to a temporary file in the target's folder, checks the length of every
// write, flushes it to the disk and only then renames it over the target. On any failure the
// temporary file is removed, the target is left exactly as it was and false is returned;
// *error (when given) receives the reason in English for logs and tests.
bool WriteFileSafely(const std::string& path, const std::uint8_t* data, std::size_t size,
                     std::string* error = nullptr);
inline bool WriteFileSafely(const std::string& path, const std::vector<std::uint8_t>& bytes,
                            std::string* error = nullptr) {
    return WriteFileSafely(path, bytes.data(), bytes.size(), error);
}

enum class ReadFileStatus { Ok, CannotOpen, NotRegular, TooLarge, ReadError };

// Largest document or settings file the program reads.
constexpr std::size_t kMaxReadFileBytes = std::size_t(64) << 20;

// Reads a whole regular file of at most maxBytes bytes into out (emptied first).
ReadFileStatus ReadFileBounded(const std::string& path, std::vector<std::uint8_t>& out,
                               std::size_t maxBytes = kMaxReadFileBytes);

}  // namespace curvelo
