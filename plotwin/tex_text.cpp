#include "plotwin/tex_text.h"

#include <array>
#include <cstdint>
#include <utility>

namespace curvelo {
namespace {

// Hungarian and nearby letters as TeX accents on a base letter.
struct Accented {
    char32_t c;
    const char* tex;
};
constexpr std::array kAccented = {
    Accented{U'á', "\\'a"},  Accented{U'é', "\\'e"},  Accented{U'í', "\\'\\i "}, Accented{U'ó', "\\'o"},
    Accented{U'ö', "\\\"o"}, Accented{U'ő', "\\H o"}, Accented{U'ú', "\\'u"},    Accented{U'ü', "\\\"u"},
    Accented{U'ű', "\\H u"}, Accented{U'Á', "\\'A"},  Accented{U'É', "\\'E"},    Accented{U'Í', "\\'I"},
    Accented{U'Ó', "\\'O"},  Accented{U'Ö', "\\\"O"}, Accented{U'Ő', "\\H O"},   Accented{U'Ú', "\\'U"},
    Accented{U'Ü', "\\\"U"}, Accented{U'Ű', "\\H U"}, Accented{U'ä', "\\\"a"},   Accented{U'Ä', "\\\"A"},
};

// Greek letters of the symbol font, as math symbols.
constexpr std::array<std::pair<char32_t, const char*>, 25> kGreek = {{
    {U'α', "\\alpha"}, {U'β', "\\beta"},   {U'γ', "\\gamma"}, {U'δ', "\\delta"},  {U'ε', "\\epsilon"},
    {U'ζ', "\\zeta"},  {U'η', "\\eta"},    {U'θ', "\\theta"}, {U'ι', "\\iota"},   {U'κ', "\\kappa"},
    {U'λ', "\\lambda"}, {U'μ', "\\mu"},    {U'ν', "\\nu"},    {U'ξ', "\\xi"},     {U'ο', "o"},
    {U'π', "\\pi"},    {U'ρ', "\\rho"},    {U'σ', "\\sigma"}, {U'τ', "\\tau"},    {U'υ', "\\upsilon"},
    {U'φ', "\\phi"},   {U'χ', "\\chi"},    {U'ψ', "\\psi"},   {U'ω', "\\omega"},  {U'ϖ', "\\varpi"},
}};

// The next code point of s from i; malformed bytes read as one replacement each.
char32_t Next(std::string_view s, std::size_t& i) {
    const unsigned char c = static_cast<unsigned char>(s[i]);
    if (c < 0x80) {
        ++i;
        return c;
    }
    const int extra = c >= 0xF8 ? -1 : c >= 0xF0 ? 3 : c >= 0xE0 ? 2 : c >= 0xC0 ? 1 : -1;
    if (extra < 0 || i + static_cast<std::size_t>(extra) >= s.size()) {
        ++i;
        return 0xFFFD;
    }
    char32_t cp = c & (0x3F >> extra);
    for (int k = 1; k <= extra; ++k) {
        const unsigned char t = static_cast<unsigned char>(s[i + static_cast<std::size_t>(k)]);
        if ((t & 0xC0) != 0x80) {
            ++i;
            return 0xFFFD;
        }
        cp = (cp << 6) | (t & 0x3F);
    }
    i += static_cast<std::size_t>(extra) + 1;
    return cp;
}

const char* AccentOf(char32_t c) {
    for (const Accented& a : kAccented)
        if (a.c == c) return a.tex;
    return nullptr;
}

const char* GreekOf(char32_t c) {
    for (const auto& g : kGreek)
        if (g.first == c) return g.second;
    return nullptr;
}

bool IsDash(char32_t c) { return c == 0x2013 || c == 0x2014 || c == 0x2212; }

// The characters TeX treats specially that both modes escape with a backslash alone.
bool EscapedAlike(char32_t c) {
    return c == '{' || c == '}' || c == '$' || c == '#' || c == '%' || c == '&' || c == '_';
}

}  // namespace

std::string TexMath(std::string_view utf8) {
    std::string out;
    for (std::size_t i = 0; i < utf8.size();) {
        const char32_t c = Next(utf8, i);
        if (EscapedAlike(c)) {
            out += '\\';
            out += static_cast<char>(c);
            continue;
        }
        switch (c) {
        case '\\': out += "\\backslash "; continue;
        case '^': out += "\\hat{}"; continue;
        case '~': out += "\\sim "; continue;
        case ' ': out += "\\ "; continue;
        default: break;
        }
        if (c < 32 || c == 127) continue;
        if (c < 127) {
            out += static_cast<char>(c);
        } else if (const char* g = GreekOf(c)) {
            out += std::string(g) + " ";
        } else if (IsDash(c)) {
            out += '-';
        } else if (const char* a = AccentOf(c)) {
            out += std::string("\\hbox{") + a + "}";
        } else {
            out += '?';
        }
    }
    return out;
}

std::string TexText(std::string_view utf8) {
    std::string out;
    for (std::size_t i = 0; i < utf8.size();) {
        const char32_t c = Next(utf8, i);
        if (EscapedAlike(c)) {
            out += '\\';
            out += static_cast<char>(c);
            continue;
        }
        switch (c) {
        case '\\': out += "\\textbackslash{}"; continue;
        case '^': out += "\\^{}"; continue;
        case '~': out += "\\~{}"; continue;
        case '<': out += "\\textless{}"; continue;
        case '>': out += "\\textgreater{}"; continue;
        case '|': out += "\\textbar{}"; continue;
        default: break;
        }
        if (c < 32 || c == 127) continue;
        if (c < 127) {
            out += static_cast<char>(c);
        } else if (const char* g = GreekOf(c)) {
            out += std::string("$") + g + "$";
        } else if (IsDash(c)) {
            out += "--";
        } else if (const char* a = AccentOf(c)) {
            out += std::string("{") + a + "}";
        } else {
            out += '?';
        }
    }
    return out;
}

}  // namespace curvelo
