// Build tool: icon_png PICTURE.svg SIZE OUT.png renders the program's icon for the icon theme.
#include <cstdlib>
#include <iostream>
#include <string>
#include <vector>

#include "framework/safe_file.h"
#include "framework/svg_raster.h"

int main(int argc, char** argv) {
    if (argc != 4) {
        std::cerr << "usage: icon_png PICTURE.svg SIZE OUT.png\n";
        return 2;
    }
    std::vector<std::uint8_t> bytes;
    const bool read = curvelo::ReadFileBounded(argv[1], bytes) == curvelo::ReadFileStatus::Ok;
    const std::string svg(bytes.begin(), bytes.end());
    const int size = std::atoi(argv[2]);
    if (!read || svg.empty() || !curvelo::fw::WriteSvgAsPng(svg, size, argv[3])) {
        std::cerr << "icon_png: cannot render " << argv[1] << " at " << argv[2] << " into " << argv[3] << '\n';
        return 1;
    }
    return 0;
}
