// SVG pictures as square raster images with a transparent background: the window icon and
// the PNG icons that the build renders for the desktop's icon theme.
#pragma once

#include <string>
#include <string_view>

namespace curvelo::fw {

// False when the SVG cannot be read, the size is outside 1..1024 or the file cannot be
// written. Needs no application object.
bool WriteSvgAsPng(std::string_view svg, int size, const std::string& path);

}  // namespace curvelo::fw
