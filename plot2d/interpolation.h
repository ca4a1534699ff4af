// Interpolation polynomials: the polynomial of lowest degree through typed nodes, kept as an
// explicit example whose formula is rebuilt from the nodes stored in its record.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "plot2d/example.h"
#include "plotwin/plot_view.h"

namespace curvelo {

// As many nodes as the example's work buffer holds (nine x values of ten bytes).
inline constexpr int kMaxInterpolationNodes = 9;

// The nodes of a text of numbers in pairs "x y" (any separators); false when the count is
// odd, zero or above the limit.
bool ParseNodeText(std::string_view text, std::vector<WorldPoint>& nodes);

// Nodes kept in the record: x and y of node k in the ext80 values from offset 161 on
// (twenty bytes per node, ending before the period fields at 341), their count at offset 36.
std::vector<WorldPoint> StoredNodes(const TExample& example);
void StoreNodes(TExample& example, const std::vector<WorldPoint>& nodes);

// Coefficients c[0] + c[1]x + ... of the polynomial of lowest degree through the nodes
// (trailing zero coefficients dropped). False when two nodes share an x value or a value
// is not finite.
bool InterpolationCoefficients(const std::vector<WorldPoint>& nodes, std::vector<long double>& coefficients);

// A number as the formula parser reads it (which knows no exponent), with about `digits`
// significant digits and no trailing zeros: 1e-9 gives "0.000000001".
std::string NumberLiteral(long double value, int digits);

// The polynomial as a formula the parser reads ("1.5+2*x-0.25*x^2"), within the text
// limit of an example; empty when it cannot be written in that room.
std::string PolynomialText(const std::vector<long double>& coefficients);

// Writes text 1 of an interpolation example from the nodes in its record; false (text
// unchanged) when the nodes do not make a polynomial.
bool RebuildInterpolation(TExample& example);

}  // namespace curvelo
