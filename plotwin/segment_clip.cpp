#include "plotwin/segment_clip.h"

#include <cmath>

namespace curvelo {
namespace {

// One boundary of the parametric clip: narrows [t0, t1] or reports that nothing is left.
bool ClipEdge(long double denom, long double num, long double& t0, long double& t1) {
    if (denom == 0) return num >= 0;
    const long double t = num / denom;
    if (denom < 0) {
        if (t > t1) return false;
        if (t > t0) t0 = t;
    } else {
        if (t < t0) return false;
        if (t < t1) t1 = t;
    }
    return true;
}

}  // namespace

bool ClipToRect(WorldPoint& p, WorldPoint& q, long double left, long double right,
                long double bottom, long double top) {
    if (!(left <= right) || !(bottom <= top)) return false;
    if (!std::isfinite(p.x) || !std::isfinite(p.y) || !std::isfinite(q.x) || !std::isfinite(q.y))
        return false;
    const long double dx = q.x - p.x;
    const long double dy = q.y - p.y;
    long double t0 = 0, t1 = 1;
    if (!ClipEdge(-dx, p.x - left, t0, t1)) return false;
    if (!ClipEdge(dx, right - p.x, t0, t1)) return false;
    if (!ClipEdge(-dy, p.y - bottom, t0, t1)) return false;
    if (!ClipEdge(dy, top - p.y, t0, t1)) return false;
    const WorldPoint a = p;
    if (t1 < 1) q = {a.x + t1 * dx, a.y + t1 * dy};
    if (t0 > 0) p = {a.x + t0 * dx, a.y + t0 * dy};
    return true;
}

}  // namespace curvelo
