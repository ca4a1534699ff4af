// A point or direction of space in extended precision, and an axis-parallel box.
#pragma once

#include <cmath>

namespace curvelo {

struct Vec3 {
    long double x = 0, y = 0, z = 0;

    Vec3 operator+(const Vec3& o) const { return {x + o.x, y + o.y, z + o.z}; }
    Vec3 operator-(const Vec3& o) const { return {x - o.x, y - o.y, z - o.z}; }
    Vec3 operator*(long double k) const { return {x * k, y * k, z * k}; }
    long double Dot(const Vec3& o) const { return x * o.x + y * o.y + z * o.z; }
    // Sum of the absolute coordinates: the distance measure of the eye's range rules.
    long double L1() const { return std::fabs(x) + std::fabs(y) + std::fabs(z); }
    bool operator==(const Vec3&) const = default;
};

struct Box3 {
    Vec3 min, max;
    bool operator==(const Box3&) const = default;
};

}  // namespace curvelo
