#include "app/table_command.h"

#include <algorithm>
#include <cstdlib>
#include <ostream>
#include <string>

#include "app/batch_document.h"
#include "app/command_line.h"
#include "app/document_kind.h"
#include "framework/application.h"
#include "framework/kit_lock.h"
#include "plot2d/example_table.h"
#include "plot2d/solution_rows.h"
#include "plot3d/plot3_win.h"
#include "textwin/value_table.h"

namespace curvelo {
namespace {

constexpr std::string_view kUsage = "curvelo --table FILE.cv2|FILE.cv3 [--example N]";
constexpr int kNothingToShow = 15;  // "válassz!"

// A 3D document's tables come from a 3D window (its surfaces need their meshes), drawn nowhere.
int RunSpaceTable(int argc, char** argv, const std::string& input, const std::string& example, std::ostream& out,
                  std::ostream& err) {
    setenv("QT_QPA_PLATFORM", "offscreen", 1);
    fw::TApplication app(argc, argv, "curvelo");
    fw::SetBatchMode(true);  // nobody is there to answer a dialog
    TPlot3Win window(nullptr, input);
    if (!window.Create()) return BatchFail(err, 11);
    if (int code = window.ReadDocument(input)) return BatchFail(err, code);
    int index = 0;
    if (!ChooseBatchExample(window.Engine(), window.Inventory(), example, index))
        return BatchUsage(err, "--example N", kUsage);
    if (index >= window.Inventory().Count()) return BatchFail(err, kNothingToShow);
    TableSource& tables = window.Tables();
    if (!window.HasTable(index)) {
        err << tables.TableText(index, 0) << '\n';
        return 1;
    }
    const int count = std::max(tables.SolutionCount(index), 1);
    for (int k = 0; k < count; ++k) out << tables.TableText(index, k);
    return 0;
}

}  // namespace

int RunTable(int argc, char** argv, std::ostream& out, std::ostream& err) {
    const CommandLine line = ParseCommandLine(argc, argv);
    if (line.error != CommandLineError::None) return BatchUsage(err, line.culprit, kUsage);
    if (line.command != Command::Table) return BatchUsage(err, "--table", kUsage);
    std::string input, example;
    for (const OptionValue& v : line.options) {
        if (v.option->name == "--table") input = v.value;
        else if (v.option->name == "--example") example = v.value;
        else return BatchUsage(err, std::string(v.option->name), kUsage);
    }
    if (input.empty()) return BatchUsage(err, "--table", kUsage);
    if (DocumentKindOf(input) == DocumentKind::Plot3) return RunSpaceTable(argc, argv, input, example, out, err);

    BatchDocument doc;
    if (std::uint16_t code = LoadBatchDocument(input, doc)) return BatchFail(err, code);
    int index = 0;
    if (!ChooseBatchExample(doc, example, index)) return BatchUsage(err, "--example N", kUsage);
    if (index >= doc.inventory.Count()) return BatchFail(err, kNothingToShow);
    const InventorySlot& slot = doc.inventory.Slot(index);
    // An example without a table gets the window's words for that, as a refusal.
    if (!ExampleHasTable(slot)) {
        err << ExampleTableText(doc.engine, slot) << '\n';
        return 1;
    }
    // A chain of solutions is listed one after the other, as the window's F2 steps through it.
    const int tables = std::max(SolutionCount(slot), 1);
    for (int k = 0; k < tables; ++k) {
        ExampleTableOptions options;
        options.solution = k;
        options.trajectory = {doc.view, doc.tracing};
        out << ExampleTableText(doc.engine, slot, options);
    }
    return 0;
}

}  // namespace curvelo
