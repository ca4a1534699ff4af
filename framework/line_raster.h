// Anti-aliased lines one pixel wide, drawn straight into a buffer of 32-bit pixels
// (0xAARRGGBB, opaque or premultiplied). A bitmap's curves are thousands of short pieces;
// going through the general painter costs far more per piece than the few pixels they cover.
//
// The coverage follows the pixel-centre rule of the painter's thin lines: along the major
// axis every pixel centre strictly between the ends is taken once, and the line's height
// there is shared between the two nearest pixel rows (or columns). Pieces of a polyline
// are blended one after the other, so a shared corner pixel is covered twice.
#pragma once

#include <cstdint>

#include "framework/fw_types.h"

namespace curvelo::fw {

class LineRaster {
public:
    // strideBytes: bytes from one row to the next (a multiple of 4).
    LineRaster(std::uint32_t* bits, int strideBytes, int width, int height);

    // Pixels outside [left, right) x [top, bottom) are left alone; the clip never reaches
    // past the buffer.
    void SetClip(int left, int top, int right, int bottom);

    // A line whose ends coincide is a dot at that pixel, as the painter draws it.
    void Line(Point a, Point b, Color colour);
    // n points, n - 1 pieces; fewer than two points draw nothing, and neither do pieces whose
    // ends coincide (the painter's polylines leave them out too).
    void Polyline(const Point* points, int n, Color colour);

private:
    // One piece without the dot rule; false when its ends coincide.
    bool Stroke(Point a, Point b, std::uint32_t argb);
    void Dot(Point p, std::uint32_t argb);

    // A piece whose major axis is x (the caller swaps the axes for steep pieces).
    template <bool Steep>
    void Piece(int u0, int v0, int u1, int v1, std::uint32_t argb);

    std::uint32_t* bits_;
    int stride_;  // in pixels
    int width_, height_;
    int left_ = 0, top_ = 0, right_ = 0, bottom_ = 0;
};

}  // namespace curvelo::fw
