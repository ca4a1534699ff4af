#include "plotwin/tick_labels.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <numeric>

#include "plotwin/frame_settings.h"
#include "plotwin/number_format.h"
#include "plotwin/to_int.h"
#include "textwin/text_codec.h"

namespace curvelo {
namespace {

constexpr long double kOneOverPi = 0.3183098861837907L;

// The Greek letters of the symbol font's Latin positions, 'A'..'Z' and 'a'..'z'.
constexpr char32_t kSymbolUpper[26] = {
    U'Α', U'Β', U'Χ', U'Δ', U'Ε', U'Φ', U'Γ', U'Η', U'Ι', U'ϑ', U'Κ', U'Λ', U'Μ',
    U'Ν', U'Ο', U'Π', U'Θ', U'Ρ', U'Σ', U'Τ', U'Υ', U'ς', U'Ω', U'Ξ', U'Ψ', U'Ζ'};
constexpr char32_t kSymbolLower[26] = {
    U'α', U'β', U'χ', U'δ', U'ε', U'φ', U'γ', U'η', U'ι', U'ϕ', U'κ', U'λ', U'μ',
    U'ν', U'ο', U'π', U'θ', U'ρ', U'σ', U'τ', U'υ', U'ϖ', U'ω', U'ξ', U'ψ', U'ζ'};

std::string IntText(long long v) { return std::to_string(v); }

}  // namespace

Fraction RationalApprox(long double t, int m) {
    if (m < 1) m = 1;
    const long double a = std::fabs(t);
    Fraction f;
    if (!std::isfinite(a)) return f;
    const long double tolerance = 0.5L / m;
    for (int q = 1; q <= m; ++q) {
        const int p = ToInt(q * a);
        f = {p, q};
        if (std::fabs(p - q * a) < tolerance) break;
    }
    const int g = std::gcd(f.p, f.q);
    if (g > 1) {
        f.p /= g;
        f.q /= g;
    }
    if (t < 0) f.p = -f.p;
    return f;
}

std::string CharCodeText(int code, bool symbolFont) {
    code = std::clamp(code, 0, 255);
    char32_t c = static_cast<char32_t>(code);
    if (symbolFont && code >= 'A' && code <= 'Z')
        c = kSymbolUpper[code - 'A'];
    else if (symbolFont && code >= 'a' && code <= 'z')
        c = kSymbolLower[code - 'a'];
    else if (code >= 128)
        c = Cp1250ToUnicode(static_cast<unsigned char>(code));
    return EncodeUtf8(std::u32string_view(&c, 1));
}

std::string PiLabel(long double value, int maxDenominator, int piChar) {
    const Fraction f = RationalApprox(value * kOneOverPi, maxDenominator);
    if (f.p == 0) return "0";
    std::string out;
    if (f.p == -1)
        out = "-";
    else if (f.p != 1)
        out = IntText(f.p);
    out += CharCodeText(piChar, true);
    if (f.q >= 2) out += "/" + IntText(f.q);
    return out;
}

std::string FormatTickValue(long double value, int decimals) {
    if (decimals <= 0) {
        // Truncation, saturating like every conversion to int.
        long double t = std::trunc(value);
        if (std::isnan(t)) t = 0;
        t = std::clamp(t, -2147483647.0L, 2147483647.0L);
        return IntText(static_cast<long long>(t));
    }
    const int d = std::min(decimals, kMaxTickDecimals);
    return FormatFixed(value, d + 2, d);
}

std::string FormatTickNumber(long double value, const FrameSettings& s, int axis) {
    const bool pi = axis == 0 ? s.piModeX : s.piModeY;
    if (pi) return PiLabel(value, 100, s.piChar);
    return FormatTickValue(value, axis == 0 ? s.decimalsX : s.decimalsY);
}

std::string ApplyLongMinus(std::string_view text, int minusChar) {
    const std::string minus = CharCodeText(minusChar, false);
    std::string out;
    out.reserve(text.size() + 4);
    for (char ch : text) {
        if (ch == '-')
            out += minus;
        else
            out += ch;
    }
    return out;
}

LabelBox PlaceLabel(int px, int py, int w, int h, int a, int b) {
    return {px + ((a - 1) * w) / 2, py - ((b + 1) * h) / 2};
}

}  // namespace curvelo
