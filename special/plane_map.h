// The map of a plane-mapping pair and the grid it carries: the real map (U(x,y), V(x,y)) or
// the complex function F(z), compiled by a formula engine, and the images of the grid's
// lines as polylines of the range plane. Runs without a window.
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <utility>
#include <vector>

#include "expr/engine.h"
#include "plotwin/draw_surface.h"
#include "plotwin/plot_view.h"

namespace curvelo {

inline constexpr int kMaxGridLines = 200;    // in each direction
inline constexpr int kGridLineSamples = 400;

struct MapGrid {
    long double spacing = 0.5L;
    long double xmin = -2, xmax = 2, ymin = -2, ymax = 2;
    // The lines x = k * spacing and y = k * spacing inside the rectangle, at most
    // kMaxGridLines each way; false when the rectangle or spacing is unusable.
    bool Valid() const;
    std::vector<std::pair<WorldPoint, WorldPoint>> Lines(bool vertical) const;
};

class PlaneMap {
public:
    explicit PlaneMap(bool complexPlane);
    ~PlaneMap();
    PlaneMap(const PlaneMap&) = delete;
    PlaneMap& operator=(const PlaneMap&) = delete;

    bool ComplexPlane() const { return complex_; }
    // U and V, or F alone (texts[1] unused): 0 or the compile error; nothing changes on error.
    std::uint16_t SetFormulas(const std::array<std::string, 2>& texts);
    const std::array<std::string, 2>& Formulas() const { return texts_; }

    // The image of (x, y); false where the map is undefined.
    bool Map(long double x, long double y, WorldPoint& image);
    // The images of the segment a-b sampled at kGridLineSamples points, broken where the
    // map is undefined.
    std::vector<std::vector<WorldPoint>> MapSegment(WorldPoint a, WorldPoint b);
    // The image of a point sequence; NaN points and undefined images break it.
    std::vector<std::vector<WorldPoint>> MapPoints(const std::vector<WorldPoint>& points);
    // The images of the grid's vertical (or horizontal) lines.
    std::vector<std::vector<WorldPoint>> MapGridLines(const MapGrid& grid, bool vertical);

private:
    void FreeTrees();
    bool complex_;
    FormulaEngine engine_;
    std::array<ExprNode*, 2> trees_{};
    std::array<std::string, 2> texts_;
};

// The colours of the vertical and the horizontal lines and of their images: soft ones, apart
// from those new curves get.
inline constexpr int kVerticalLineColour = 15, kHorizontalLineColour = 20;

// Draws polylines of one colour of the table.
void DrawMapLines(DrawSurface& surface, const std::vector<std::vector<WorldPoint>>& lines, int colour,
                  bool colourOutput, int width = 1);

}  // namespace curvelo
