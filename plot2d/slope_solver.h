// Fixed-step solutions of dy/dx = F(x, y): one step of Euler's method, the modified Euler
// method or the classical Runge-Kutta method (written with the half step k = h/2), and the
// run of a whole solution against a view: a solution leaving the top or bottom goes on
// unseen and is drawn again when it comes back (unless it must stop at the picture's
// borders); one leaving the left or right edge ends.
#pragma once

#include <cstdint>
#include <functional>

#include "plot2d/initial_condition.h"
#include "plotwin/plot_view.h"

namespace curvelo {

// F(x, y); false where it is undefined.
using SlopeFunction = std::function<bool(long double x, long double y, long double& slope)>;

// Advances (x, y) by one step h in place; false (and the point unchanged) when an
// evaluation fails or, with suddenAngle, when the first two stage increments point in
// opposite directions steeply (s1 * s2 < -1).
bool SlopeStep(const SlopeFunction& f, SlopeMethod method, long double& x, long double& y, long double h,
               bool suddenAngle = false);

// Where a point lies against the view's edges.
enum class ViewZone { kInside = 0, kAboveOrBelow = 1, kBeside = 2 };
ViewZone ClassifyPoint(long double x, long double y, long double xmin, long double xmax, long double ymin,
                       long double ymax);

struct SlopeRunSettings {
    long double x0 = 0, y0 = 0, h = 0.1L;
    long long steps = 0;
    SlopeMethod method = SlopeMethod::kRungeKutta;
    bool stopAtBorder = true;  // "a kép határai"
    bool suddenAngle = false;
    long double xmin = -5, xmax = 5, ymin = -5, ymax = 5;
};

struct SlopeRunResult {
    long long stepsMade = 0;
    long double x = 0, y = 0;  // the last point reached
    bool stopped = false;      // the visitor asked to stop (Q)
};

// Called for each step made: the previous and the new point and whether either lies in the
// view (a piece of the drawn curve). Returning false stops the run.
using SlopeVisitor = std::function<bool(long double px, long double py, long double x, long double y, bool drawn)>;

// The run a condition asks for: its start, step, step count and method (the caller sets
// the view and the switches).
SlopeRunSettings SlopeRunOf(const TInitialCondition& c);

SlopeRunResult RunSlopeSolution(const SlopeFunction& f, const SlopeRunSettings& run, const SlopeVisitor& visit);

}  // namespace curvelo
