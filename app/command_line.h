// The program's command line: one table of options that both the parser and the help read,
// so an option is added with one row (and handled where its command runs).
#pragma once

#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace curvelo {

// What a command line asks for. Launcher is the desktop program itself.
enum class Command { Launcher, Help, Version, Eval, Render, Analyse, Table, Animate };

struct CommandOption {
    std::string_view name;         // "--set", "-o"
    std::string_view valueName;    // placeholders of the values that follow, one word each;
                                   // empty for a switch
    unsigned commands;             // bits of CommandBit(): the commands the option belongs to
    bool selects;                  // the option chooses its command (--eval, --render, ...)
    bool repeatable;               // may be given more than once
    std::string_view description;  // Hungarian, one sentence or two
};

constexpr unsigned CommandBit(Command c) { return 1u << static_cast<unsigned>(c); }

// Every option the program accepts, in the order the help lists them.
std::span<const CommandOption> CommandOptions();
const CommandOption* FindCommandOption(std::string_view name);

enum class CommandLineError {
    None,
    UnknownOption,    // begins with '-' and is not in the table
    MissingValue,     // the last argument needs a value after it
    Repeated,         // a non-repeatable option twice
    MixedCommands,    // options of two commands, or of no command at all
    StrayArgument,    // a plain argument given to a batch command
};

struct OptionValue {
    const CommandOption* option;
    std::string_view value;                // the first value; empty for a switch
    std::vector<std::string_view> values;  // all of them, as many as valueName has words
};

// How many arguments follow the option: the words of its valueName.
int ValueCount(const CommandOption& option);

struct CommandLine {
    Command command = Command::Launcher;
    std::vector<OptionValue> options;  // in the order given
    std::string document;              // the launcher's document, first plain argument
    CommandLineError error = CommandLineError::None;
    std::string culprit;               // the argument the error is about
};

// Reads argv[1..argc). Anything after "--" is a plain argument even when it begins with '-'.
CommandLine ParseCommandLine(int argc, char** argv);

// The launcher's document as it is opened or handed to a running instance: made absolute,
// since the running instance has a working folder of its own; at most 255 bytes, and left
// as given when its absolute form would not fit.
std::string DocumentPath(std::string_view given);

// The short message of a usage error, ending with where to read more.
std::string UsageErrorText(const CommandLine& line);

}  // namespace curvelo
