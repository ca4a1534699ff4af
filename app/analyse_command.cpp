#include "app/analyse_command.h"

#include <ostream>
#include <string>

#include "app/batch_document.h"
#include "app/command_line.h"
#include "plot2d/measure_tools.h"
#include "plotwin/number_format.h"

namespace curvelo {
namespace {

constexpr std::string_view kUsage =
    "curvelo --analyse FILE.cv2 [--example N] --integral A B N | --arclength A B N";

int Usage(std::ostream& err, const std::string& why) { return BatchUsage(err, why, kUsage); }

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

    BatchDocument doc;
    if (std::uint16_t code = LoadBatchDocument(a.input, doc)) return BatchFail(err, code);
    int index = 0;
    if (!ChooseBatchExample(doc, a.example, index)) return Usage(err, "--example N");
    const Measure measure = a.measure->option->name == "--integral" ? Measure::Integral : Measure::ArcLength;
    const auto& texts = a.measure->values;
    MeasureLimits limits;
    const FormOutcome read = ReadMeasureLimits(
        doc.engine, {std::string(texts[0]), std::string(texts[1]), std::string(texts[2])}, limits);
    if (read.code) return BatchFail(err, read.code);

    SixSums sums;
    if (std::uint16_t code = MeasureExample(doc.engine, doc.inventory, measure, index, -1, limits, {}, sums))
        return BatchFail(err, code);
    const NumberFormat format;
    for (long double v : sums.value) out << format.Format(v) << '\n';
    return 0;
}

}  // namespace curvelo
