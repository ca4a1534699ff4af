// Build tool: man_page TEMPLATE OUT writes the manual page, putting the sections of
// `curvelo --help` where the template has the line @SECTIONS@, and the version for @VERSION@.
#include <cctype>
#include <iostream>
#include <sstream>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "app/help_text.h"
#include "framework/safe_file.h"

namespace {

// Text as troff reads it: backslashes and minus signs escaped, no line taken for a request.
std::string Roff(const std::string& text) {
    std::string out;
    for (char c : text) {
        if (c == '\\') out += "\\e";
        else if (c == '-') out += "\\-";
        else out += c;
    }
    if (!out.empty() && (out[0] == '.' || out[0] == '\'')) out.insert(0, "\\&");
    return out;
}

// Section titles in capitals, as manual pages have them; Hungarian accented letters included.
std::string Capitals(const std::string& text) {
    static const std::pair<std::string_view, std::string_view> kAccented[] = {
        {"á", "Á"}, {"é", "É"}, {"í", "Í"}, {"ó", "Ó"}, {"ö", "Ö"},
        {"ő", "Ő"}, {"ú", "Ú"}, {"ü", "Ü"}, {"ű", "Ű"}};
    std::string out;
    for (std::size_t i = 0; i < text.size(); ++i) {
        bool replaced = false;
        for (const auto& [small, capital] : kAccented)
            if (text.compare(i, small.size(), small) == 0) {
                out += capital;
                i += small.size() - 1;
                replaced = true;
                break;
            }
        if (!replaced) out += static_cast<char>(std::toupper(static_cast<unsigned char>(text[i])));
    }
    return out;
}

void WriteEntries(std::ostream& out, const std::vector<curvelo::HelpEntry>& entries) {
    for (const curvelo::HelpEntry& e : entries) out << ".TP\n\\fB" << Roff(e.term) << "\\fR\n" << Roff(e.text) << '\n';
}

void WriteSections(std::ostream& out) {
    for (const curvelo::HelpSection& s : curvelo::HelpSections()) {
        out << ".SH \"" << Roff(Capitals(s.title)) << "\"\n";
        if (!s.intro.empty()) out << Roff(s.intro) << '\n';
        WriteEntries(out, s.entries);
        if (!s.exits.empty()) {
            out << ".SS \"Kilépési kódok\"\n";
            WriteEntries(out, s.exits);
        }
    }
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 3) {
        std::cerr << "usage: man_page TEMPLATE OUT\n";
        return 2;
    }
    std::vector<std::uint8_t> bytes;
    if (curvelo::ReadFileBounded(argv[1], bytes) != curvelo::ReadFileStatus::Ok) {
        std::cerr << "man_page: cannot read " << argv[1] << '\n';
        return 1;
    }
    std::istringstream in(std::string(bytes.begin(), bytes.end()));
    std::ostringstream out;
    std::string line;
    bool placed = false;
    while (std::getline(in, line)) {
        if (line == "@SECTIONS@") {
            WriteSections(out);
            placed = true;
        } else {
            const std::size_t at = line.find("@VERSION@");
            if (at != std::string::npos) line.replace(at, 9, curvelo::VersionText());
            out << line << '\n';
        }
    }
    if (!placed || !curvelo::WriteFileSafely(argv[2], out.str())) {
        std::cerr << "man_page: cannot write " << argv[2] << " from " << argv[1] << '\n';
        return 1;
    }
    return 0;
}
