#include "expr/codepage.h"

#include <array>

namespace curvelo {
namespace {

// Code points of the bytes 0x80-0xFF.
constexpr std::array<char32_t, 128> kHigh = {
    0x20AC, 0x0081, 0x201A, 0x0083, 0x201E, 0x2026, 0x2020, 0x2021,
    0x0088, 0x2030, 0x0160, 0x2039, 0x015A, 0x0164, 0x017D, 0x0179,
    0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,
    0x0098, 0x2122, 0x0161, 0x203A, 0x015B, 0x0165, 0x017E, 0x017A,
    0x00A0, 0x02C7, 0x02D8, 0x0141, 0x00A4, 0x0104, 0x00A6, 0x00A7,
    0x00A8, 0x00A9, 0x015E, 0x00AB, 0x00AC, 0x00AD, 0x00AE, 0x017B,
    0x00B0, 0x00B1, 0x02DB, 0x0142, 0x00B4, 0x00B5, 0x00B6, 0x00B7,
    0x00B8, 0x0105, 0x015F, 0x00BB, 0x013D, 0x02DD, 0x013E, 0x017C,
    0x0154, 0x00C1, 0x00C2, 0x0102, 0x00C4, 0x0139, 0x0106, 0x00C7,
    0x010C, 0x00C9, 0x0118, 0x00CB, 0x011A, 0x00CD, 0x00CE, 0x010E,
    0x0110, 0x0143, 0x0147, 0x00D3, 0x00D4, 0x0150, 0x00D6, 0x00D7,
    0x0158, 0x016E, 0x00DA, 0x0170, 0x00DC, 0x00DD, 0x0162, 0x00DF,
    0x0155, 0x00E1, 0x00E2, 0x0103, 0x00E4, 0x013A, 0x0107, 0x00E7,
    0x010D, 0x00E9, 0x0119, 0x00EB, 0x011B, 0x00ED, 0x00EE, 0x010F,
    0x0111, 0x0144, 0x0148, 0x00F3, 0x00F4, 0x0151, 0x00F6, 0x00F7,
    0x0159, 0x016F, 0x00FA, 0x0171, 0x00FC, 0x00FD, 0x0163, 0x02D9,};

// Closest Windows-1250 character for a code point the code page lacks. The Hungarian
// double-acute letters are commonly typed with a circumflex or tilde; other accented Latin
// letters lose their accent; typographic marks become their plain form.
char32_t Substitute(char32_t cp) {
    switch (cp) {
    case U'û': return U'ű';
    case U'Û': return U'Ű';
    case U'õ': return U'ő';
    case U'Õ': return U'Ő';
    case U'ũ': case U'ù': case U'ū': case U'ŭ': case U'ų': return U'u';
    case U'Ũ': case U'Ù': case U'Ū': case U'Ŭ': case U'Ų': return U'U';
    case U'à': case U'å': case U'ã': case U'ā': case U'æ': return U'a';
    case U'À': case U'Å': case U'Ã': case U'Ā': case U'Æ': return U'A';
    case U'è': case U'ê': case U'ē': case U'ė': case U'ĕ': return U'e';
    case U'È': case U'Ê': case U'Ē': case U'Ė': case U'Ĕ': return U'E';
    case U'ì': case U'ï': case U'ĩ': case U'ī': case U'ı': case U'į': return U'i';
    case U'Ì': case U'Ï': case U'Ĩ': case U'Ī': case U'İ': case U'Į': return U'I';
    case U'ò': case U'ø': case U'ō': case U'ŏ': return U'o';
    case U'Ò': case U'Ø': case U'Ō': case U'Ŏ': return U'O';
    case U'ñ': case U'ņ': return U'n';
    case U'Ñ': case U'Ņ': return U'N';
    case U'ÿ': case U'ŷ': return U'y';
    case U'Ÿ': case U'Ŷ': return U'Y';
    case U'ĝ': case U'ğ': case U'ġ': case U'ģ': return U'g';
    case U'Ĝ': case U'Ğ': case U'Ġ': case U'Ģ': return U'G';
    case U'ĉ': case U'ċ': return U'c';
    case U'Ĉ': case U'Ċ': return U'C';
    case U'ķ': return U'k';
    case U'Ķ': return U'K';
    case U'ļ': case U'ŀ': return U'l';
    case U'Ļ': case U'Ŀ': return U'L';
    case U'ŗ': return U'r';
    case U'Ŗ': return U'R';
    case U'ŝ': return U's';
    case U'Ŝ': return U'S';
    case U'ĵ': return U'j';
    case U'Ĵ': return U'J';
    case U'ĥ': case U'ħ': return U'h';
    case U'Ĥ': case U'Ħ': return U'H';
    case U'ŵ': return U'w';
    case U'Ŵ': return U'W';
    case U'ð': return U'd';
    case U'Ð': return U'Đ';
    case U'\u2032': return U'\'';
    case U'\u2033': return U'"';
    case U'\u2212': case U'\u2010': case U'\u2011': return U'-';
    case U'\u2015': return U'\u2014';
    case U'\u2002': case U'\u2003': case U'\u2009': case U'\u202F': return U' ';
    default: return 0;
    }
}

// Decodes one UTF-8 sequence at s[i]; advances i. Returns U+FFFD for malformed input
// (overlong forms, surrogates, values above U+10FFFF, truncated sequences).
char32_t DecodeOne(std::string_view s, std::size_t& i) {
    auto b0 = static_cast<unsigned char>(s[i++]);
    if (b0 < 0x80) return b0;
    int extra;
    char32_t cp;
    char32_t min;
    if ((b0 & 0xE0) == 0xC0) { extra = 1; cp = b0 & 0x1F; min = 0x80; }
    else if ((b0 & 0xF0) == 0xE0) { extra = 2; cp = b0 & 0x0F; min = 0x800; }
    else if ((b0 & 0xF8) == 0xF0) { extra = 3; cp = b0 & 0x07; min = 0x10000; }
    else return 0xFFFD;
    for (int k = 0; k < extra; ++k) {
        if (i >= s.size()) return 0xFFFD;
        auto b = static_cast<unsigned char>(s[i]);
        if ((b & 0xC0) != 0x80) return 0xFFFD;  // the next byte starts a new character
        cp = (cp << 6) | (b & 0x3F);
        ++i;
    }
    if (cp < min || cp > 0x10FFFF || (cp >= 0xD800 && cp <= 0xDFFF)) return 0xFFFD;
    return cp;
}

void AppendUtf8(std::string& out, char32_t cp) {
    if (cp < 0x80) {
        out += static_cast<char>(cp);
    } else if (cp < 0x800) {
        out += static_cast<char>(0xC0 | (cp >> 6));
        out += static_cast<char>(0x80 | (cp & 0x3F));
    } else {
        out += static_cast<char>(0xE0 | (cp >> 12));
        out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (cp & 0x3F));
    }
}

}  // namespace

