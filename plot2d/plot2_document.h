// What a 2D window keeps in its document: the view, the frame settings, the background, the
// examples with their names, the letters and the user functions. Everything else a read
// document holds is kept in it untouched, so a load and a save lose nothing.
#pragma once

#include <array>

#include "expr/engine.h"
#include "expr/letter_params.h"
#include "framework/fw_types.h"
#include "framework/log_font.h"
#include "framework/kit_lock.h"
#include "plot2d/cv2_document.h"
#include "plot2d/inventory.h"
#include "plot2d/trace_options.h"
#include "plotwin/frame_settings.h"
#include "plotwin/plot_view.h"
#include "plotwin/print_layout.h"

namespace curvelo {

// The window's fonts with their text colours, one per font kind.
struct Plot2Fonts {
    std::array<fw::LogFont, 10> fonts;
    std::array<fw::Color, 10> colours{};
};

// Switches of the window's menus that the document keeps.
struct Plot2Switches {
    bool copyWithBackground = true;
    bool labelsShown = true;
};

// The integration tools' limits, step count and method mask (the mask is not stored).
struct MeasureSettings {
    long double low = 0, high = 1;
    std::int32_t steps = 10;
    std::uint16_t methods = 0x10;  // the parabolic sum
    bool operator==(const MeasureSettings&) const = default;
};

struct Plot2State {
    PlotView& view;
    FrameSettings& frame;
    int& background;
    ExampleInventory& inventory;
    FormulaEngine& engine;
    PrintSetup& print;
    Plot2Fonts& fonts;
    Plot2Switches& switches;
    MeasureSettings* measure = nullptr;  // kept by windows with the integration tools
    TraceOptions* tracing = nullptr;     // kept by windows that trace curves
};

// The document lock in block 13: the pass text carries the three protection switches
// ahead of the password; the four author fields follow.
void CaptureLock(const DocumentLock& lock, Cv2Document& doc);
DocumentLock LockOf(const Cv2Document& doc);

// Writes the window's state into doc (which may hold what an earlier read brought).
void CaptureWindowState(const Plot2State& state, Cv2Document& doc);
// Replaces the window's state by the document's; the examples are compiled again.
void ApplyWindowState(const Cv2Document& doc, const Plot2State& state);

// The scroll scale, animation speed, frame delay and linked letters in block 10 (the
// letters' values and bounds travel with the engine's letters).
void CaptureParams(const ParamSettings& params, Cv2Document& doc);
ParamSettings ParamsOf(const Cv2Document& doc);

}  // namespace curvelo
