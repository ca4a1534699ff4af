// The logic of the axes and grid commands and their dialogs, for the window classes to call.
// Each Apply function returns 0 or a message number and changes nothing on failure.
#pragma once

#include <array>
#include <string>

#include "plotwin/frame_settings.h"
#include "plotwin/number_format.h"
#include "plotwin/value_parser.h"

namespace curvelo {

inline constexpr int kCmdAxesToggle = 109;
inline constexpr int kCmdGridDialog = 320;
inline constexpr int kCmdAxisColour = 203;
inline constexpr int kCmdGridColour = 210;
inline constexpr int kCmdAxisWidthScreen = 100;
inline constexpr int kCmdAxisWidthPrint = 101;
inline constexpr int kCmdGridWidthScreen = 150;
inline constexpr int kCmdGridWidthPrint = 151;
inline constexpr int kCmdAxisTitles = 102;
inline constexpr int kCmdAxisTitleFont = 65;
inline constexpr int kCmdTickNumberFont = 61;
inline constexpr int kCmdOpaqueLabels = 220;
inline constexpr int kCmdSolidArrows = 110;
inline constexpr int kCmdMinusChar = 92;
inline constexpr int kCmdPiChar = 73;

// What a toggle or dialog needs the window to do afterwards.
enum class FrameRepaint { kNone, kRepaint };

// 109, 220, 110: flips the setting; kRepaint when the picture changes (220 only with the axes
// shown, 110 only with axes and arrows shown). Checked state for the menu below.
FrameRepaint ToggleFrameSetting(int id, FrameSettings& s);
bool FrameCommandChecked(int id, const FrameSettings& s);

// Width dialogs (100, 101, 150, 151): prompt string 15 for printing widths, 16 for screen.
int WidthPromptString(int id);
std::string WidthText(int id, const FrameSettings& s);
// A positive integer (else 414); a changed screen width repaints while the axes are shown.
int ApplyWidthText(int id, std::string_view text, FrameSettings& s, FrameRepaint* repaint);

// Minus-character dialog (92): Cancel switches long minus off; OK takes a code 32..255 (else
// 417) and switches it on, repainting unless nothing changed.
std::string MinusCharText(const FrameSettings& s);
FrameRepaint CancelMinusChar(FrameSettings& s);
int ApplyMinusCharText(std::string_view text, FrameSettings& s, FrameRepaint* repaint);
// Pi-character dialog (73): code 32..255 (else 417), stored and repainted.
std::string PiCharText(const FrameSettings& s);
int ApplyPiCharText(std::string_view text, FrameSettings& s);

// Axis titles dialog: three titles of at most 20 characters, cut to that length.
void ApplyAxisTitles(const std::array<std::string, 3>& titles, FrameSettings& s);

// The grid dialog's controls as texts and check states.
struct GridDialogFields {
    bool axesShown = false;
    int axesMode = kAxesBoth;
    bool ticks = false, arrows = false, gridPoints = false, axisTitles = false;
    std::string tickLengthPercent;
    std::array<std::string, 2> spacing, decimals, frequency;
    std::array<bool, 2> numbers{}, piMode{};
    bool numbersAtEdge = false;
    bool dotted = false, polar = false, square = false;
    std::string sectors;
    std::array<bool, 4> quadrants{};
};

// Tick length as a percentage of the screen width in pixels and back.
long double TickLengthPercent(int tickLength, int screenWidth);
int TickLengthFromPercent(long double percent, int screenWidth);

GridDialogFields GridDialogFieldsFor(const FrameSettings& s, int screenWidth, const NumberFormat& format);
// Reads every field; on a bad field nothing is stored and its message number is returned.
int ApplyGridDialog(const GridDialogFields& f, const FieldEvaluator& eval, int screenWidth, FrameSettings& s);

}  // namespace curvelo
