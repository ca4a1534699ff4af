#include "app/analyse_command.h"

#include <ostream>
#include <string>

#include "app/command_line.h"
#include "expr/eval.h"
#include "plot2d/cv2_codec.h"
#include "plot2d/measure_tools.h"
#include "plot2d/plot2_document.h"
#include "plotwin/number_format.h"
#include "resources/resources.h"

namespace curvelo {
namespace {

int Usage(std::ostream& err, const std::string& why) {
    err << "error 401: " << res::String(401) << " (" << why << ")\n"
        << "curvelo --analyse FILE.cv2 [--example N] --integral A B N | --arclength A B N\n";
    return 2;
}

int Fail(std::ostream& err, int code) {
    err << "error " << 400 + code << ": " << res::String(400 + code) << '\n';
    return 1;
}

struct AnalyseArgs {
    std::string input, example;
    const OptionValue* measure = nullptr;
};

}  // namespace

int RunAnalyse(int argc, char** argv, std::ostream& out, std::ostream& err) {
    const CommandLine line = ParseCommandLine(argc, argv);
    if (line.error != CommandLineError::None) return Usage(err, line.culprit);
    if (line.command != Command::Analyse) return Usage(err, "--analyse");
    AnalyseArgs a;
    for (const OptionValue& v : line.options) {
        const std::string_view name = v.option->name;
        if (name == "--analyse") a.input = v.value;
        else if (name == "--example") a.example = v.value;
        else if (name == "--integral" || name == "--arclength") {
            if (a.measure) return Usage(err, "--integral or --arclength, once");
            a.measure = &v;
        } else return Usage(err, std::string(name));
    }
    if (a.input.empty() || !a.measure || a.measure->values.size() != 3)
        return Usage(err, "--analyse and --integral or --arclength");

    Cv2Document doc;
    if (std::uint16_t code = LoadCv2File(a.input, kFileType2D, doc)) return Fail(err, code);
    PlotView view;
    FrameSettings frame;
    PrintSetup print;
    int background = 0;
    ExampleInventory inventory;
    FormulaEngine engine;
    Plot2Fonts fonts;
    Plot2Switches switches;
    ApplyWindowState(doc, {view, frame, background, inventory, engine, print, fonts, switches});

    int index = inventory.Selected() >= 0 ? inventory.Selected() : 0;
    if (!a.example.empty()) {
        std::int32_t n = 0;
        if (EvaluateInteger(engine, a.example, 1, std::max(1, inventory.Count()), n)) return Usage(err, "--example N");
        index = n - 1;
    }
    const Measure measure = a.measure->option->name == "--integral" ? Measure::Integral : Measure::ArcLength;
    const auto& texts = a.measure->values;
    MeasureLimits limits;
    const FormOutcome read = ReadMeasureLimits(
        engine, {std::string(texts[0]), std::string(texts[1]), std::string(texts[2])}, limits);
    if (read.code) return Fail(err, read.code);

    SixSums sums;
    if (std::uint16_t code = MeasureExample(engine, inventory, measure, index, -1, limits, {}, sums))
        return Fail(err, code);
    const NumberFormat format;
    for (long double v : sums.value) out << format.Format(v) << '\n';
    return 0;
}

}  // namespace curvelo
