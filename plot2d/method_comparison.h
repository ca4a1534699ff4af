// The comparison table of the three fixed-step dy/dx methods for teaching: from one initial
// condition, each method's value at every step beside a reference solution computed by an
// adaptive fifth-order Runge-Kutta pair (Dormand-Prince) with a tight tolerance, and each
// method's error. Halving h shows the errors fall about 2, 4 and 16 times.
#pragma once

#include <string>
#include <vector>

#include "plot2d/slope_solver.h"

namespace curvelo {

inline constexpr int kMaxComparisonRows = 400;

struct ComparisonRow {
    long double x = 0;
    long double euler = 0, modified = 0, rungeKutta = 0, reference = 0;
    bool eulerOk = true, modifiedOk = true, rungeKuttaOk = true, referenceOk = true;
};

// Rows 0 ... steps (clamped to kMaxComparisonRows); a method that failed keeps failing.
std::vector<ComparisonRow> CompareMethods(const SlopeFunction& f, long double x0, long double y0, long double h,
                                          long long steps);

// The reference from (x, y) to x + h, adaptively; false when an evaluation failed or the
// step size collapsed.
bool ReferenceStep(const SlopeFunction& f, long double x, long double& y, long double h);

// The table as text: a heading naming F and the step, then one line per row (CR LF).
std::string ComparisonText(const std::string& equation, long double h, const std::vector<ComparisonRow>& rows);

}  // namespace curvelo
