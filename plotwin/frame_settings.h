// The settings of a window's coordinate frame (axes, ticks, numbers, grids) with the
// defaults of a new window, and the world sizes derived from them for the current view.
#pragma once

#include <array>
#include <cstdint>
#include <string>

namespace curvelo {

class PlotView;

enum AxesMode : std::int16_t { kAxesX = 1, kAxesY = 2, kAxesBoth = 3, kAxesPolar = 4 };

// Number flags.
inline constexpr std::uint16_t kNumbersX = 1u << 0;
inline constexpr std::uint16_t kNumbersY = 1u << 1;
inline constexpr std::uint16_t kNumbersAtEdge = 1u << 2;

// Grid flags.
inline constexpr std::uint16_t kGridQuadrant1 = 1u << 0;
inline constexpr std::uint16_t kGridQuadrant2 = 1u << 1;
inline constexpr std::uint16_t kGridQuadrant3 = 1u << 2;
inline constexpr std::uint16_t kGridQuadrant4 = 1u << 3;
inline constexpr std::uint16_t kGridSquare = 1u << 4;
inline constexpr std::uint16_t kGridPolar = 1u << 5;
inline constexpr std::uint16_t kGridDotted = 1u << 6;

// Label background modes.
inline constexpr std::int16_t kLabelsTransparent = 1;
inline constexpr std::int16_t kLabelsOpaque = 2;

inline constexpr std::size_t kAxisTitleMax = 20;
// What the grid and width dialogs accept; stored settings are clamped to the same.
inline constexpr int kMaxFrameWidth = 100;  // axis and grid pens
inline constexpr int kMaxTickDecimals = 18;
inline constexpr int kMaxTickFrequency = 10000;
inline constexpr int kMaxPolarSectors = 360;
inline constexpr int kMaxTickLength = 10000;
inline constexpr int kCharCodeMin = 32;
inline constexpr int kCharCodeMax = 255;

struct FrameSettings {
    std::uint8_t axesShown = 0;
    std::int16_t axesMode = kAxesBoth;
    std::uint8_t ticks = 1;
    std::uint8_t arrows = 0;
    std::uint8_t solidArrows = 0;
    std::uint8_t gridPoints = 0;
    std::uint8_t axisTitlesShown = 0;
    std::uint16_t numberFlags = 0;
    std::uint16_t gridFlags = 15;
    std::int16_t polarSectors = 12;
    long double spacingX = 1, spacingY = 1;
    long double originX = 0, originY = 0;
    std::int16_t decimalsX = 1, decimalsY = 1;
    std::int16_t frequencyX = 1, frequencyY = 1;
    std::uint8_t piModeX = 0, piModeY = 0;
    std::int16_t piChar = 112;
    std::int16_t minusChar = 150;
    std::uint8_t longMinus = 0;
    std::int16_t tickLength = 10;
    std::int16_t arrowSize = 7;
    std::int16_t decorationSize = 5;
    std::int16_t axisWidthScreen = 1, axisWidthPrint = 2;
    std::int16_t gridWidthScreen = 1, gridWidthPrint = 2;
    std::int16_t labelBackground = kLabelsOpaque;
    std::array<std::string, 3> axisTitles{"x", "y", "z"};
    int axisColour = 0;
    int gridColour = 20;
    // Extra labels drawn last (0 none; 1 x spacing, 2 y spacing, 3 both) and their colour.
    std::int16_t extraLabelMode = 0;
    int extraLabelColour = 5;

    // World sizes of the pixel-sized decorations, recomputed with the view.
    long double halfTickX = 0, halfTickY = 0;
    long double arrowX = 0, arrowY = 0;
    long double halfDecorationX = 0, halfDecorationY = 0;

    // pixelScale > 1 enlarges the decorations for a device with finer pixels (a printer), so
    // that they keep their size on paper.
    void UpdateDerived(const PlotView& view, long double pixelScale = 1);
    // What the initial view brings back: both spacings 1 and the label mode flags 0.
    void ResetTicks();
    // Brings the counts and sizes read from a file into the ranges the dialogs accept.
    void ClampCounts();

    bool operator==(const FrameSettings&) const = default;

    bool SquareGridOn() const { return (gridFlags & kGridSquare) != 0; }
    bool PolarGridOn() const { return (gridFlags & kGridPolar) != 0; }
    bool Dotted() const { return (gridFlags & kGridDotted) != 0; }
    // True when the frame draws anything at all.
    bool DrawsAnything() const { return axesShown || gridPoints || (gridFlags & (kGridSquare | kGridPolar)) != 0; }
};

}  // namespace curvelo
