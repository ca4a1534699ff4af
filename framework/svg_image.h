// Qt side of svg_raster: only framework/*.cpp may include this header.
#pragma once

#include <QImage>

#include <string_view>

namespace curvelo::fw {

// A square image of the SVG picture on transparent ground; null when it cannot be read or
// the size is outside 1..1024.
QImage SvgImage(std::string_view svg, int size);

}  // namespace curvelo::fw
