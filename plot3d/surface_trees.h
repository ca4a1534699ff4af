// The compile step of the surface kinds: every kind becomes three coordinate trees in two
// parameters (trees 0, 1, 2 of the slot), so that one evaluation rule serves them all.
#pragma once

#include <array>
#include <cstdint>
#include <string_view>

#include "expr/engine.h"
#include "plot2d/inventory.h"

namespace curvelo {

// The plane of a kind-315 example, a(x - k) + b(y - m) + c(z - n) = 0, as numbers.
struct PlaneCoefficients {
    long double a = 0, b = 0, c = 1, k = 0, m = 0, n = 0;
    long double SideOf(long double x, long double y, long double z) const {
        return a * (x - k) + b * (y - m) + c * (z - n);
    }
};

// Splits "k,m,n" at its top-level commas and evaluates the three numbers; 0, the parser's
// code, or 1 (401) when there are not exactly three.
std::uint16_t ParseThreeNumbers(FormulaEngine& engine, std::string_view text, long double out[3]);

// The plane's numbers from its texts (a, b, c in texts 0..2, "k,m,n" in text 3, the square
// size in text 5); 6 (406) for a zero normal or a size that is not positive.
std::uint16_t ReadPlane(FormulaEngine& engine, const TExample& e, PlaneCoefficients& plane,
                        long double& size);

// Builds the coordinate trees of a surface kind into slot.trees (the implicit surface keeps
// its equation in tree 4). Returns 0 or the first error code; a failed text leaves trees
// that evaluate to 0 so that drawing never meets a null tree where it expects one.
std::uint16_t CompileSurface(InventorySlot& slot, FormulaEngine& engine);

}  // namespace curvelo
