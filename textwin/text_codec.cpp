#include "textwin/text_codec.h"

namespace curvelo {
namespace {

// Length of the valid UTF-8 sequence starting at s[i], or 0 when it is not valid.
std::size_t Utf8Length(std::string_view s, std::size_t i, char32_t* out) {
    auto b = [&](std::size_t k) { return static_cast<unsigned char>(s[i + k]); };
    unsigned char c = b(0);
    if (c < 0x80) { *out = c; return 1; }
    std::size_t n = c >= 0xF0 && c <= 0xF4 ? 4 : c >= 0xE0 ? 3 : c >= 0xC2 && c < 0xE0 ? 2 : 0;
    if (n == 0 || i + n > s.size()) return 0;
    char32_t cp = c & (0x7F >> n);
    for (std::size_t k = 1; k < n; ++k) {
        if ((b(k) & 0xC0) != 0x80) return 0;
        cp = (cp << 6) | (b(k) & 0x3F);
    }
    // Overlong forms, surrogates and values beyond the Unicode range are refused.
    if ((n == 3 && cp < 0x800) || (n == 4 && (cp < 0x10000 || cp > 0x10FFFF)) ||
        (cp >= 0xD800 && cp <= 0xDFFF))
        return 0;
    *out = cp;
    return n;
}

}  // namespace

std::u32string DecodeText(std::string_view bytes) {
    std::u32string out;
    out.reserve(bytes.size());
    for (std::size_t i = 0; i < bytes.size();) {
        char32_t cp = 0;
        std::size_t n = Utf8Length(bytes, i, &cp);
        if (n == 0) {
            out += Cp1250ToUnicode(static_cast<unsigned char>(bytes[i]));
            ++i;
        } else {
            out += cp;
            i += n;
        }
    }
    return out;
}

std::string EncodeUtf8(std::u32string_view text) {
    std::string out;
    out.reserve(text.size());
    for (char32_t c : text) {
        if (c > 0x10FFFF || (c >= 0xD800 && c <= 0xDFFF)) c = 0xFFFD;
        if (c < 0x80) {
            out += static_cast<char>(c);
        } else if (c < 0x800) {
            out += static_cast<char>(0xC0 | (c >> 6));
            out += static_cast<char>(0x80 | (c & 0x3F));
        } else if (c < 0x10000) {
            out += static_cast<char>(0xE0 | (c >> 12));
            out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
            out += static_cast<char>(0x80 | (c & 0x3F));
        } else {
            out += static_cast<char>(0xF0 | (c >> 18));
            out += static_cast<char>(0x80 | ((c >> 12) & 0x3F));
            out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
            out += static_cast<char>(0x80 | (c & 0x3F));
        }
    }
    return out;
}

std::size_t CountChars(std::string_view utf8) {
    std::size_t count = 0;
    for (std::size_t i = 0; i < utf8.size(); ++count) {
        char32_t cp = 0;
        std::size_t n = Utf8Length(utf8, i, &cp);
        i += n ? n : 1;
    }
    return count;
}

std::size_t Utf16Position(std::u32string_view text, std::size_t codePointIndex) {
    std::size_t pos = 0;
    for (std::size_t i = 0; i < codePointIndex && i < text.size(); ++i) pos += text[i] > 0xFFFF ? 2 : 1;
    return pos + (codePointIndex > text.size() ? codePointIndex - text.size() : 0);
}

std::size_t CodePointIndex(std::u32string_view text, std::size_t utf16Position) {
    std::size_t pos = 0, i = 0;
    while (i < text.size() && pos < utf16Position) pos += text[i++] > 0xFFFF ? 2 : 1;
    return i + (pos < utf16Position ? utf16Position - pos : 0);
}

}  // namespace curvelo
