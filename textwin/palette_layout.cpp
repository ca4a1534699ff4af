#include "textwin/palette_layout.h"

namespace curvelo {

std::optional<int> PaletteLayout::ColourAt(int x, int y) const {
    // A window too small to hold cells has nothing to click on.
    if (w_ <= 0 || h_ <= 0 || x < 0 || y < 0) return std::nullopt;
    int c = x / w_;
    int r = y / h_ - 2;
    if (c < 1 || c > 6 || r < 0 || r > 4) return std::nullopt;
    if (r == 0) return c == 1 ? std::optional<int>(0) : std::nullopt;
    return (r - 1) * 6 + c;
}

PaletteRect PaletteLayout::CellOf(int colourIndex) const {
    if (colourIndex <= 0 || colourIndex > 24) return {w_, 2 * h_, 2 * w_, 3 * h_};
    int c = (colourIndex - 1) % 6 + 1;
    int r = (colourIndex - 1) / 6 + 1;
    return {c * w_, (r + 2) * h_, (c + 1) * w_, (r + 3) * h_};
}

}  // namespace curvelo
