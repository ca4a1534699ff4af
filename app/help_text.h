// What `curvelo --help` prints and the manual page repeats: built from the option table, so
// neither can list an option the program does not accept, nor miss one.
#pragma once

#include <ostream>
#include <string>
#include <vector>

namespace curvelo {

struct HelpEntry {
    std::string term;  // "--set L=KÉPLET", "curvelo [DOKUMENTUM]", "0"
    std::string text;
};

struct HelpSection {
    std::string title;
    std::string intro;               // may be empty
    std::vector<HelpEntry> entries;  // options or usage lines
    std::vector<HelpEntry> exits;    // exit codes, when the section is a command
};

std::vector<HelpSection> HelpSections();

// "Curvelo 0.1"
std::string VersionText();

// The sections as plain text, wrapped to 79 columns.
void WriteHelp(std::ostream& out);

}  // namespace curvelo
