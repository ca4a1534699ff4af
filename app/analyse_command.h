// Measuring without a display: curvelo --analyse FILE [--example N] --integral A B N (or
// --arclength A B N) prints the six sums, one a line, in the window's number format;
// --zeros, --extrema Q and --intersections M print the hits of one round of the scan.
#pragma once

#include <iosfwd>

namespace curvelo {

// 0 when the sums were written to out; otherwise the program's message went to err.
int RunAnalyse(int argc, char** argv, std::ostream& out, std::ostream& err);

}  // namespace curvelo
