// Build tool: icon_png PICTURE.svg SIZE OUT.png renders the program's icon for the icon theme.
#include <cstdlib>
#include <fstream>
#include <iostream>
#include <iterator>
#include <string>

#include "framework/svg_raster.h"

int main(int argc, char** argv) {
    if (argc != 4) {
        std::cerr << "usage: icon_png PICTURE.svg SIZE OUT.png\n";
        return 2;
    }
    std::ifstream in(argv[1], std::ios::binary);
    const std::string svg{std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
    const int size = std::atoi(argv[2]);
    if (!in || svg.empty() || !curvelo::fw::WriteSvgAsPng(svg, size, argv[3])) {
        std::cerr << "icon_png: cannot render " << argv[1] << " at " << argv[2] << " into " << argv[3] << '\n';
        return 1;
    }
    return 0;
}
