#include "app/command_line.h"

#include <gtest/gtest.h>

#include <sys/wait.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <regex>
#include <set>
#include <sstream>
#include <string>
#include <vector>

#include "app/help_text.h"

using namespace curvelo;

namespace {

CommandLine Parse(std::vector<std::string> args) {
    args.insert(args.begin(), "curvelo");
    std::vector<char*> argv;
    for (std::string& a : args) argv.push_back(a.data());
    argv.push_back(nullptr);
    return ParseCommandLine(static_cast<int>(args.size()), argv.data());
}

// An argument list that uses the option the way a user would: with a value when it takes
// one, beside the option that selects its command.
std::vector<std::string> UseOf(const CommandOption& o) {
    std::vector<std::string> args;
    for (const CommandOption& s : CommandOptions())
        if (s.selects && (s.commands & o.commands) && &s != &o) {
            args = {std::string(s.name)};
            for (int k = ValueCount(s); k > 0; --k) args.push_back("1");
            break;
        }
    args.push_back(std::string(o.name));
    for (int k = ValueCount(o); k > 0; --k) args.push_back("1");
    return args;
}

std::string HelpOutput() {
    std::ostringstream out;
    WriteHelp(out);
    return out.str();
}

std::set<std::string> TableNames() {
    std::set<std::string> names;
    for (const CommandOption& o : CommandOptions()) names.insert(std::string(o.name));
    return names;
}

}  // namespace

TEST(CommandLine, EveryOptionOfTheTableIsAcceptedForItsOwnCommand) {
    for (const CommandOption& o : CommandOptions()) {
        const CommandLine line = Parse(UseOf(o));
        EXPECT_EQ(line.error, CommandLineError::None) << o.name;
        EXPECT_TRUE(CommandBit(line.command) & o.commands) << o.name;
        EXPECT_NE(line.command, Command::Launcher) << o.name;
    }
}

TEST(CommandLine, AnythingElseBeginningWithADashIsAUsageError) {
    for (const char* bad : {"--bogus", "--Eval", "-eval", "--eval=1", "---eval", "-O", "-h", "--"}) {
        const CommandLine line = Parse({"--eval", "1", bad, "x"});
        if (std::string(bad) == "--") {
            // "--" itself is known: what follows is a plain argument, stray for --eval.
            EXPECT_EQ(line.error, CommandLineError::StrayArgument);
            continue;
        }
        EXPECT_EQ(line.error, CommandLineError::UnknownOption) << bad;
        EXPECT_EQ(line.culprit, bad);
    }
    // Alone it stops the launcher from starting, and the message says where to look.
    const CommandLine line = Parse({"--bogus"});
    EXPECT_EQ(line.error, CommandLineError::UnknownOption);
    const std::string text = UsageErrorText(line);
    EXPECT_NE(text.find("--bogus"), std::string::npos);
    EXPECT_NE(text.find("curvelo --help"), std::string::npos);
}

TEST(CommandLine, ValuesRepeatsAndMixedCommands) {
    EXPECT_EQ(Parse({"--eval"}).error, CommandLineError::MissingValue);
    EXPECT_EQ(Parse({"--render", "a.cv2", "-o"}).error, CommandLineError::MissingValue);
    // A value may begin with a dash: it is taken as the value, not as an option.
    CommandLine line = Parse({"--eval", "-x", "--set", "x=-2"});
    ASSERT_EQ(line.error, CommandLineError::None);
    ASSERT_EQ(line.options.size(), 2u);
    EXPECT_EQ(line.options[0].value, "-x");
    EXPECT_EQ(line.options[1].value, "x=-2");

    EXPECT_EQ(Parse({"--eval", "1", "--eval", "2"}).error, CommandLineError::Repeated);
    EXPECT_EQ(Parse({"--render", "a", "-o", "b.png", "-o", "c.png"}).error, CommandLineError::Repeated);
    EXPECT_EQ(Parse({"--set", "a=1", "--eval", "a", "--set", "b=2"}).error, CommandLineError::None);

    EXPECT_EQ(Parse({"--eval", "1", "--render", "a.cv2"}).error, CommandLineError::MixedCommands);
    EXPECT_EQ(Parse({"--eval", "1", "--size", "10x10"}).error, CommandLineError::MixedCommands);
    EXPECT_EQ(Parse({"--version", "--eval", "1"}).error, CommandLineError::MixedCommands);
    // Options of one command without the option that selects it still go to that command,
    // which then says what is missing.
    EXPECT_EQ(Parse({"--set", "a=1"}).command, Command::Eval);
    EXPECT_EQ(Parse({"--eval", "1", "extra"}).error, CommandLineError::StrayArgument);
    // --help wins over everything else that is known.
    EXPECT_EQ(Parse({"--eval", "1", "--size", "1x1", "--help"}).command, Command::Help);
    EXPECT_EQ(Parse({"--eval", "1", "--nope", "--help"}).error, CommandLineError::UnknownOption);
}

TEST(CommandLine, TheLauncherTakesTheFirstPlainArgument) {
    CommandLine line = Parse({});
    EXPECT_EQ(line.command, Command::Launcher);
    EXPECT_EQ(line.document, "");
    line = Parse({"/tmp/ábra.cv2", "second.cv3"});
    EXPECT_EQ(line.error, CommandLineError::None);
    EXPECT_EQ(line.document, "/tmp/ábra.cv2");
    line = Parse({"--", "-furcsa.cv2"});
    EXPECT_EQ(line.error, CommandLineError::None);
    EXPECT_EQ(line.command, Command::Launcher);
    EXPECT_EQ(line.document, "-furcsa.cv2");
    EXPECT_EQ(Parse({"-"}).document, "-");  // a lone dash is a name, not an option
}

