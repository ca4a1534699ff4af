#include "framework/line_raster.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>

namespace curvelo::fw {
namespace {

// src * a + dst * (255 - a), per byte, divided by 255 with rounding: two bytes at a time
// in the halves of 32-bit words.
inline std::uint32_t Blend(std::uint32_t src, std::uint32_t dst, std::uint32_t a) {
    const std::uint32_t b = 255 - a;
    std::uint32_t lo = (src & 0xff00ffu) * a + (dst & 0xff00ffu) * b + 0x800080u;
    lo = ((lo + ((lo >> 8) & 0xff00ffu)) >> 8) & 0xff00ffu;
    std::uint32_t hi = ((src >> 8) & 0xff00ffu) * a + ((dst >> 8) & 0xff00ffu) * b + 0x800080u;
    hi = (hi + ((hi >> 8) & 0xff00ffu)) & 0xff00ff00u;
    return hi | lo;
}

inline void Cover(std::uint32_t& pixel, std::uint32_t argb, std::uint32_t a) {
    if (a == 255) pixel = argb;
    else if (a != 0) pixel = Blend(argb, pixel, a);
}

// floor(n / d) for d > 0.
template <class T>
inline T FloorDiv(T n, std::int64_t d) {
    const T q = n / d;
    return (n % d != 0 && n < 0) ? q - 1 : q;
}

// Ends within this distance of the origin keep the fixed-point walk inside 64 bits.
constexpr double kReach = 16777216.0;

// Cuts a piece with an end beyond kReach down to the part inside the square of that
// reach, the new ends rounded to whole pixels (far from any picture, so the piece's course
// over a picture moves by a tiny fraction of a pixel). False when nothing of it is inside.
bool CutToReach(Point& a, Point& b) {
    const auto inside = [](Point p) { return std::abs(static_cast<double>(p.x)) <= kReach && std::abs(static_cast<double>(p.y)) <= kReach; };
    if (inside(a) && inside(b)) return true;
    const double x0 = a.x, y0 = a.y, dx = static_cast<double>(b.x) - x0, dy = static_cast<double>(b.y) - y0;
    double t0 = 0, t1 = 1;
    const auto edge = [&](double p, double q) {  // keeps p * t <= q
        if (p == 0) return q >= 0;
        const double t = q / p;
        if (p < 0) t0 = std::max(t0, t);
        else t1 = std::min(t1, t);
        return t0 <= t1;
    };
    if (!edge(-dx, x0 + kReach) || !edge(dx, kReach - x0) || !edge(-dy, y0 + kReach) || !edge(dy, kReach - y0))
        return false;
    const auto at = [&](double t) {
        return Point{static_cast<int>(std::lround(std::clamp(x0 + t * dx, -kReach, kReach))),
                     static_cast<int>(std::lround(std::clamp(y0 + t * dy, -kReach, kReach)))};
    };
    const Point na = at(t0), nb = at(t1);
    a = na;
    b = nb;
    return true;
}

}  // namespace

LineRaster::LineRaster(std::uint32_t* bits, int strideBytes, int width, int height)
    : bits_(bits), stride_(strideBytes / 4), width_(std::max(width, 0)), height_(std::max(height, 0)) {
    SetClip(0, 0, width_, height_);
}

void LineRaster::SetClip(int left, int top, int right, int bottom) {
    left_ = std::clamp(left, 0, width_);
    right_ = std::clamp(right, left_, width_);
    top_ = std::clamp(top, 0, height_);
    bottom_ = std::clamp(bottom, top_, height_);
}

template <bool Steep>
void LineRaster::Piece(int u0, int v0, int u1, int v1, std::uint32_t argb) {
    if (u0 > u1) {
        std::swap(u0, u1);
        std::swap(v0, v1);
    }
    const int minU = Steep ? top_ : left_, maxU = Steep ? bottom_ : right_;
    const int minV = Steep ? left_ : top_, maxV = Steep ? right_ : bottom_;
    // Pixel centres i + 1/2 strictly between u0 and u1, inside the clip.
    const int first = std::max(u0, minU), last = std::min(u1, maxU);
    if (first >= last || maxV <= minV) return;
    const std::int64_t du = static_cast<std::int64_t>(u1) - u0, dv = static_cast<std::int64_t>(v1) - v0;
    // The line's minor coordinate at the centre of column `first`, less a half pixel, in
    // 32.32 fixed point: the integer part is the upper of the two rows it covers and the
    // fraction the share of the lower one.
    // Ends are within 2^24 of the origin (CutToReach), so only a start far outside the
    // picture needs 128 bits.
    const std::int64_t along = (2 * (static_cast<std::int64_t>(first) - u0) + 1) * dv;
    const std::int64_t offset = std::llabs(along) < (std::int64_t{1} << 31)
                                    ? FloorDiv(along * (std::int64_t{1} << 31), du)
                                    : static_cast<std::int64_t>(FloorDiv(static_cast<__int128>(along) << 31, du));
    std::int64_t acc = (2 * static_cast<std::int64_t>(v0) - 1) * (std::int64_t{1} << 31) + offset;
    const std::int64_t step = FloorDiv(dv * (std::int64_t{1} << 32), du);
    const unsigned span = static_cast<unsigned>(maxV - minV);
    // Steep pieces visit one row after another, a stride too long for the hardware to
    // guess: ask for the rows a few steps ahead while this one is blended.
    constexpr int kAhead = 8;
    const std::int64_t ahead = step * kAhead;
    for (int i = first; i < last; ++i, acc += step) {
        const int r = static_cast<int>(acc >> 32);
        if constexpr (Steep) {
            const int ra = std::clamp(static_cast<int>((acc + ahead) >> 32), minV, maxV - 1);
            if (i + kAhead < last) __builtin_prefetch(&bits_[static_cast<std::ptrdiff_t>(i + kAhead) * stride_ + ra], 1);
        }
        const std::uint32_t lower = static_cast<std::uint32_t>(acc >> 24) & 0xffu;
        const std::uint32_t upper = 255 - lower;
        if (static_cast<unsigned>(r - minV) < span) {
            std::uint32_t& p = Steep ? bits_[static_cast<std::ptrdiff_t>(i) * stride_ + r]
                                     : bits_[static_cast<std::ptrdiff_t>(r) * stride_ + i];
            Cover(p, argb, upper);
        }
        if (static_cast<unsigned>(r + 1 - minV) < span) {
            std::uint32_t& p = Steep ? bits_[static_cast<std::ptrdiff_t>(i) * stride_ + r + 1]
                                     : bits_[static_cast<std::ptrdiff_t>(r + 1) * stride_ + i];
            Cover(p, argb, lower);
        }
    }
}

namespace {

std::uint32_t Argb(Color colour) {
    return 0xff000000u | (std::uint32_t{colour.r} << 16) | (std::uint32_t{colour.g} << 8) | colour.b;
}

}  // namespace

bool LineRaster::Stroke(Point a, Point b, std::uint32_t argb) {
    if (a.x == b.x && a.y == b.y) return false;
    if (!CutToReach(a, b)) return true;
    const std::int64_t dx = std::llabs(static_cast<std::int64_t>(b.x) - a.x);
    const std::int64_t dy = std::llabs(static_cast<std::int64_t>(b.y) - a.y);
    if (dx >= dy) Piece<false>(a.x, a.y, b.x, b.y, argb);
    else Piece<true>(a.y, a.x, b.y, b.x, argb);
    return true;
}

void LineRaster::Dot(Point p, std::uint32_t argb) {
    if (p.x >= left_ && p.x < right_ && p.y >= top_ && p.y < bottom_)
        bits_[static_cast<std::ptrdiff_t>(p.y) * stride_ + p.x] = argb;
}

void LineRaster::Line(Point a, Point b, Color colour) {
    if (!Stroke(a, b, Argb(colour))) Dot(a, Argb(colour));
}

void LineRaster::Polyline(const Point* points, int n, Color colour) {
    if (!points || n < 2) return;
    const std::uint32_t argb = Argb(colour);
    for (int i = 1; i < n; ++i) Stroke(points[i - 1], points[i], argb);
}

}  // namespace curvelo::fw
