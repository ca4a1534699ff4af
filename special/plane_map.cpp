#include "special/plane_map.h"

#include <cmath>

#include "expr/eval.h"

namespace curvelo {

bool MapGrid::Valid() const {
    return std::isfinite(spacing) && spacing > 1e-9L && std::isfinite(xmin) && std::isfinite(xmax) &&
           std::isfinite(ymin) && std::isfinite(ymax) && xmin < xmax && ymin < ymax &&
           (xmax - xmin) / spacing <= kMaxGridLines && (ymax - ymin) / spacing <= kMaxGridLines;
}

namespace {
std::vector<long double> Multiples(long double lo, long double hi, long double spacing) {
    std::vector<long double> v;
    const long double first = std::ceil(lo / spacing - 1e-9L);
    for (int k = 0; k <= kMaxGridLines; ++k) {
        const long double t = (first + k) * spacing;
        if (t > hi + spacing * 1e-9L) break;
        v.push_back(t);
    }
    return v;
}
}  // namespace

std::vector<std::pair<WorldPoint, WorldPoint>> MapGrid::Lines(bool vertical) const {
    std::vector<std::pair<WorldPoint, WorldPoint>> lines;
    if (!Valid()) return lines;
    if (vertical)
        for (long double x : Multiples(xmin, xmax, spacing)) lines.push_back({{x, ymin}, {x, ymax}});
    else
        for (long double y : Multiples(ymin, ymax, spacing)) lines.push_back({{xmin, y}, {xmax, y}});
    return lines;
}

PlaneMap::PlaneMap(bool complexPlane) : complex_(complexPlane) {
    engine_.SetComplexMode(complexPlane);
    SetFormulas(complexPlane ? std::array<std::string, 2>{"z^2", ""} : std::array<std::string, 2>{"x+y", "x-y"});
}

PlaneMap::~PlaneMap() { FreeTrees(); }

void PlaneMap::FreeTrees() {
    for (ExprNode*& t : trees_) {
        FreeTree(t);
        t = nullptr;
    }
}

std::uint16_t PlaneMap::SetFormulas(const std::array<std::string, 2>& texts) {
    std::array<ExprNode*, 2> trees{};
    const int count = complex_ ? 1 : 2;
    for (int i = 0; i < count; ++i) {
        if (std::uint16_t code = engine_.CompileFormula(texts[static_cast<std::size_t>(i)])) {
            for (ExprNode* t : trees) FreeTree(t);
            return code;
        }
        trees[static_cast<std::size_t>(i)] = engine_.TakeCompiledTree();
    }
    FreeTrees();
    trees_ = trees;
    texts_ = texts;
    if (complex_) texts_[1].clear();
    return 0;
}

bool PlaneMap::Map(long double x, long double y, WorldPoint& image) {
    if (complex_) {
        ExtComplex w;
        if (!trees_[0] || !EvalAtComplex(engine_, trees_[0], kLetterZ, ExtComplex{x, y}, w)) return false;
        image = {w.re, w.im};
    } else {
        SetLetter(engine_.letters, kLetterX, x);
        long double u = 0, v = 0;
        if (!trees_[0] || !trees_[1] || !EvalAt(engine_, trees_[0], kLetterY, y, u) ||
            !EvalAt(engine_, trees_[1], kLetterY, y, v))
            return false;
        image = {u, v};
    }
    return std::isfinite(image.x) && std::isfinite(image.y);
}

std::vector<std::vector<WorldPoint>> PlaneMap::MapSegment(WorldPoint a, WorldPoint b) {
    std::vector<WorldPoint> points;
    points.reserve(kGridLineSamples + 1);
    for (int i = 0; i <= kGridLineSamples; ++i) {
        const long double t = static_cast<long double>(i) / kGridLineSamples;
        points.push_back({a.x + (b.x - a.x) * t, a.y + (b.y - a.y) * t});
    }
    return MapPoints(points);
}

std::vector<std::vector<WorldPoint>> PlaneMap::MapPoints(const std::vector<WorldPoint>& points) {
    std::vector<std::vector<WorldPoint>> pieces(1);
    for (const WorldPoint& p : points) {
        WorldPoint image;
        if (std::isfinite(p.x) && std::isfinite(p.y) && Map(p.x, p.y, image)) pieces.back().push_back(image);
        else if (!pieces.back().empty()) pieces.emplace_back();
    }
    if (pieces.back().empty()) pieces.pop_back();
    return pieces;
}

std::vector<std::vector<WorldPoint>> PlaneMap::MapGridLines(const MapGrid& grid, bool vertical) {
    std::vector<std::vector<WorldPoint>> all;
    for (const auto& [a, b] : grid.Lines(vertical))
        for (auto& piece : MapSegment(a, b)) all.push_back(std::move(piece));
    return all;
}

void DrawMapLines(DrawSurface& surface, const std::vector<std::vector<WorldPoint>>& lines, int colour,
                  bool colourOutput, int width) {
    surface.SetPen(ColourForOutput(colour, colourOutput), width, LineStyle::kSolid);
    for (const std::vector<WorldPoint>& line : lines) {
        surface.BeginPolyline();
        for (const WorldPoint& p : line) surface.PolylineTo(p);
        surface.EndPolyline();
    }
}

}  // namespace curvelo
