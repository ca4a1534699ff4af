// Plain value types shared by every framework interface: points, rectangles, colours.
#pragma once

#include <cstdint>

namespace curvelo::fw {

struct Point {
    int x = 0, y = 0;
    friend bool operator==(const Point&, const Point&) = default;
};

struct Size {
    int cx = 0, cy = 0;
    friend bool operator==(const Size&, const Size&) = default;
};

// Right and bottom are exclusive, as with screen rectangles.
struct Rect {
    int left = 0, top = 0, right = 0, bottom = 0;
    int Width() const { return right - left; }
    int Height() const { return bottom - top; }
    bool Contains(Point p) const { return p.x >= left && p.x < right && p.y >= top && p.y < bottom; }
    friend bool operator==(const Rect&, const Rect&) = default;
};

struct Color {
    std::uint8_t r = 0, g = 0, b = 0;
    friend bool operator==(const Color&, const Color&) = default;
};

// Modifier bits of mouse and key events.
enum Modifier : unsigned {
    kShift = 1,
    kCtrl = 2,
    kAlt = 4,
    kLeftButton = 8,
    kRightButton = 16,
    kMiddleButton = 32,
};

// Standard command and dialog result ids.
constexpr int kIdOk = 1;
constexpr int kIdCancel = 2;
constexpr int kIdYes = 6;
constexpr int kIdNo = 7;
constexpr int kCmExit = 24310;

}  // namespace curvelo::fw
