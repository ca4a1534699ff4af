// The one dot primitive of the plot windows: points, sequence terms, grid points and every
// other point-like mark are drawn through it, so they look alike on every output.
#pragma once

#include "plotwin/draw_surface.h"

namespace curvelo {

// Radius in pixels of a dot of the given size: sizes are in 600ths of the client width, so
// a printed page shows points as large, relative to the picture, as the screen does.
int DotRadius(const PlotView& view, long double size);

// Draws a dot of the given size at p in the surface's pen colour. Below size 1 it is a
// single pixel on the screen and a one-pixel ellipse when printing. A point outside the
// view is not drawn: the answer is then false.
bool DrawDot(DrawSurface& surface, WorldPoint p, long double size);

// The same with the radius given in pixels (marks whose size does not follow the window).
bool DrawDotOfRadius(DrawSurface& surface, WorldPoint p, int radiusPixels);

}  // namespace curvelo
