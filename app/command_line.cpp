#include "app/command_line.h"

#include <algorithm>
#include <array>
#include <bit>
#include <filesystem>
#include <system_error>

namespace curvelo {

namespace {

constexpr unsigned kHelp = CommandBit(Command::Help);
constexpr unsigned kVersion = CommandBit(Command::Version);
constexpr unsigned kEval = CommandBit(Command::Eval);
constexpr unsigned kRender = CommandBit(Command::Render);
constexpr unsigned kAnalyse = CommandBit(Command::Analyse);
constexpr unsigned kTable = CommandBit(Command::Table);
constexpr unsigned kAnimate = CommandBit(Command::Animate);

// name, value, commands, selects, repeatable, description
constexpr std::array kOptions = {
    CommandOption{"--eval", "KÉPLET", kEval, true, false,
                  "Kiszámítja a képlet értékét, és kiírja a szabványos kimenetre."},
    CommandOption{"--set", "L=KÉPLET", kEval, false, true,
                  "Az L betű (A-tól Z-ig vagy @) értéke a képlet valós értéke lesz. "
                  "Többször is megadható; a sorrend számít."},
    CommandOption{"--define", "NÉV(x)=KÉPLET", kEval, false, true,
                  "Saját függvényt határoz meg, egy változóval vagy kettővel: NÉV(x,y)=KÉPLET. "
                  "Többször is megadható."},
    CommandOption{"--derivative", "L", kEval, false, false,
                  "A képlet L betű szerinti deriváltjának értékét írja ki."},
    CommandOption{"--complex", "", kEval, false, false,
                  "Komplex számolás: a valós és a képzetes részt írja ki, szóközzel elválasztva."},
    CommandOption{"--render", "DOKUMENTUM", kRender, true, false,
                  "Egy .cv2 vagy .cv3 rajzot rajzol meg kijelző nélkül."},
    CommandOption{"-o", "KIMENET", kRender | kAnimate, false, false,
                  "A kimenet állománya; kiterjesztése választ: .png, .svg, .pdf, .tex (PiCTeX), "
                  ".tikz (TikZ), vagy a dokumentuméval egyező .cv2 vagy .cv3 (a dokumentum újra mentve); .cv3 "
                  "rajz felületeinek hálója .stl vagy .obj állományba is írható (3D nyomtatáshoz). "
                  "Animációnál .gif, vagy .png: "
                  "számozott képek (NÉV_001.png, ...)."},
    CommandOption{"--size", "SZxM", kRender | kAnimate, false, false,
                  "A kép szélessége és magassága képpontban, 16-tól 8192-ig; alapérték 800x600. "
                  "A .tex és .tikz kimenetnek csak az arányait adja."},
    CommandOption{"--width", "CM", kRender, false, false,
                  "A .tex és .tikz kimenet szélessége centiméterben, 0.1-től 500-ig; alapérték 8."},
    CommandOption{"--pictex-mode", "0..3", kRender, false, false,
                  "A PiCTeX kimenet fajtája: 0 TeX önálló, 1 LaTeX2e önálló, 2 TeX kompilálható, "
                  "3 TeX beilleszthető; alapérték 0."},
    CommandOption{"--animate", "DOKUMENTUM", kAnimate, true, false,
                  "Egy .cv2 rajz képsoros animációját menti kijelző nélkül: a betű az alsó "
                  "határától a felsőig fut."},
    CommandOption{"--letter", "L", kAnimate, false, false, "Az animált betű, A-tól W-ig."},
    CommandOption{"--frames", "N", kAnimate, false, false, "A képek száma, 3-tól 200-ig; alapérték 23."},
    CommandOption{"--timeout", "MP", kEval | kRender | kAnimate, false, false,
                  "Ennyi másodperc után a parancs abbahagyja a munkát, hibaüzenettel és 1-es "
                  "kilépési kóddal; 0: nincs korlát, legfeljebb 86400; alapérték 60."},
    CommandOption{"--analyse", "DOKUMENTUM", kAnalyse, true, false,
                  "Egy .cv2 rajz egyik görbéjét vizsgálja meg kijelző nélkül; a vizsgálatot az "
                  "--integral, az --arclength, a --zeros, az --extrema vagy az --intersections adja meg."},
    CommandOption{"--table", "DOKUMENTUM", kTable, true, false,
                  "Egy .cv2 vagy .cv3 rajz egyik példájának értéktáblázatát írja ki kijelző nélkül, "
                  "minden oldalát, ahogy a táblázat ablaka készíti."},
    CommandOption{"--example", "N", kAnalyse | kTable, false, false,
                  "A jegyzék N-edik példája (1-től számolva); alapérték a kijelölt, ha nincs, az első."},
    CommandOption{"--integral", "A B N", kAnalyse, false, false,
                  "A függvény integrálja A-tól B-ig N részintervallummal: a bal végpontos, "
                  "középponti, jobb végpontos, trapéz-, parabolikus és véletlen pontos összeg, "
                  "soronként egy. A, B és N képlet is lehet."},
    CommandOption{"--arclength", "A B N", kAnalyse, false, false,
                  "A görbe ívhossza A-tól B-ig N részintervallummal, ugyanazzal a hat összeggel."},
    CommandOption{"--zeros", "", kAnalyse, false, false,
                  "A függvény (szakasz, egyenes) nullpontjai a keresés egy teljes körében, balról "
                  "jobbra, soronként egy; ha nincs, \"nem találom\" vagy \"túl sok\", 1-es kóddal."},
    CommandOption{"--extrema", "MENNYISÉG", kAnalyse, false, false,
                  "A görbe szélsőértékei: y, vagy polár- és paraméteres görbénél x, y vagy r; "
                  "soronként egy, a keresés sorrendjében."},
    CommandOption{"--intersections", "M", kAnalyse, false, false,
                  "A görbe és a jegyzék M-edik példájának metszéspontjai (1-től számolva), a "
                  "metszési szöggel fokokban, soronként egy."},
    CommandOption{"--help", "", kHelp, true, true, "Ezt a leírást írja ki."},
    CommandOption{"--version", "", kVersion, true, true, "A program változatát írja ki."},
};

CommandLine Fail(CommandLine line, CommandLineError error, std::string_view culprit) {
    line.error = error;
    line.culprit = culprit;
    return line;
}

}  // namespace

std::span<const CommandOption> CommandOptions() { return kOptions; }

int ValueCount(const CommandOption& option) {
    int words = 0;
    bool inWord = false;
    for (char c : option.valueName) {
        if (c != ' ' && !inWord) ++words;
        inWord = c != ' ';
    }
    return words;
}

const CommandOption* FindCommandOption(std::string_view name) {
    for (const CommandOption& o : kOptions)
        if (o.name == name) return &o;
    return nullptr;
}

CommandLine ParseCommandLine(int argc, char** argv) {
    CommandLine line;
    std::vector<std::string_view> plain;
    bool optionsEnded = false;
    bool help = false;
    for (int i = 1; i < argc; ++i) {
        const std::string_view arg = argv[i] ? argv[i] : "";
        if (optionsEnded || arg.size() < 2 || arg[0] != '-') {
            plain.push_back(arg);
            continue;
        }
        if (arg == "--") {
            optionsEnded = true;
            continue;
        }
        const CommandOption* option = FindCommandOption(arg);
        if (!option) return Fail(line, CommandLineError::UnknownOption, arg);
        std::vector<std::string_view> values;
        for (int k = ValueCount(*option); k > 0; --k) {
            if (i + 1 >= argc || !argv[i + 1]) return Fail(line, CommandLineError::MissingValue, arg);
            values.push_back(argv[++i]);
        }
        const bool seen = std::any_of(line.options.begin(), line.options.end(),
                                      [&](const OptionValue& v) { return v.option == option; });
        if (seen && !option->repeatable) return Fail(line, CommandLineError::Repeated, arg);
        help = help || option->commands == kHelp;
        const std::string_view first = values.empty() ? std::string_view() : values.front();
        line.options.push_back({option, first, std::move(values)});
    }
    if (help) {
        line.command = Command::Help;
        return line;
    }
    if (line.options.empty()) {
        if (!plain.empty()) line.document = plain.front();
        return line;
    }

    // The command is the one a selecting option names, else the one all options share.
    unsigned common = ~0u;
    unsigned selected = 0;
    for (const OptionValue& v : line.options) {
        common &= v.option->commands;
        if (v.option->selects && v.option->commands != selected) {
            if (selected) return Fail(line, CommandLineError::MixedCommands, v.option->name);
            selected = v.option->commands;
        }
    }
    const unsigned chosen = selected ? selected : common;
    if (std::popcount(chosen) != 1) return Fail(line, CommandLineError::MixedCommands, line.options.front().option->name);
    for (const OptionValue& v : line.options)
        if (!(v.option->commands & chosen)) return Fail(line, CommandLineError::MixedCommands, v.option->name);
    line.command = static_cast<Command>(std::countr_zero(chosen));
    if (!plain.empty()) return Fail(line, CommandLineError::StrayArgument, plain.front());
    return line;
}

std::string DocumentPath(std::string_view given) {
    constexpr std::size_t kMaxName = 255;
    if (given.empty()) return {};
    std::error_code ec;
    const std::string absolute = std::filesystem::absolute(std::filesystem::path(given), ec).string();
    if (!ec && absolute.size() <= kMaxName) return absolute;
    return std::string(given.substr(0, kMaxName));
}

std::string UsageErrorText(const CommandLine& line) {
    std::string text = "curvelo: ";
    const std::string& c = line.culprit;
    switch (line.error) {
    case CommandLineError::None: return {};
    case CommandLineError::UnknownOption: text += "ismeretlen kapcsoló: " + c; break;
    case CommandLineError::MissingValue: text += "a(z) " + c + " kapcsoló után hiányzik az érték"; break;
    case CommandLineError::Repeated: text += "a(z) " + c + " kapcsoló csak egyszer adható meg"; break;
    case CommandLineError::MixedCommands: text += "a(z) " + c + " kapcsoló nem illik a többi mellé"; break;
    case CommandLineError::StrayArgument: text += "fölösleges argumentum: " + c; break;
    }
    return text + "\nA kapcsolók leírása: curvelo --help\n";
}

}  // namespace curvelo
