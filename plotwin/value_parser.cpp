#include "plotwin/value_parser.h"

#include <cerrno>
#include <cstdlib>
#include <string>

namespace curvelo {
namespace {

constexpr std::size_t kMaxFieldLength = 256;

std::string_view Trim(std::string_view s) {
    while (!s.empty() && (s.front() == ' ' || s.front() == '\t')) s.remove_prefix(1);
    while (!s.empty() && (s.back() == ' ' || s.back() == '\t' || s.back() == '\r' || s.back() == '\n'))
        s.remove_suffix(1);
    return s;
}

}  // namespace

bool ParsePlainNumber(std::string_view text, long double* value) {
    text = Trim(text);
    if (text.empty() || text.size() > kMaxFieldLength) return false;
    const std::string s(text);
    char* end = nullptr;
    errno = 0;
    const long double v = std::strtold(s.c_str(), &end);
    if (end != s.c_str() + s.size() || errno == ERANGE) return false;
    *value = v;
    return true;
}

bool ParsePlainInteger(std::string_view text, long long* value) {
    text = Trim(text);
    if (text.empty() || text.size() > kMaxFieldLength) return false;
    const std::string s(text);
    char* end = nullptr;
    errno = 0;
    const long long v = std::strtoll(s.c_str(), &end, 10);
    if (end != s.c_str() + s.size() || errno == ERANGE) return false;
    *value = v;
    return true;
}

}  // namespace curvelo
