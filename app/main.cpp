// Curvelo: the launcher, or the command-line calculator with --eval.
#include <csignal>
#include <cstdlib>
#include <ctime>
#include <cstring>
#include <iostream>
#include <string>

#include "app/calculator.h"
#include "app/plot.h"
#include "app/render_command.h"
#include "framework/application.h"
#include "framework/single_instance.h"

int main(int argc, char** argv) {
    using namespace curvelo;
    // Past a file-size limit a write then fails with an error the safe writer reports,
    // instead of the signal killing the program with a half-written temporary file.
    std::signal(SIGXFSZ, SIG_IGN);
    // The calculator's options may come in any order, so --eval anywhere selects it.
    for (int i = 1; i < argc; ++i)
        if (std::strcmp(argv[i], "--eval") == 0) return RunCalculator(argc, argv, std::cout, std::cerr);

    if (IsRenderCommand(argc, argv)) return RunRender(argc, argv, std::cerr);

    const std::string document = argc > 1 ? std::string(argv[1]).substr(0, 255) : std::string();
    // A running instance takes the document and this process is done.
    if (fw::HandToFirstInstance(document)) return 0;

    std::string reason;
    if (!fw::TApplication::DisplayAvailable(&reason)) {
        std::cerr << reason << '\n';
        return 1;
    }
    std::srand(static_cast<unsigned>(std::time(nullptr)));
    TPlot app(argc, argv, document);
    return app.Run();
}
