// Curvelo: the launcher, or one of the batch commands chosen by the command line.
#include <csignal>
#include <cstdlib>
#include <ctime>
#include <iostream>
#include <string>

#include "app/analyse_command.h"
#include "app/calculator.h"
#include "app/command_line.h"
#include "app/help_text.h"
#include "app/plot.h"
#include "app/render_command.h"
#include "app/table_command.h"
#include "framework/application.h"
#include "framework/single_instance.h"

int main(int argc, char** argv) {
    using namespace curvelo;
    // Past a file-size limit a write then fails with an error the safe writer reports,
    // instead of the signal killing the program with a half-written temporary file.
    std::signal(SIGXFSZ, SIG_IGN);
    const CommandLine line = ParseCommandLine(argc, argv);
    if (line.error != CommandLineError::None) {
        std::cerr << UsageErrorText(line);
        return 2;
    }
    switch (line.command) {
    case Command::Help: WriteHelp(std::cout); return 0;
    case Command::Version: std::cout << VersionText() << '\n'; return 0;
    case Command::Eval: return RunCalculator(argc, argv, std::cout, std::cerr);
    case Command::Render: return RunRender(argc, argv, std::cerr);
    case Command::Animate: return RunAnimate(argc, argv, std::cerr);
    case Command::Analyse: return RunAnalyse(argc, argv, std::cout, std::cerr);
    case Command::Table: return RunTable(argc, argv, std::cout, std::cerr);
    case Command::Launcher: break;
    }

    const std::string document = DocumentPath(line.document);
    // A running instance takes the document and this process is done.
    if (fw::HandToFirstInstance(document)) return 0;

    std::string reason;
    if (!fw::TApplication::DisplayAvailable(&reason)) {
        std::cerr << reason << '\n';
        return 1;
    }
    std::srand(static_cast<unsigned>(std::time(nullptr)));
    // The toolkit sees no arguments: every one of them is the program's own.
    int toolkitArgc = 1;
    TPlot app(toolkitArgc, argv, document);
    return app.Run();
}
