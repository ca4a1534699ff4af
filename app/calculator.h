#pragma once
// The command-line calculator: curvelo --eval TEXT [--set L=TEXT]...
// [--define NAME(x)=TEXT | --define NAME(x,y)=TEXT]... [--derivative L] [--complex]
// Runs on a fresh engine without a display. Exit codes: 0 value printed, 1 undefined,
// 2 error (compile, definition or argument).

#include <ostream>

namespace curvelo {

int RunCalculator(int argc, char** argv, std::ostream& out, std::ostream& err);

}  // namespace curvelo
