// The frame of a 3D picture: space segments through the projection, the three axes with
// their names, the cell's edges with its corner coordinates, and the sketch of the axes that
// an empty window shows.
#pragma once

#include <functional>

#include "plot3d/view3d.h"
#include "plotwin/draw_surface.h"
#include "plotwin/frame_settings.h"
#include "plotwin/number_format.h"

namespace curvelo {

// True for a point that something in the picture hides from the eye.
using HiddenTest = std::function<bool(const Vec3&)>;

// Draws the segment a-b as the eye sees it; the part behind the eye is left out. With a
// hiding test the segment is sampled samples times and only the visible runs are drawn.
void DrawSegment3D(DrawSurface& surface, const View3D& view, Vec3 a, Vec3 b, int samples, const HiddenTest& hidden);

struct Axes3DLook {
    Rgb axisColour;
    int axisWidth = 1;
    Rgb cellColour;
    int cellWidth = 1;
    bool printing = false;
    NumberFormat format;
};

// The three axes over the axis box (brought up to date first) and, when the frame shows
// axis titles, their names beyond the positive ends.
void DrawAxes3D(DrawSurface& surface, View3D& view, const FrameSettings& frame, const Axes3DLook& look,
                const HiddenTest& hidden);
// The cell's twelve edges and, when asked, its two extreme corners' coordinates.
void DrawCell3D(DrawSurface& surface, const View3D& view, const FrameSettings& frame, const Axes3DLook& look,
                const HiddenTest& hidden);
// Three lines from the middle towards the left, the right and the top of the output,
// named x, y and z.
void DrawAxisSketch(DrawSurface& surface, const FrameSettings& frame, const Axes3DLook& look);

}  // namespace curvelo
