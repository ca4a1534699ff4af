#include "app/analyse_command.h"

#include <ostream>
#include <string>

#include "app/batch_document.h"
#include "app/command_line.h"
#include "plot2d/analysis_scan.h"
#include "plot2d/curve_sampler.h"
#include "plot2d/measure_tools.h"
#include "plotwin/number_format.h"
#include "resources/resources.h"

namespace curvelo {
namespace {

constexpr std::string_view kUsage =
    "curvelo --analyse FILE.cv2 [--example N] --integral A B N | --arclength A B N | --zeros | "
    "--extrema y|x|r | --intersections M";

int Usage(std::ostream& err, const std::string& why) { return BatchUsage(err, why, kUsage); }

struct AnalyseArgs {
    std::string input, example;
    const OptionValue* measure = nullptr;
};

bool IsScanOption(std::string_view name) {
    return name == "--zeros" || name == "--extrema" || name == "--intersections";
}

// One full round of the zero, extremum or intersection scan, a hit a line.
int RunScan(BatchDocument& doc, int index, const OptionValue& option, std::ostream& out, std::ostream& err) {
    for (int i = 0; i < doc.inventory.Count(); ++i) FollowViewRange(doc.inventory.At(i), doc.view);
    AnalysisScan scan;
    int code = 0, tool = analysiscmd::kZeros;
    const std::string_view name = option.option->name;
    if (name == "--zeros") {
        code = scan.PrepareZeros(doc.engine, doc.inventory, index, doc.view);
    } else if (name == "--extrema") {
        tool = analysiscmd::kExtrema;
        const std::string_view q = option.value;
        if (q != "x" && q != "y" && q != "r") return Usage(err, "--extrema y|x|r");
        code = scan.PrepareExtrema(doc.engine, doc.inventory, index,
                                   q == "x" ? Quantity::kX : q == "r" ? Quantity::kR : Quantity::kY, doc.view);
    } else {
        tool = analysiscmd::kIntersections;
        int other = 0;
        if (!ChooseBatchExample(doc, option.value, other)) return Usage(err, "--intersections M");
        code = scan.PrepareIntersections(doc.engine, doc.inventory, index, other, doc.view);
    }
    if (code) return BatchFail(err, code);
    std::vector<AnalysisHit> hits;
    const ScanOutcome outcome = scan.Round(doc.engine.letters, hits);
    if (outcome != ScanOutcome::kFound) {
        err << res::String(400 + ScanMessage(outcome)) << '\n';
        return 1;
    }
    const NumberFormat format;
    const std::uint16_t kind = doc.inventory.Slot(index).example.kind;
    for (const AnalysisHit& hit : hits) out << HitText(tool, kind, hit, format) << '\n';
    return 0;
}

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
        else if (name == "--integral" || name == "--arclength" || IsScanOption(name)) {
            if (a.measure) return Usage(err, "one of --integral, --arclength, --zeros, --extrema, --intersections");
            a.measure = &v;
        } else return Usage(err, std::string(name));
    }
    if (a.input.empty() || !a.measure) return Usage(err, "--analyse and what to find");
    const bool scanning = IsScanOption(a.measure->option->name);
    if (!scanning && a.measure->values.size() != 3) return Usage(err, "--integral or --arclength A B N");

    BatchDocument doc;
    if (std::uint16_t code = LoadBatchDocument(a.input, doc)) return BatchFail(err, code);
    int index = 0;
    if (!ChooseBatchExample(doc, a.example, index)) return Usage(err, "--example N");
    if (scanning) return RunScan(doc, index, *a.measure, out, err);
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
