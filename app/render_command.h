// Headless rendering: curvelo --render FILE -o OUT [--size WxH] draws a 2D or 3D document without a
// display, into PNG, SVG or PDF by the output's extension, or saves it again as .cv2 (.cv3).
#pragma once

#include <iosfwd>

namespace curvelo {

// 0 on success; otherwise the program's message went to err and the result is non-zero.
int RunRender(int argc, char** argv, std::ostream& err);

}  // namespace curvelo
