// The table of values without a display: curvelo --table FILE [--example N] prints the
// whole table text of an example, every page, as the table window builds it.
#pragma once

#include <iosfwd>

namespace curvelo {

// 0 when the table was written to out; otherwise the program's message went to err.
int RunTable(int argc, char** argv, std::ostream& out, std::ostream& err);

}  // namespace curvelo
