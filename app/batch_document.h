// A 2D document read for a batch command: the window's state without the window, the example
// the command names, and the program's messages on standard error.
#pragma once

#include <cstdint>
#include <iosfwd>
#include <string>
#include <string_view>

#include "expr/engine.h"
#include "plot2d/inventory.h"
#include "plot2d/plot2_document.h"
#include "plotwin/frame_settings.h"
#include "plotwin/plot_view.h"
#include "plotwin/print_layout.h"

namespace curvelo {

struct BatchDocument {
    PlotView view;
    FrameSettings frame;
    PrintSetup print;
    int background = 0;
    ExampleInventory inventory;
    FormulaEngine engine;
    Plot2Fonts fonts;
    Plot2Switches switches;
    TraceOptions tracing;
};

// Reads a .cv2 file into doc; 0 or the program's error code.
std::uint16_t LoadBatchDocument(const std::string& path, BatchDocument& doc);

// The example "N" (1-based, a formula) or, when empty, the selected one or the first.
// False when N is not a number of the inventory.
bool ChooseBatchExample(BatchDocument& doc, std::string_view example, int& index);
bool ChooseBatchExample(FormulaEngine& engine, const ExampleInventory& inventory, std::string_view example,
                        int& index);

// "error 401: nem értem (why)" and the usage line; returns the usage exit code 2.
int BatchUsage(std::ostream& err, const std::string& why, std::string_view usage);
// "error 4xx: message" for a program error code; returns the refusal exit code 1.
int BatchFail(std::ostream& err, int code);

}  // namespace curvelo
