#include "framework/resource_lexer.h"

#include <charconv>

namespace curvelo::fw::detail {

bool SplitResourceLine(std::string_view line, std::vector<Token>& out, std::string& error) {
    out.clear();
    std::size_t i = 0;
    while (i < line.size()) {
        char c = line[i];
        if (c == ' ' || c == '\t') {
            ++i;
            continue;
        }
        if (c == '#' && out.empty()) return true;  // comment line
        Token t;
        if (c == '"') {
            t.quoted = true;
            ++i;
            bool closed = false;
            while (i < line.size()) {
                char d = line[i++];
                if (d == '"') {
                    closed = true;
                    break;
                }
                if (d == '\\') {
                    if (i >= line.size()) break;
                    char e = line[i++];
                    switch (e) {
                        case 't': t.text += '\t'; break;
                        case 'n': t.text += '\n'; break;
                        case '"': t.text += '"'; break;
                        case '\\': t.text += '\\'; break;
                        default: error = "ismeretlen \\" + std::string(1, e); return false;
                    }
                    continue;
                }
                t.text += d;
            }
            if (!closed) {
                error = "hiányzó idézőjel";
                return false;
            }
        } else {
            while (i < line.size() && line[i] != ' ' && line[i] != '\t') t.text += line[i++];
        }
        out.push_back(std::move(t));
    }
    return true;
}

bool ParseInt(std::string_view s, int& out) {
    if (s.empty()) return false;
    const char* b = s.data();
    const char* e = s.data() + s.size();
    auto [p, ec] = std::from_chars(b, e, out);
    return ec == std::errc() && p == e;
}

std::string LineError(int lineNo, const std::string& what) {
    return std::to_string(lineNo) + ". sor: " + what;
}

}  // namespace curvelo::fw::detail
