#include "plot2d/object_geometry.h"

#include <cmath>

#include "expr/eval.h"
#include "plot2d/curve_sampler.h"

namespace curvelo {

bool EvalReal(LetterStore& letters, ExprNode* tree, long double& value) {
    if (!tree || !EvalNode(letters, tree)) return false;
    value = tree->value.re;
    return std::isfinite(value);
}

namespace {

bool PairOf(bool polar, ExprNode* first, ExprNode* second, LetterStore& letters, WorldPoint& p) {
    long double u = 0, v = 0;
    if (!EvalReal(letters, first, u) || !EvalReal(letters, second, v)) return false;
    p = polar ? WorldPoint{u * std::cos(v), u * std::sin(v)} : WorldPoint{u, v};
    return std::isfinite(p.x) && std::isfinite(p.y);
}

}  // namespace

bool SegmentEndsOf(const TExample& e, const CurveTrees& t, LetterStore& letters, WorldPoint& a, WorldPoint& b) {
    const bool polar = e.longSearch != 0;
    return PairOf(polar, t.tree[0], t.tree[1], letters, a) && PairOf(polar, t.tree[2], t.tree[3], letters, b);
}

bool PointOf(const TExample& e, const CurveTrees& t, LetterStore& letters, WorldPoint& p) {
    return PairOf(e.longSearch != 0, t.tree[0], t.tree[1], letters, p);
}

bool LineCoefficientsOf(const CurveTrees& t, LetterStore& letters, LineCoefficients& line) {
    return EvalReal(letters, t.tree[0], line.a) && EvalReal(letters, t.tree[1], line.b) &&
           EvalReal(letters, t.tree[2], line.c);
}

bool ClipToBox(WorldPoint& p, WorldPoint& q, long double xmin, long double xmax, long double ymin,
               long double ymax) {
    // Parametric clipping of p + s(q - p), 0 <= s <= 1, against the four edges.
    const long double dx = q.x - p.x, dy = q.y - p.y;
    long double s0 = 0, s1 = 1;
    const long double num[4] = {p.x - xmin, xmax - p.x, p.y - ymin, ymax - p.y};
    const long double den[4] = {-dx, dx, -dy, dy};
    for (int k = 0; k < 4; ++k) {
        if (den[k] == 0) {
            if (num[k] < 0) return false;
            continue;
        }
        const long double s = num[k] / den[k];
        if (den[k] < 0) {
            if (s > s1) return false;
            if (s > s0) s0 = s;
        } else {
            if (s < s0) return false;
            if (s < s1) s1 = s;
        }
    }
    const WorldPoint a{p.x + s0 * dx, p.y + s0 * dy}, b{p.x + s1 * dx, p.y + s1 * dy};
    p = a;
    q = b;
    return std::isfinite(p.x) && std::isfinite(p.y) && std::isfinite(q.x) && std::isfinite(q.y);
}

bool LinePieceInBox(const LineCoefficients& l, long double xmin, long double xmax, long double ymin,
                    long double ymax, WorldPoint& p, WorldPoint& q) {
    if (!std::isfinite(l.a) || !std::isfinite(l.b) || !std::isfinite(l.c)) return false;
    if (std::fabs(l.a) <= kLineZero && std::fabs(l.b) <= kLineZero) return false;
    // Construction points a few box sizes outside, so the clipped piece spans the box.
    const long double reach = 4 * ((xmax - xmin) + (ymax - ymin));
    if (std::fabs(l.b) <= kLineZero) {
        const long double x = l.c / l.a;
        p = {x, ymin - reach};
        q = {x, ymax + reach};
    } else if (std::fabs(l.a) > std::fabs(l.b)) {
        // Steep: step along y so the points stay far apart on the screen.
        const auto xAt = [&l](long double y) { return (l.c - l.b * y) / l.a; };
        p = {xAt(ymin - reach), ymin - reach};
        q = {xAt(ymax + reach), ymax + reach};
    } else {
        const auto yAt = [&l](long double x) { return (l.c - l.a * x) / l.b; };
        p = {xmin - reach, yAt(xmin - reach)};
        q = {xmax + reach, yAt(xmax + reach)};
    }
    return ClipToBox(p, q, xmin, xmax, ymin, ymax);
}

bool LinePieceInView(const LineCoefficients& line, const PlotView& v, WorldPoint& p, WorldPoint& q) {
    return LinePieceInBox(line, v.xmin - v.upx, v.xmax + v.upx, v.ymin - v.upy, v.ymax + v.upy, p, q);
}

void StoreSegmentRange(TExample& e, WorldPoint a, WorldPoint b) {
    e.low = std::fmin(a.x, b.x);
    e.high = std::fmax(a.x, b.x);
    e.low2 = std::fmin(a.y, b.y);
    e.high2 = std::fmax(a.y, b.y);
    e.flag60 = std::fabs(a.x - b.x) > kLineZero ? 1 : 0;
}

void StoreLineRange(TExample& e, bool drawn, WorldPoint p, WorldPoint q, const LineCoefficients& line) {
    e.longSearch = drawn ? 1 : 0;
    e.flag60 = std::fabs(line.b) > kLineZero ? 1 : 0;
    if (!drawn) return;
    e.low = p.x;
    e.low2 = p.y;
    e.high = q.x;
    e.high2 = q.y;
}

bool StoredLinePiece(const TExample& e, WorldPoint& p, WorldPoint& q) {
    if (!e.longSearch) return false;
    p = {e.low, e.low2};
    q = {e.high, e.high2};
    return true;
}

}  // namespace curvelo
