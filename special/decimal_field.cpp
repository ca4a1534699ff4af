#include "special/decimal_field.h"

#include <cctype>
#include <cmath>
#include <cstdlib>
#include <string>

namespace curvelo {

bool ParseDecimal(std::string_view text, long double& value) {
    std::size_t i = 0, n = text.size();
    while (i < n && text[i] == ' ') ++i;
    while (n > i && text[n - 1] == ' ') --n;
    const std::string_view t = text.substr(i, n - i);
    if (t.empty() || t.size() > 64) return false;
    std::size_t k = 0;
    if (t[k] == '+' || t[k] == '-') ++k;
    int digits = 0, points = 0;
    for (; k < t.size() && (std::isdigit(static_cast<unsigned char>(t[k])) || t[k] == '.'); ++k)
        t[k] == '.' ? ++points : ++digits;
    if (digits == 0 || points > 1) return false;
    if (k < t.size() && (t[k] == 'e' || t[k] == 'E')) {
        ++k;
        if (k < t.size() && (t[k] == '+' || t[k] == '-')) ++k;
        int exponentDigits = 0;
        for (; k < t.size() && std::isdigit(static_cast<unsigned char>(t[k])); ++k) ++exponentDigits;
        if (exponentDigits == 0) return false;
    }
    if (k != t.size()) return false;
    const std::string copy(t);
    const long double v = std::strtold(copy.c_str(), nullptr);
    if (!std::isfinite(v)) return false;
    value = v;
    return true;
}

}  // namespace curvelo
