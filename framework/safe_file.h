// The one reader for files from outside and the one writer for every file the program
// writes. Plain POSIX, no Qt: every layer above may use it.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace curvelo {

// Writes the bytes to a temporary file in the target's folder, checks the length of every
// write, flushes it to the disk and only then renames it over the target. On any failure the
// temporary file is removed, the target is left exactly as it was and false is returned;
// *error (when given) receives the reason in English for logs and messages. A target that
// is write-protected (no write permission bit, or not writable by this user) is refused:
// the user protected it, so it is not replaced behind their back.
bool WriteFileSafely(const std::string& path, const std::uint8_t* data, std::size_t size,
                     std::string* error = nullptr);
inline bool WriteFileSafely(const std::string& path, const std::vector<std::uint8_t>& bytes,
                            std::string* error = nullptr) {
    return WriteFileSafely(path, bytes.data(), bytes.size(), error);
}
inline bool WriteFileSafely(const std::string& path, std::string_view text, std::string* error = nullptr) {
    return WriteFileSafely(path, reinterpret_cast<const std::uint8_t*>(text.data()), text.size(), error);
}

// The name of the temporary file a save of this target uses before the random suffix
// "XXXXXX": a dot, the target's name shortened so that the whole name fits in one
// directory entry, and a dot.
std::string TemporaryNamePrefix(const std::string& targetPath);

enum class ReadFileStatus { Ok, CannotOpen, NotRegular, TooLarge, ReadError };

// Largest document or settings file the program reads.
constexpr std::size_t kMaxReadFileBytes = std::size_t(64) << 20;

// Reads a whole regular file of at most maxBytes bytes into out (emptied first). The file is
// opened without blocking, so a named pipe, a device or a directory is refused at once.
ReadFileStatus ReadFileBounded(const std::string& path, std::vector<std::uint8_t>& out,
                               std::size_t maxBytes = kMaxReadFileBytes);

// As ReadFileBounded, but a longer file is read only up to maxBytes (texts are cut there).
ReadFileStatus ReadFileHead(const std::string& path, std::vector<std::uint8_t>& out, std::size_t maxBytes);

}  // namespace curvelo
