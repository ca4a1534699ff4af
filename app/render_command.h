// Headless rendering: curvelo --render FILE -o OUT [--size WxH] draws a 2D or 3D document
// without a display, into PNG, SVG or PDF by the output's extension, exports it as PiCTeX
// (.tex) or TikZ (.tikz), writes a 3D document's meshes (.stl, .obj), or saves it again as
// .cv2 (.cv3); curvelo --animate FILE --letter L -o OUT.gif saves its frame animation.
#pragma once

#include <iosfwd>

namespace curvelo {

// 0 on success; otherwise the program's message went to err and the result is non-zero.
int RunRender(int argc, char** argv, std::ostream& err);
int RunAnimate(int argc, char** argv, std::ostream& err);

}  // namespace curvelo
