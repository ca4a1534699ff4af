#include "plot2d/web_diagram.h"

#include <algorithm>
#include <cmath>

#include "expr/eval.h"
#include "expr/eval_cancel.h"

namespace curvelo {

std::vector<WorldPoint> WebDiagramPath(LetterStore& letters, ExprNode* tree, long double x0, int steps) {
    std::vector<WorldPoint> path;
    if (!tree || !std::isfinite(x0)) return path;
    const long double savedX = GetLetter(letters, kLetterX);
    path.reserve(static_cast<std::size_t>(2 * std::max(steps, 0) + 1));
    path.push_back({x0, 0});
    long double x = x0;
    ClearEvalCancel(letters);
    for (int k = 0; k < steps; ++k) {
        SetLetter(letters, kLetterX, x);
        if (!CountEvalStep(letters) || !EvalNode(letters, tree) || EvalCancelled(letters)) break;
        const long double y = tree->value.re;
        if (!std::isfinite(y)) break;
        path.push_back({x, y});
        path.push_back({y, y});
        x = y;
    }
    SetLetter(letters, kLetterX, savedX);
    return path;
}

void DrawWebDiagram(DrawSurface& surface, const std::vector<WorldPoint>& path, Rgb colour, int penWidth) {
    const PlotView& v = surface.View();
    const long double lo = std::max(v.xmin, v.ymin), hi = std::min(v.xmax, v.ymax);
    surface.SetPen(colour, 1, LineStyle::kDotted);
    if (lo < hi) surface.Segment({lo, lo}, {hi, hi});
    if (path.size() < 2) return;
    surface.SetPen(colour, penWidth, LineStyle::kSolid);
    for (std::size_t i = 1; i < path.size(); ++i) {
        WorldPoint a = path[i - 1], b = path[i];
        if (v.ClipSegment(a, b)) surface.Segment(a, b);  // an orbit may run far outside
    }
}

}  // namespace curvelo
