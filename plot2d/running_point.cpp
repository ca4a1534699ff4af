#include "plot2d/running_point.h"

#include <algorithm>
#include <cmath>

#include "plot2d/root_scan.h"

namespace curvelo {
void RunningPoint::Reset(long double lo, long double hi, int steps) {
    lo_ = std::isfinite(lo) ? lo : 0;
    hi_ = std::isfinite(hi) && hi > lo_ ? hi : lo_ + 1;
    steps_ = std::clamp(steps, 1, kMaxSteps);
    t_ = (lo_ + hi_) * 0.5L;
}

void RunningPoint::SetT(long double t) {
    if (std::isfinite(t)) t_ = std::clamp(t, lo_, hi_);
}

void RunningPoint::Step(int n) {
    n = std::clamp(n, -steps_, steps_);
    SetT(t_ + n * (hi_ - lo_) / steps_);
}

bool RunningPoint::MoveNearest(const std::function<bool(long double, long double&)>& distance2, int samples) {
    samples = std::clamp(samples, 1, kMaxSteps);
    bool any = false;
    long double best = 0, bestT = t_;
    for (int i = 0; i <= samples; ++i) {
        const long double t = i == samples ? hi_ : lo_ + i * (hi_ - lo_) / samples;
        long double d2 = 0;
        if (!distance2(t, d2) || !std::isfinite(d2)) continue;
        if (!any || d2 < best) best = d2, bestT = t, any = true;
    }
    if (any) t_ = bestT;
    return any;
}

bool LocalPictureAt(LetterStore& letters, const CurveForm& form, long double t, LocalPicture& out) {
    if (form.letter < 0 || form.letter >= kLetterCount) return false;
    const ExtComplex saved = letters.LetterValues[form.letter];
    LocalPicture p;
    p.t = t;
    long double ddx = 0, ddy = 0;
    const bool ok = CurvePointAt(letters, form, t, p.x, p.y) && EvalInLetter(letters, form.dx.get(), form.letter, t, p.dx) &&
                    EvalInLetter(letters, form.dy.get(), form.letter, t, p.dy);
    const bool second = ok && EvalInLetter(letters, form.ddx.get(), form.letter, t, ddx) &&
                        EvalInLetter(letters, form.ddy.get(), form.letter, t, ddy);
    letters.LetterValues[form.letter] = saved;
    const long double speed2 = p.dx * p.dx + p.dy * p.dy;
    if (!ok || !(speed2 > 0)) return false;
    constexpr long double kTiny = 1e-18L;
    if (std::fabs(p.dx) > kTiny) {
        p.hasSlope = true;
        p.slope = p.dy / p.dx;
    }
    // Curvature k = (x'y'' - y'x'') / |P'|^3; the centre lies 1/k along the left normal.
    const long double cross = p.dx * ddy - p.dy * ddx;
    if (second && std::fabs(cross) > kTiny * speed2) {
        const long double speed = std::sqrt(speed2);
        const long double k = cross / (speed2 * speed);
        p.radius = 1 / std::fabs(k);
        p.cx = p.x - p.dy / speed / k;
        p.cy = p.y + p.dx / speed / k;
        p.hasCircle = std::isfinite(p.cx) && std::isfinite(p.cy) && std::isfinite(p.radius);
    }
    out = p;
    return true;
}

}  // namespace curvelo
