// An example seen by the analysis tools: a plane curve P(t) = (x(t), y(t)) in one letter over
// a parameter range, with its symbolic derivatives; and, for the kinds given by an equation
// (explicit, line, segment), the function G(x, y) that vanishes on it with its gradient.
#pragma once

#include <cstdint>
#include <memory>

#include "expr/engine.h"
#include "expr/tree.h"
#include "plot2d/inventory.h"
#include "plotwin/plot_view.h"

namespace curvelo {

struct TreeFree {
    void operator()(ExprNode* t) const { FreeTree(t); }
};
using TreePtr = std::unique_ptr<ExprNode, TreeFree>;

// The quantity whose extremum is sought.
enum class Quantity { kX, kY, kR };

struct CurveForm {
    std::uint16_t kind = 0;
    int letter = 0;
    long double lo = 0, hi = 1;
    TreePtr x, y, dx, dy, ddx, ddy;
    // Polar: r(t); parametric: the distance from the origin. With r' (null for the others).
    TreePtr r, dr;
    bool positiveROnly = false;
    // The equation side: G(X, Y) and its gradient (null when the kind has no equation);
    // gScale turns |G| into a distance where G is linear.
    TreePtr g, gx, gy;
    long double gScale = 1;
    // A segment's end points and an explicit example's fixed interval bound its equation.
    bool bounded = false;
    long double ax = 0, ay = 0, bx = 0, by = 0;
    long double xLow = 0, xHigh = 0;
};

// Kinds the tools can take: explicit, polar, parametric, segment, line.
bool HasCurveForm(std::uint16_t kind);
// Kinds with extrema of x, y and r (polar, parametric); explicit ones have y alone.
bool HasCurveQuantities(std::uint16_t kind);
bool HasExtrema(std::uint16_t kind);

// Builds the form of an example; a line runs across the view. False when the kind has none,
// a coefficient or end point is undefined, or a derivative is too large.
bool BuildCurveForm(FormulaEngine& engine, const InventorySlot& slot, const PlotView& view, CurveForm& out);

// The point at t; false where it is undefined or not drawn (a polar curve's r <= 0 with its
// positive-r switch).
bool CurvePointAt(LetterStore& letters, const CurveForm& form, long double t, long double& px, long double& py);

// Whether the equation's curve holds the point (inside a segment or a fixed interval).
bool EquationHolds(const CurveForm& form, long double px, long double py);

// The derivative tree of a quantity of the form (not owned); null when the form has no such
// quantity.
ExprNode* QuantityDerivative(const CurveForm& form, Quantity q);

}  // namespace curvelo
