#include "plot2d/implicit_field.h"

#include <cmath>

namespace curvelo {
namespace {

// Newton iterations of one correction, and the change (in units of the normal, one pixel)
// below which it has converged.
constexpr int kNewtonIterations = 8;
constexpr long double kNewtonDone = 1e-7L;
// Start-point search: random pairs per attempt, and a bound on bisection halvings.
constexpr int kSearchPairs = 15;
constexpr int kMaxBisections = 200;

}  // namespace

ImplicitField::ImplicitField(LetterStore& letters, ExprNode* f, long double upx, long double upy)
    : letters_(letters), f_(f), hx_(upx > 0 ? upx * 1e-3L : 1e-5L), hy_(upy > 0 ? upy * 1e-3L : 1e-5L) {}

bool ImplicitField::Run(EvalProgram& program, WorldPoint p, long double& value) {
    if (!program.Tree()) return false;
    ++evaluations_;
    letters_.LetterValues[kLetterX] = {p.x, 0.0L};
    letters_.LetterValues[kLetterY] = {p.y, 0.0L};
    if (!program.Run(letters_)) return false;
    value = program.Tree()->value.re;
    return std::isfinite(value);
}

bool ImplicitField::Value(WorldPoint p, long double& value) { return Run(f_, p, value); }

bool ImplicitField::Gradient(WorldPoint p, long double& gx, long double& gy) {
    long double a, b, c, d;
    if (!Run(f_, {p.x + hx_, p.y}, a) || !Run(f_, {p.x - hx_, p.y}, b) || !Run(f_, {p.x, p.y + hy_}, c) ||
        !Run(f_, {p.x, p.y - hy_}, d))
        return false;
    gx = (a - b) / (2 * hx_);
    gy = (c - d) / (2 * hy_);
    return std::isfinite(gx) && std::isfinite(gy);
}

bool ImplicitField::Velocity(WorldPoint p, long double, WorldPoint& v) {
    long double gx, gy;
    if (!Gradient(p, gx, gy)) return false;
    v = {-gy, gx};
    return true;
}

bool ImplicitField::Correct(WorldPoint& p, WorldPoint normal, long double maxShift) {
    long double s = 0;
    for (int i = 0; i < kNewtonIterations; ++i) {
        const WorldPoint at{p.x + s * normal.x, p.y + s * normal.y};
        long double f, gx, gy;
        if (!Value(at, f)) return false;
        if (f == 0) break;
        if (!Gradient(at, gx, gy)) return false;
        const long double slope = gx * normal.x + gy * normal.y;
        if (slope == 0 || !std::isfinite(slope)) return false;
        const long double ds = -f / slope;
        s += ds;
        if (!(std::fabs(s) <= maxShift)) return false;
        if (std::fabs(ds) < kNewtonDone) break;
        if (i == kNewtonIterations - 1) return false;
    }
    p = {p.x + s * normal.x, p.y + s * normal.y};
    return true;
}

bool FindStartPoint(ImplicitField& field, const std::function<WorldPoint()>& randomPoint, long double eps,
                    WorldPoint& found) {
    for (int pair = 0; pair < kSearchPairs; ++pair) {
        WorldPoint a = randomPoint(), b = randomPoint();
        long double fa, fb;
        if (!field.Value(a, fa) || !field.Value(b, fb) || (fa > 0) == (fb > 0)) continue;
        const bool aPositive = fa > 0;
        WorldPoint m = a;
        for (int i = 0; i < kMaxBisections; ++i) {
            m = {(a.x + b.x) / 2, (a.y + b.y) / 2};
            long double fm;
            if (!field.Value(m, fm)) return false;
            if ((fm > 0) == aPositive) a = m;
            else b = m;
            if (std::hypot(a.x - b.x, a.y - b.y) <= eps) break;
        }
        found = m;
        return true;
    }
    return false;
}

}  // namespace curvelo
