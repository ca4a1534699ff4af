// The iteration (web) diagram of an explicit function: the orbit x0, f(x0), f(f(x0)), ...
// drawn as the staircase between the graph of f and the line y = x.
#pragma once

#include <vector>

#include "expr/letters.h"
#include "expr/tree.h"
#include "plotwin/draw_surface.h"

namespace curvelo {

// (x0, 0), then (x, f(x)) and (f(x), f(x)) for each of the steps, x taking the new value;
// ends early where f is undefined or leaves the finite numbers. X is left as it was.
std::vector<WorldPoint> WebDiagramPath(LetterStore& letters, ExprNode* tree, long double x0, int steps);

// The dotted line y = x across the view, then the path with the current pen.
void DrawWebDiagram(DrawSurface& surface, const std::vector<WorldPoint>& path, Rgb colour, int penWidth);

}  // namespace curvelo
