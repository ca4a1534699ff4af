#include "textwin/text_file.h"

#include "framework/safe_file.h"
#include "textwin/text_codec.h"

#include <cstdint>
#include <vector>

namespace curvelo {

int ReadTextFile(const std::string& path, std::string* text, std::size_t maxChars) {
    // A character takes at most four bytes: this bounds the read whatever the file's size.
    std::vector<std::uint8_t> raw;
    if (path.empty() || ReadFileHead(path, raw, maxChars * 4) != ReadFileStatus::Ok) return 11;
    std::string bytes(raw.begin(), raw.end());
    if (auto nul = bytes.find('\0'); nul != std::string::npos) bytes.resize(nul);
    std::u32string chars = DecodeText(bytes);
    if (chars.size() > maxChars) chars.resize(maxChars);
    *text = EncodeUtf8(chars);
    return 0;
}

int WriteTextFile(const std::string& path, const std::string& text) {
    if (path.empty()) return 12;
    // The stored text ends with a zero byte.
    std::string bytes = text;
    bytes.push_back('\0');
    return WriteFileSafely(path, bytes) ? 0 : 12;
}

}  // namespace curvelo
