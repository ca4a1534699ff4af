// Geometry of the colour palette: the client area is cut into eighths; 24 cells of colours
// 1..24 in six columns and four rows, one cell for colour 0 above the first column, and a
// sample of the current colour.
#pragma once

#include <optional>

namespace curvelo {

struct PaletteRect {
    int left = 0, top = 0, right = 0, bottom = 0;
};

class PaletteLayout {
public:
    PaletteLayout(int clientWidth, int clientHeight)
        : w_(clientWidth / 8), h_(clientHeight / 8) {}

    int CellWidth() const { return w_; }
    int CellHeight() const { return h_; }

    // The colour index under a left click, or nothing for a click that chooses no colour.
    std::optional<int> ColourAt(int x, int y) const;
    // The cell of a colour index 0..24.
    PaletteRect CellOf(int colourIndex) const;
    PaletteRect SampleRect() const { return {3 * w_, h_, 5 * w_, 2 * h_}; }

private:
    int w_, h_;
};

}  // namespace curvelo
