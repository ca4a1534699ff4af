#include "plotwin/number_format.h"

#include <algorithm>
#include <cstdio>

namespace curvelo {
namespace {

constexpr int kMaxWidth = 60;
constexpr int kMaxDecimals = 30;

}  // namespace

std::string FormatFixed(long double value, int width, int decimals) {
    width = std::clamp(width, 0, kMaxWidth);
    decimals = std::clamp(decimals, 0, kMaxDecimals);
    // Huge values print thousands of digits in fixed notation; the length is asked first.
    const int n = std::snprintf(nullptr, 0, "%*.*Lf", width, decimals, value);
    if (n <= 0) return {};
    std::string out(static_cast<std::size_t>(n) + 1, '\0');
    std::snprintf(out.data(), out.size(), "%*.*Lf", width, decimals, value);
    out.resize(static_cast<std::size_t>(n));
    return out;
}

std::string NumberFormat::Format(long double value) const { return FormatFixed(value, width, decimals); }

std::string NumberFormat::FormatForField(long double value) const {
    std::string s = Format(value);
    s.erase(0, s.find_first_not_of(' ') == std::string::npos ? 0 : s.find_first_not_of(' '));
    return s;
}

std::string NumberFormat::Pattern() const {
    return "%" + std::to_string(std::clamp(width, 0, kMaxWidth)) + "." +
           std::to_string(std::clamp(decimals, 0, kMaxDecimals)) + "Lf";
}

}  // namespace curvelo
