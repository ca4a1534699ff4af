// The logic of the view commands and their dialogs, for the window classes to call: each
// function reads or writes plain texts and the view, and returns a message number or 0.
#pragma once

#include <array>
#include <string>

#include "plotwin/number_format.h"
#include "plotwin/plot_view.h"
#include "plotwin/value_parser.h"

namespace curvelo {

struct FrameSettings;

inline constexpr int kCmdViewDialog = 104;
inline constexpr int kCmdZoomOut = 106;
inline constexpr int kCmdZoomIn = 107;
inline constexpr int kCmdZoomFactor = 108;
inline constexpr int kCmdMakeSquare = 117;
inline constexpr int kCmdPanPercent = 321;
inline constexpr int kCmdPanLeft = 322;
inline constexpr int kCmdPanRight = 323;
inline constexpr int kCmdPanDown = 324;
inline constexpr int kCmdPanUp = 325;
inline constexpr int kCmdLastView = 111;
inline constexpr int kCmdResetView = 103;

// Field lengths of the view dialogs.
inline constexpr int kZoomFactorMaxChars = 20;
inline constexpr int kViewFieldMaxChars = 30;

// Runs 106, 107, 117, 322-325, 111 and 103 on the view (103 also resets the tick settings);
// false for any other id. After 103 the window discards its cached picture, marks itself
// modified and repaints.
bool RunViewCommand(int id, PlotView& view, FrameSettings& frame);
// Enabled state: 117 only with unequal units, 111 only with a history; others always.
bool ViewCommandEnabled(int id, const PlotView& view);

// Zoom-factor dialog (108): the text shown, then what OK does with the typed text.
std::string ZoomFactorText(const PlotView& view, const NumberFormat& format);
int ApplyZoomFactorText(std::string_view text, const FieldEvaluator& eval, PlotView& view);

// Pan-percentage dialog (321): the fraction as a percentage with two decimals.
std::string PanPercentText(const PlotView& view);
int ApplyPanPercentText(std::string_view text, const FieldEvaluator& eval, PlotView& view);

// The view dialog: edges balra, jobbra, lent, fent (211-214); centre horiz., vert.,
// szélesség (215-217).
inline constexpr int kViewEdgeFirstId = 211;
inline constexpr int kViewCentreFirstId = 215;
struct ViewDialogFields {
    bool edges = false;
    std::array<std::string, 4> edge;    // xmin, xmax, ymin, ymax
    std::array<std::string, 3> centre;  // cx, cy, width
};
ViewDialogFields ViewDialogFieldsFor(const PlotView& view, const NumberFormat& format);
// Applies the chosen group through SetView; 0, or the message number with the view unchanged.
int ApplyViewDialog(const ViewDialogFields& fields, const FieldEvaluator& eval, PlotView& view);

}  // namespace curvelo
