#include "plotwin/draw_dot.h"

#include <cmath>

#include "plotwin/to_int.h"

namespace curvelo {

namespace {
// Beyond this a radius only fills the device with one colour.
constexpr int kMaxDotRadius = 4096;
}  // namespace

int DotRadius(const PlotView& view, long double size) {
    if (!std::isfinite(size) || size <= 0) return 0;
    const long double r = static_cast<long double>(view.W) * size / 600.0L;
    return r >= kMaxDotRadius ? kMaxDotRadius : ToInt(r);
}

bool DrawDotOfRadius(DrawSurface& surface, WorldPoint p, int radiusPixels) {
    if (!std::isfinite(p.x) || !std::isfinite(p.y) || !surface.View().InView(p.x, p.y)) return false;
    surface.Dot(p, radiusPixels < 0 ? 0 : radiusPixels);
    return true;
}

bool DrawDot(DrawSurface& surface, WorldPoint p, long double size) {
    // Under size 1 the radius is 0 whatever the width: one pixel, or the smallest ellipse.
    return DrawDotOfRadius(surface, p, size < 1 ? 0 : DotRadius(surface.View(), size));
}

}  // namespace curvelo
