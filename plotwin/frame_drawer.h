// Drawing of the coordinate frame: grids, grid points, axes with ticks and numbers, arrowheads
// and titles, through the drawing interface.
#pragma once

#include "plotwin/colour_table.h"
#include "plotwin/draw_surface.h"
#include "plotwin/frame_settings.h"
#include "plotwin/tick_range.h"

namespace curvelo {

// Where the frame goes: screen or paper, colour or not, and the window's background.
struct FrameOutput {
    bool printing = false;
    bool colourOutput = true;           // false: black and white
    int backgroundIndex = kColourWhite;  // -1 when the background is an explicit colour
    Rgb measuredBackground{255, 255, 255};
};

// The colour index the grid is drawn with: black when it would vanish in the background.
int EffectiveGridColour(const FrameSettings& s, const FrameOutput& out);

// Draws the whole frame (nothing when nothing is switched on) and returns the status of the
// tick choice, which may have changed the spacings in s.
int DrawFrame(DrawSurface& surface, FrameSettings& s, const FrameOutput& out);

// Pieces of the frame, in world coordinates, used by DrawFrame and by the 3D planar views.
void DrawSquareGrid(DrawSurface& surface, const FrameSettings& s, const TickRange& r);
void DrawPolarGrid(DrawSurface& surface, const FrameSettings& s);
void DrawGridPoints(DrawSurface& surface, const FrameSettings& s, const TickRange& r);
// Every frame label goes through here: long minus and the label background.
void DrawFrameLabel(DrawSurface& surface, const FrameSettings& s, WorldPoint p, std::string_view text,
                    int a, int b, LabelRole role);

// The x axis runs over [start, end]; start is the origin when only its right half is wanted.
struct AxisSpan {
    bool drawn = false;
    long double start = 0, end = 0;
};
AxisSpan XAxisSpan(const FrameSettings& s, const PlotView& v);
AxisSpan YAxisSpan(const FrameSettings& s, const PlotView& v);

}  // namespace curvelo
