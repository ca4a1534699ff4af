// Flat-coloured polygons and their outlines written straight into a 32-bit image. A surface
// of thousands of small quadrilaterals costs the general path far more per shape than the
// pixels themselves; this one scans each shape once and never allocates.
#pragma once

#include <cstddef>
#include <cstdint>

#include "framework/fw_types.h"

namespace curvelo::fw {

struct PointF {
    double x = 0, y = 0;
};

// An image drawn into directly: pixels 0xAARRGGBB (alpha 0xff), row after row.
struct RasterTarget {
    std::uint32_t* bits = nullptr;
    int width = 0, height = 0;
    std::ptrdiff_t stride = 0;  // pixels from one row to the next
    Rect clip;                  // nothing is written outside it
    bool antialias = false;     // one-pixel outlines are drawn with soft edges
    explicit operator bool() const { return bits != nullptr && width > 0 && height > 0; }
};

class QuadFiller {
public:
    static constexpr int kMaxCorners = 8;

    explicit QuadFiller(const RasterTarget& target);

    // Fills the pixels whose centres lie inside the polygon (3..kMaxCorners corners in pixel
    // coordinates, the even-odd rule for self-crossing shapes). A corner that is not a
    // finite number leaves the whole shape undrawn.
    void Fill(const PointF* corners, int n, Color colour);
    // The closed outline one pixel wide (soft when the target is anti-aliased).
    void Outline(const PointF* corners, int n, Color colour);

private:
    void FillRaw(const PointF* corners, int n, std::uint32_t colour);
    void HardLine(PointF a, PointF b, std::uint32_t colour);
    void SoftLine(PointF a, PointF b, std::uint32_t colour);
    void Span(int y, double fromX, double toX, std::uint32_t colour);
    void Blend(int x, int y, std::uint32_t colour, int cover);

    RasterTarget t_;
};

}  // namespace curvelo::fw