char32_t Cp1250ToUnicode(std::uint8_t byte) {
    return byte < 0x80 ? char32_t(byte) : kHigh[byte - 0x80];
}

std::uint8_t UnicodeToCp1250(char32_t cp) {
    if (cp < 0x80) return static_cast<std::uint8_t>(cp);
    for (std::size_t k = 0; k < kHigh.size(); ++k)
        if (kHigh[k] == cp) return static_cast<std::uint8_t>(0x80 + k);
    return 0;
}

std::string Cp1250ToUtf8(std::string_view bytes) {
    std::string out;
    out.reserve(bytes.size() + bytes.size() / 4);
    for (char c : bytes) AppendUtf8(out, Cp1250ToUnicode(static_cast<std::uint8_t>(c)));
    return out;
}

std::string Utf8ToCp1250(std::string_view utf8) {
    std::string out;
    out.reserve(utf8.size());
    std::size_t i = 0;
    while (i < utf8.size()) {
        char32_t cp = DecodeOne(utf8, i);
        if (cp == 0) {
            out += '\0';
            continue;
        }
        std::uint8_t b = UnicodeToCp1250(cp);
        if (!b) {
            char32_t sub = Substitute(cp);
            b = sub ? UnicodeToCp1250(sub) : 0;
        }
        out += static_cast<char>(b ? b : '?');
    }
    return out;
}

}  // namespace curvelo
