#include "textwin/text_file.h"

#include "textwin/text_codec.h"

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <system_error>
#include <unistd.h>

namespace curvelo {

int ReadTextFile(const std::string& path, std::string* text, std::size_t maxChars) {
    std::error_code ec;
    if (path.empty() || std::filesystem::is_directory(path, ec)) return 11;
    std::FILE* f = std::fopen(path.c_str(), "rb");
    if (!f) return 11;
    // A character takes at most four bytes: this bounds the read whatever the file's size.
    const std::size_t maxBytes = maxChars * 4;
    std::string bytes;
    char chunk[8192];
    bool failed = false;
    while (bytes.size() < maxBytes) {
        std::size_t want = std::min(sizeof chunk, maxBytes - bytes.size());
        std::size_t got = std::fread(chunk, 1, want, f);
        bytes.append(chunk, got);
        if (got < want) {
            failed = std::ferror(f) != 0;
            break;
        }
    }
    std::fclose(f);
    if (failed) return 11;
    if (auto nul = bytes.find('\0'); nul != std::string::npos) bytes.resize(nul);
    std::u32string chars = DecodeText(bytes);
    if (chars.size() > maxChars) chars.resize(maxChars);
    *text = EncodeUtf8(chars);
    return 0;
}

int WriteTextFile(const std::string& path, const std::string& text) {
    if (path.empty()) return 12;
    const std::string temp = path + ".tmp" + std::to_string(::getpid());
    std::FILE* f = std::fopen(temp.c_str(), "wb");
    if (!f) return 12;
    bool ok = std::fwrite(text.data(), 1, text.size(), f) == text.size() && std::fputc(0, f) == 0;
    ok = std::fflush(f) == 0 && ok;
    ok = ::fsync(::fileno(f)) == 0 && ok;
    ok = std::fclose(f) == 0 && ok;
    std::error_code ec;
    if (ok) std::filesystem::rename(temp, path, ec);
    if (!ok || ec) {
        std::filesystem::remove(temp, ec);
        return 12;
    }
    return 0;
}

}  // namespace curvelo
