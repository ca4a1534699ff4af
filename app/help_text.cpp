#include "app/help_text.h"

#include <array>
#include <string_view>

#include "app/build_info.h"
#include "app/command_line.h"

namespace curvelo {

namespace {

struct CommandHelp {
    Command command;
    std::string_view synopsis;
    std::string_view about;
    std::string_view title;  // of its own section; empty when it has none
    std::array<std::string_view, 3> exits;
};

constexpr std::array kCommands = {
    CommandHelp{Command::Launcher, "curvelo [DOKUMENTUM]",
                "Elindítja a programot, és megnyitja a .cv2, .cv3, .ma2 vagy .maz dokumentumot. "
                "Ha a program már fut, a dokumentumot a futó példány nyitja meg, "
                "ez az indítás pedig azonnal véget ér.",
                "", {}},
    CommandHelp{Command::Eval, "curvelo --eval KÉPLET [kapcsolók]",
                "Számológép kijelző nélkül.", "Számológép",
                {"az érték kiírva", "a képlet értéke nem értelmezett (kiírja: undefined)",
                 "hiba a képletben, egy definícióban vagy a kapcsolókban"}},
    CommandHelp{Command::Render, "curvelo --render DOKUMENTUM -o KIMENET [kapcsolók]",
                "Rajzolás képbe, PiCTeX vagy TikZ forrásba kijelző nélkül.", "Rajzolás kijelző nélkül",
                {"a kimenet elkészült",
                 "a dokumentum nem nyitható meg vagy hibás, vagy a kimenet nem írható "
                 "(a program üzenete a hibakimeneten)",
                 "hibás vagy hiányzó kapcsoló"}},
    CommandHelp{Command::Animate, "curvelo --animate DOKUMENTUM --letter L -o KIMENET.gif [kapcsolók]",
                "Képsoros animáció kijelző nélkül, animált GIF-be vagy számozott PNG képekbe; a képek "
                "közti szünet a dokumentumé.",
                "Animáció kijelző nélkül",
                {"az animáció elmentve",
                 "a dokumentum nem nyitható meg vagy hibás, vagy a kimenet nem írható "
                 "(a program üzenete a hibakimeneten)",
                 "hibás vagy hiányzó kapcsoló"}},
    CommandHelp{Command::Analyse,
                "curvelo --analyse DOKUMENTUM [--example N] VIZSGÁLAT",
                "Mérés és vizsgálat kijelző nélkül, az ablak számformátumával. A VIZSGÁLAT "
                "--integral A B N vagy --arclength A B N (a hat összeg soronként), illetve "
                "--zeros, --extrema y|x|r vagy --intersections M (a talált pontok a keresés "
                "egy teljes körében, soronként egy).",
                "Mérés kijelző nélkül",
                {"az összegek vagy a talált pontok kiírva",
                 "a dokumentum nem nyitható meg vagy hibás, a példa nem vizsgálható így, vagy "
                 "nincs találat (\"nem találom\", \"túl sok\"; a hibakimeneten)",
                 "hibás vagy hiányzó kapcsoló"}},
    CommandHelp{Command::Table, "curvelo --table DOKUMENTUM [--example N]",
                "Értéktáblázat kijelző nélkül: a példa táblázatának teljes szövege, az ablak "
                "oszlopaival és számformátumával.",
                "Értéktáblázat kijelző nélkül",
                {"a táblázat kiírva",
                 "a dokumentum nem nyitható meg vagy hibás (a program üzenete a hibakimeneten)",
                 "hibás vagy hiányzó kapcsoló"}},
    CommandHelp{Command::Help, "curvelo --help", "Ezt a leírást írja ki.", "", {}},
    CommandHelp{Command::Version, "curvelo --version", "A program változatát írja ki.", "", {}},
};

std::string OptionTerm(const CommandOption& o) {
    std::string term(o.name);
    if (!o.valueName.empty()) term += " " + std::string(o.valueName);
    return term;
}

std::vector<HelpEntry> OptionsOf(Command c) {
    std::vector<HelpEntry> entries;
    for (const CommandOption& o : CommandOptions())
        if (o.commands & CommandBit(c)) entries.push_back({OptionTerm(o), std::string(o.description)});
    return entries;
}

// Columns on a terminal: UTF-8 continuation bytes take none.
std::size_t Columns(std::string_view s) {
    std::size_t n = 0;
    for (unsigned char c : s) n += (c & 0xC0) != 0x80;
    return n;
}

// Writes text from column `indent`, breaking at spaces before column 79; the first line
// continues where the cursor stands at column `at`.
void Wrap(std::ostream& out, std::string_view text, std::size_t indent, std::size_t at) {
    constexpr std::size_t kWidth = 79;
    std::size_t col = at;
    bool first = true;
    while (!text.empty()) {
        const std::size_t cut = text.find(' ');
        const std::string_view word = text.substr(0, cut);
        text = cut == std::string_view::npos ? std::string_view() : text.substr(cut + 1);
        if (word.empty()) continue;
        if (!first && col + 1 + Columns(word) > kWidth) {
            out << '\n' << std::string(indent, ' ');
            col = indent;
        } else if (!first) {
            out << ' ';
            ++col;
        }
        out << word;
        col += Columns(word);
        first = false;
    }
    out << '\n';
}

void WriteEntries(std::ostream& out, const std::vector<HelpEntry>& entries, std::size_t termIndent) {
    constexpr std::size_t kTextIndent = 26;
    for (const HelpEntry& e : entries) {
        out << std::string(termIndent, ' ') << e.term;
        std::size_t col = termIndent + Columns(e.term);
        if (col + 2 > kTextIndent) {
            out << '\n';
            col = 0;
        }
        out << std::string(kTextIndent - col, ' ');
        Wrap(out, e.text, kTextIndent, kTextIndent);
    }
}

}  // namespace

std::vector<HelpSection> HelpSections() {
    std::vector<HelpSection> sections;
    HelpSection usage{"Használat", "", {}, {}};
    for (const CommandHelp& c : kCommands)
        usage.entries.push_back({std::string(c.synopsis), std::string(c.about)});
    sections.push_back(usage);

    for (const CommandHelp& c : kCommands) {
        if (c.title.empty()) continue;
        HelpSection s{std::string(c.title), "", OptionsOf(c.command), {}};
        for (std::size_t code = 0; code < c.exits.size(); ++code)
            s.exits.push_back({std::to_string(code), std::string(c.exits[code])});
        sections.push_back(s);
    }

    HelpSection other{"Egyéb kapcsolók",
                      "Ismeretlen kapcsoló vagy hibás használat esetén a program rövid üzenetet "
                      "ír a hibakimenetre, és a kilépési kódja 2.",
                      OptionsOf(Command::Help), {}};
    for (const HelpEntry& e : OptionsOf(Command::Version)) other.entries.push_back(e);
    other.entries.push_back(
        {"--", "Utána minden argumentum dokumentum, akkor is, ha kötőjellel kezdődik."});
    sections.push_back(other);

    sections.push_back(
        {"Beállítások",
         "A program a beállításait (cv.ini, cv2.ini, cv3.ini és a többi ablakfajtáé) "
         "a $CURVELO_CONFIG_DIR mappában tartja; ha ez nincs megadva, akkor a "
         "$XDG_CONFIG_HOME/curvelo, ha az sincs, a ~/.config/curvelo mappában. A hiányzó mappát "
         "létrehozza. A sérült beállítások megkerülhetők az indítóablak "
         "\"Alapbeállítások használata\" pontjával.",
         {}, {}});
    return sections;
}

std::string VersionText() { return "Curvelo " + ThisBuild().version; }

void WriteHelp(std::ostream& out) {
    out << VersionText() << " - interaktív matematikai ábrázoló program\n";
    for (const HelpSection& s : HelpSections()) {
        out << '\n' << s.title << ":\n";
        if (!s.intro.empty()) {
            out << "  ";
            Wrap(out, s.intro, 2, 2);
        }
        WriteEntries(out, s.entries, 2);
        if (!s.exits.empty()) {
            out << "  Kilépési kódok:\n";
            WriteEntries(out, s.exits, 4);
        }
    }
}

}  // namespace curvelo
