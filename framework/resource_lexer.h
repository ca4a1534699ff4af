// Splitting of one resource line into words and quoted captions (internal to the parsers).
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace curvelo::fw::detail {

struct Token {
    std::string text;
    bool quoted = false;
};

// False with a message when a quote is not closed or an escape is unknown.
bool SplitResourceLine(std::string_view line, std::vector<Token>& out, std::string& error);
// Decimal integer, optionally negative, nothing else.
bool ParseInt(std::string_view s, int& out);
// "N. sor: what".
std::string LineError(int lineNo, const std::string& what);
// Calls f(lineNo, tokens) for each non-empty, non-comment line; stops at the first false.
template <class F>
bool ForEachResourceLine(std::string_view text, std::string& error, F&& f) {
    int lineNo = 0;
    std::size_t pos = 0;
    while (pos <= text.size()) {
        std::size_t end = text.find('\n', pos);
        if (end == std::string_view::npos) end = text.size();
        std::string_view line = text.substr(pos, end - pos);
        ++lineNo;
        pos = end + 1;
        if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
        std::vector<Token> tokens;
        std::string why;
        if (!SplitResourceLine(line, tokens, why)) {
            error = LineError(lineNo, why);
            return false;
        }
        if (!tokens.empty() && !f(lineNo, tokens)) return false;
        if (end == text.size()) break;
    }
    return true;
}

}  // namespace curvelo::fw::detail
