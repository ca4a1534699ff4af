// The documents of a plane-mapping pair (.ma2 for the real plane, .maz for the complex one):
// the two views, the grid and the map's formulas. Little-endian, in this order:
//   i32 file type (1201 real, 1202 complex), i32 version (1);
//   ext80 x4 the domain's view centre x, y and half width, half height; ext80 x4 the range's;
//   ext80 x5 the grid's spacing, x min, x max, y min, y max;
//   two strings (u16 length with the terminating zero, the bytes, the zero), at most 255
//   characters: U and V, or F and an empty one;
//   u16 number of curves (at most 100), each: u16 kind (201 explicit, 203 parametric),
//   ext80 lower and upper bound of x or t, u16 colour (0 to 24), two strings: y = f(x) as
//   the first for 201, x(t) and y(t) for 203.
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <vector>

#include "special/plane_map.h"

namespace curvelo {

inline constexpr std::int32_t kMapFileReal = 1201, kMapFileComplex = 1202;
inline constexpr std::size_t kMaxMapFileBytes = 65536;

struct MapView {
    long double cx = 0, cy = 0, hw = 5, hh = 5;
    bool operator==(const MapView&) const = default;
};

inline constexpr std::size_t kMaxMapCurves = 100;

struct MapCurve {
    std::uint16_t kind = 201;
    long double low = -5, high = 5;
    std::uint16_t colour = 6;
    std::array<std::string, 2> texts;
    bool operator==(const MapCurve&) const = default;
};

struct MapDocument {
    bool complexPlane = false;
    MapView domain, range;
    MapGrid grid;
    std::array<std::string, 2> formulas;
    std::vector<MapCurve> curves;
};

std::vector<std::uint8_t> WriteMapDocument(const MapDocument& doc);
// False (and out unchanged) when the bytes are not a document of this plane: another type or
// version, short, a view or grid that cannot be used, a text too long.
bool ReadMapDocument(const std::vector<std::uint8_t>& bytes, bool complexPlane, MapDocument& out);

}  // namespace curvelo
