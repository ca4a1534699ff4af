// Control ids of the plot-window dialogs (resources/dialogs/VIEWALL, SETGRID, AXVBLS, PRNSPX2,
// PICTEX).
#pragma once

namespace curvelo::dlg {

// "VIEWALL": the edges and centre groups; the edits are 211-214 and 215-217.
inline constexpr int kViewEdgesRadio = 209;
inline constexpr int kViewCentreRadio = 210;
inline constexpr int kViewLeft = 211, kViewRight = 212, kViewBottom = 213, kViewTop = 214;
inline constexpr int kViewCentreX = 215, kViewCentreY = 216, kViewWidth = 217;
inline constexpr int kViewApply = 218;
inline constexpr int kViewClose = 219;

// "SETGRID".
inline constexpr int kGridAxes = 101;
inline constexpr int kGridModeBoth = 102, kGridModeX = 103, kGridModeY = 104, kGridModePolar = 105;
inline constexpr int kGridTicks = 106;
inline constexpr int kGridArrows = 107;
inline constexpr int kGridPoints = 108;
inline constexpr int kGridTitles = 109;
inline constexpr int kGridTickLength = 110;
// Row x then row y: spacing, numbers, decimals, frequency, pi (y ids are x ids + 10).
inline constexpr int kGridSpacingX = 111, kGridNumbersX = 112, kGridDecimalsX = 113, kGridFrequencyX = 114,
                     kGridPiX = 115;
inline constexpr int kGridRowYOffset = 10;
inline constexpr int kGridNumbersOnAxes = 131, kGridNumbersAtEdge = 132;
inline constexpr int kGridDotted = 133;
inline constexpr int kGridPolar = 134, kGridSectors = 135;
inline constexpr int kGridSquare = 136;
inline constexpr int kGridQuadrant1 = 137;  // 137-140: I, II, III, IV
inline constexpr int kGridApply = 141;
inline constexpr int kGridClose = 142;

// "AXVBLS": the three titles.
inline constexpr int kTitleFirst = 151;  // 151-153

// "PRNSPX2".
inline constexpr int kPrintByWidth = 161, kPrintWidth = 162;
inline constexpr int kPrintByInterval = 163, kPrintInterval = 164;
inline constexpr int kPrintLeft = 165, kPrintTop = 166;
inline constexpr int kPrintFrame = 167, kPrintColour = 168;

// "PICTEX": width, box register, the four modes (173 + mode), the white-space radius.
inline constexpr int kPictexWidth = 171, kPictexBox = 172, kPictexModeFirst = 173, kPictexRadius = 177,
                     kPictexRadiusLabel = 178;

}  // namespace curvelo::dlg
