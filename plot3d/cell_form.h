// The cell dialog of one example ("sejt" in the inventory): which template it uses, and
// the box and switches it stores into the example's record.
#pragma once

#include <array>
#include <string>

#include "plot2d/example.h"
#include "plotwin/number_format.h"

namespace curvelo {

// The kinds that have a mesh.
bool IsSurfaceKind(std::uint16_t kind);

// "AUTOBOXA" for surfaces, "AUTOBOXB" for implicit surfaces and the kinds above 309,
// "AUTOBOXC" for the others.
std::string CellTemplateOf(std::uint16_t kind);

struct CellForm {
    std::array<long double, 6> ends{};  // x low, x high, y low, y high, z low, z high
    bool fixed = false;                 // check 272
    bool atWalls = false;               // check 271 (not in "AUTOBOXC")
};

CellForm CellFormOf(const TExample& e);
// 0 stored, -1 nothing changed, or 6 when an upper end is not above its lower end.
int ApplyCellForm(const CellForm& form, TExample& e);

}  // namespace curvelo
