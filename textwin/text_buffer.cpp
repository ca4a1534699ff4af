#include "textwin/text_buffer.h"

#include "textwin/text_codec.h"

#include <charconv>

namespace curvelo {

std::string CutToChars(std::string_view utf8, std::size_t maxChars) {
    if (utf8.size() <= maxChars) return std::string(utf8);
    std::u32string chars = DecodeText(utf8);
    if (chars.size() > maxChars) chars.resize(maxChars);
    return EncodeUtf8(chars);
}

std::optional<int> ParseMinusCode(std::string_view answer) {
    while (!answer.empty() && (answer.front() == ' ' || answer.front() == '\t')) answer.remove_prefix(1);
    while (!answer.empty() && (answer.back() == ' ' || answer.back() == '\t')) answer.remove_suffix(1);
    int value = 0;
    auto [end, ec] = std::from_chars(answer.data(), answer.data() + answer.size(), value);
    if (answer.empty() || ec != std::errc() || end != answer.data() + answer.size()) return std::nullopt;
    if (value < 2 || value > 255) return std::nullopt;
    return value;
}

std::string ReplaceMinus(std::string_view utf8, int code) {
    const char32_t one[1] = {Cp1250ToUnicode(static_cast<unsigned char>(code))};
    const std::string with = EncodeUtf8(std::u32string_view(one, 1));
    std::string out;
    out.reserve(utf8.size());
    for (char c : utf8) {
        if (c == '-') out += with;
        else out += c;
    }
    return out;
}

}  // namespace curvelo
