// The fields of the dialogs of space curves, segments, points, 3D systems, 3D sequences and
// point sequences, and their reading into an example: formulas must compile, numbers may be
// formulas and must lie in what the field allows. Nothing is written unless all are valid.
#pragma once

#include "expr/engine.h"
#include "plot2d/equation_form.h"
#include "plot2d/example.h"
#include "plotwin/number_format.h"

namespace curvelo {

namespace spaceid {
inline constexpr int kText0 = 211, kText1 = 212, kText2 = 213, kText3 = 214, kText5 = 216, kText6 = 217;
inline constexpr int kLow = 221, kHigh = 223, kSamples = 219, kDensity = 215, kPenWidth = 227;
inline constexpr int kArrow = 271, kArrowT = 234, kArrowSize = 235, kPointSize = 235, kDashed = 274;
inline constexpr int kFilled = 251, kHollow = 252;
inline constexpr int kProjections = 275, kProjectionsDashed = 276, kArcs = 273, kArcsDashed = 272;
inline constexpr int kTimeDependent = 276, kRestricted = 272, kConnect = 276;
inline constexpr int kColour = 208;
// Captions of the point's three coordinates.
inline constexpr int kCaption0 = 301;
}  // namespace spaceid

EquationForm SpaceFormOf(const TExample& example, const NumberFormat& format);
FormOutcome ApplySpaceForm(const EquationForm& form, FormulaEngine& engine, TExample& example);

}  // namespace curvelo
