#include "plot2d/slope_solver.h"

#include <cmath>

namespace curvelo {

bool SlopeStep(const SlopeFunction& f, SlopeMethod method, long double& x, long double& y, long double h,
               bool suddenAngle) {
    long double f1 = 0, f2 = 0;
    if (!f(x, y, f1)) return false;
    const long double s1 = h * f1;
    long double dy = 0;
    switch (method) {
    case SlopeMethod::kEuler: {
        // The second stage is only needed to see a sudden reversal.
        if (suddenAngle) {
            if (!f(x + h, y + s1, f2) || s1 * (h * f2) < -1) return false;
        }
        dy = s1;
        break;
    }
    case SlopeMethod::kModifiedEuler: {
        if (!f(x + h, y + s1, f2)) return false;
        const long double s2 = h * f2;
        if (suddenAngle && s1 * s2 < -1) return false;
        dy = (s1 + s2) / 2;
        break;
    }
    case SlopeMethod::kRungeKutta: {
        const long double k = h / 2;
        const long double v1 = k * f1;
        long double f3 = 0, f4 = 0;
        if (!f(x + k, y + v1, f2)) return false;
        const long double v2 = k * f2;
        if (suddenAngle && s1 * (h * f2) < -1) return false;
        if (!f(x + k, y + v2, f3)) return false;
        const long double v3 = k * f3;
        if (!f(x + 2 * k, y + 2 * v3, f4)) return false;
        const long double v4 = k * f4;
        dy = (v1 + 2 * v2 + 2 * v3 + v4) / 3;
        break;
    }
    }
    if (!std::isfinite(dy)) return false;
    x += h;
    y += dy;
    return true;
}

ViewZone ClassifyPoint(long double x, long double y, long double xmin, long double xmax, long double ymin,
                       long double ymax) {
    if (!(x >= xmin && x <= xmax)) return ViewZone::kBeside;
    if (y >= ymin && y <= ymax) return ViewZone::kInside;
    return ViewZone::kAboveOrBelow;
}

SlopeRunResult RunSlopeSolution(const SlopeFunction& f, const SlopeRunSettings& run, const SlopeVisitor& visit) {
    SlopeRunResult result;
    long double x = run.x0, y = run.y0;
    result.x = x;
    result.y = y;
    auto zoneOf = [&](long double px, long double py) {
        return ClassifyPoint(px, py, run.xmin, run.xmax, run.ymin, run.ymax);
    };
    auto runs = [&](ViewZone z) {
        return z == ViewZone::kInside || (z == ViewZone::kAboveOrBelow && !run.stopAtBorder);
    };
    ViewZone zone = zoneOf(x, y);
    if (!runs(zone) || !(run.h != 0) || !std::isfinite(run.h)) return result;
    for (long long i = 0; i < run.steps; ++i) {
        const long double px = x, py = y;
        if (!SlopeStep(f, run.method, x, y, run.h, run.suddenAngle)) break;
        const ViewZone next = zoneOf(x, y);
        if (!runs(next)) {
            // The last piece still reaches the edge; it is not a step of the solution.
            if (zone == ViewZone::kInside && !visit(px, py, x, y, true)) result.stopped = true;
            break;
        }
        ++result.stepsMade;
        result.x = x;
        result.y = y;
        // A piece with an end in the view is drawn clipped, so the curve meets the edge.
        const bool drawn = zone == ViewZone::kInside || next == ViewZone::kInside;
        zone = next;
        if (!visit(px, py, x, y, drawn)) {
            result.stopped = true;
            break;
        }
    }
    return result;
}

SlopeRunSettings SlopeRunOf(const TInitialCondition& c) {
    SlopeRunSettings run;
    run.x0 = c.x0;
    run.y0 = c.y0;
    run.h = c.step;
    run.steps = c.StepLimit();
    run.method = c.Method();
    return run;
}

}  // namespace curvelo