TEST(CommandLine, TheDocumentIsHandedOnWithItsFullPath) {
    // The running instance that receives it works in another folder.
    const std::string here = std::filesystem::current_path().string();
    EXPECT_EQ(DocumentPath("rozsa.cv2"), here + "/rozsa.cv2");
    EXPECT_EQ(DocumentPath("/tmp/ábra.cv2"), "/tmp/ábra.cv2");
    EXPECT_EQ(DocumentPath(""), "");
    // Past the 255 bytes the hand-off carries, the name is cut as before.
    const std::string longName(300, 'a');
    EXPECT_EQ(DocumentPath(longName), longName.substr(0, 255));
    const std::string fits(250, 'b');
    EXPECT_EQ(DocumentPath("/" + fits), "/" + fits);
}

TEST(HelpOutput, ListsExactlyTheOptionsTheParserAccepts) {
    const std::string help = HelpOutput();
    // Every word of the help that looks like an option must be one the parser knows...
    std::set<std::string> listed;
    const std::regex optionWord(R"((^|[\s\[|])(--?[a-z][a-z-]*))");
    for (std::sregex_iterator it(help.begin(), help.end(), optionWord), end; it != end; ++it)
        listed.insert((*it)[2]);
    for (const std::string& name : listed) {
        const CommandOption* o = FindCommandOption(name);
        EXPECT_TRUE(o) << name << " is in the help but the parser refuses it";
        if (o) {
            EXPECT_EQ(Parse(UseOf(*o)).error, CommandLineError::None) << name;
        }
    }
    // ...and every option of the table is listed with its value's placeholder.
    EXPECT_EQ(listed, TableNames());
    for (const CommandOption& o : CommandOptions()) {
        std::string term(o.name);
        if (!o.valueName.empty()) term += " " + std::string(o.valueName);
        EXPECT_NE(help.find("  " + term + " "), std::string::npos) << term;
    }
}

TEST(HelpOutput, EveryBatchCommandStatesItsExitCodes) {
    for (const HelpSection& s : HelpSections()) {
        if (s.entries.empty() || s.entries.front().term.rfind("--", 0) != 0) continue;
        if (s.exits.empty()) continue;
        ASSERT_EQ(s.exits.size(), 3u) << s.title;
        for (std::size_t code = 0; code < 3; ++code) {
            EXPECT_EQ(s.exits[code].term, std::to_string(code));
            EXPECT_FALSE(s.exits[code].text.empty());
        }
    }
    const std::string help = HelpOutput();
    EXPECT_EQ(help.rfind(VersionText(), 0), 0u);
    EXPECT_NE(help.find("CURVELO_CONFIG_DIR"), std::string::npos);
    EXPECT_NE(help.find("XDG_CONFIG_HOME"), std::string::npos);
    // Fits a terminal: no line wider than 79 columns.
    std::istringstream lines(help);
    for (std::string l; std::getline(lines, l);) {
        std::size_t columns = 0;
        for (unsigned char c : l) columns += (c & 0xC0) != 0x80;
        EXPECT_LE(columns, 79u) << l;
    }
}

#ifdef CURVELO_MAN_PAGE
TEST(HelpOutput, TheManualPageCarriesEveryOption) {
    std::ifstream in(CURVELO_MAN_PAGE);
    ASSERT_TRUE(in) << CURVELO_MAN_PAGE;
    const std::string man{std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
    for (const CommandOption& o : CommandOptions()) {
        std::string roff;
        for (char c : o.name) roff += c == '-' ? std::string("\\-") : std::string(1, c);
        EXPECT_NE(man.find(".TP\n\\fB" + roff), std::string::npos) << o.name;
    }
    EXPECT_EQ(man.find("@SECTIONS@"), std::string::npos);
    EXPECT_EQ(man.find("@VERSION@"), std::string::npos);
    EXPECT_NE(man.find(VersionText()), std::string::npos);
}
#endif

#ifdef CURVELO_EXE
namespace {

struct ProgramRun {
    int code = -1;
    std::string output;  // standard output and error together
};

// The program itself, killed after ten seconds so that a hang fails instead of blocking.
ProgramRun RunProgram(const std::string& args) {
    ProgramRun r;
    FILE* pipe = popen(("timeout 10 " CURVELO_EXE " " + args + " 2>&1").c_str(), "r");
    if (!pipe) return r;
    char buf[4096];
    for (std::size_t n; (n = fread(buf, 1, sizeof buf, pipe)) > 0;) r.output.append(buf, n);
    const int status = pclose(pipe);
    r.code = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    return r;
}

}  // namespace

TEST(CommandLineProgram, HelpVersionAndAnUnknownOptionEndAtOnce) {
    ProgramRun r = RunProgram("--bogus");
    EXPECT_EQ(r.code, 2);
    EXPECT_NE(r.output.find("--bogus"), std::string::npos) << r.output;
    EXPECT_LT(r.output.size(), 200u) << "a short message, not the whole help";
    r = RunProgram("--help");
    EXPECT_EQ(r.code, 0);
    EXPECT_EQ(r.output, HelpOutput());
    r = RunProgram("--version");
    EXPECT_EQ(r.code, 0);
    EXPECT_EQ(r.output, VersionText() + "\n");
    r = RunProgram("--eval 1 --render x.cv2");
    EXPECT_EQ(r.code, 2);
    r = RunProgram("--eval '2^10'");
    EXPECT_EQ(r.code, 0);
    EXPECT_EQ(r.output, "1024\n");
}
#endif
