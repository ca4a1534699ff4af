#include "resources/resources.h"

#include "resources/embedded.h"

#include <cstdlib>
#include <map>

namespace curvelo::res {
namespace {

// Replaces the escapes a string-table line may hold: \n, \r, \t and \\.
std::string Unescape(std::string_view s) {
    std::string out;
    out.reserve(s.size());
    for (std::size_t i = 0; i < s.size(); ++i) {
        if (s[i] == '\\' && i + 1 < s.size()) {
            char c = s[++i];
            out += c == 'n' ? '\n' : c == 'r' ? '\r' : c == 't' ? '\t' : c;
        } else {
            out += s[i];
        }
    }
    return out;
}

// Every "strings/*.tsv" file holds lines "id<TAB>text"; lines starting with '#' are comments.
const std::map<int, std::string>& Table() {
    static const std::map<int, std::string> table = [] {
        std::map<int, std::string> t;
        for (const EmbeddedFile* f = EmbeddedFiles(); f->path; ++f) {
            std::string_view path(f->path);
            if (!path.starts_with("strings/") || !path.ends_with(".tsv")) continue;
            std::string_view all(reinterpret_cast<const char*>(f->data), f->size);
            while (!all.empty()) {
                std::size_t eol = all.find('\n');
                std::string_view line = all.substr(0, eol);
                all = eol == std::string_view::npos ? std::string_view() : all.substr(eol + 1);
                if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
                if (line.empty() || line[0] == '#') continue;
                std::size_t tab = line.find('\t');
                if (tab == std::string_view::npos) continue;
                int id = std::atoi(std::string(line.substr(0, tab)).c_str());
                t[id] = Unescape(line.substr(tab + 1));
            }
        }
        return t;
    }();
    return table;
}

}  // namespace

std::string_view String(int id) {
    auto it = Table().find(id);
    return it == Table().end() ? std::string_view() : std::string_view(it->second);
}

bool HasString(int id) { return Table().count(id) != 0; }

std::string_view File(std::string_view path) {
    for (const EmbeddedFile* f = EmbeddedFiles(); f->path; ++f)
        if (path == f->path) return {reinterpret_cast<const char*>(f->data), f->size};
    return {};
}

bool HasFile(std::string_view path) {
    for (const EmbeddedFile* f = EmbeddedFiles(); f->path; ++f)
        if (path == f->path) return true;
    return false;
}

std::vector<std::string_view> FilesUnder(std::string_view folder) {
    std::vector<std::string_view> out;
    for (const EmbeddedFile* f = EmbeddedFiles(); f->path; ++f)
        if (std::string_view(f->path).starts_with(folder)) out.emplace_back(f->path);
    return out;
}

}  // namespace curvelo::res
