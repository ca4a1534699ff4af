// The cell dialog of an example ("a sejt méretei"): its box as six numbers and the switches
// of its kind, checked and read into the example.
#pragma once

#include "expr/engine.h"
#include "plot2d/equation_form.h"
#include "plot2d/example.h"
#include "plotwin/number_format.h"

namespace curvelo {

namespace cellid {
inline constexpr int kMinX = 211, kMaxX = 212, kMinY = 213, kMaxY = 214, kMinZ = 215, kMaxZ = 216;
inline constexpr int kKeepAtWalls = 271, kFixed = 272;
}  // namespace cellid

// "AUTOBOXA" for surfaces with a mesh, "AUTOBOXB" for the implicit surface and the kinds
// above 309, "AUTOBOXC" for the others.
const char* CellDialogOf(std::uint16_t kind);

EquationForm CellFormOf(const TExample& example, const NumberFormat& format);
// Reads the form; 6 (406) when an upper bound is not above its lower bound by 1e-13, or the
// parser's code. changed tells whether the box or a switch differs from before; the saved
// copies of kinds 301 and 305 follow the box.
FormOutcome ApplyCellForm(const EquationForm& form, FormulaEngine& engine, TExample& example, bool& changed);

}  // namespace curvelo
