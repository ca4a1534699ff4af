// The fields of the surface dialogs as texts, switches and colour choices, and their reading
// into an example: formulas must compile, numbers may be formulas, the mesh must keep to the
// vertex rule. Nothing is written into the example unless every field is valid.
#pragma once

#include "expr/engine.h"
#include "plot2d/equation_form.h"
#include "plot2d/example.h"
#include "plotwin/number_format.h"

namespace curvelo {

namespace surfid {
inline constexpr int kText0 = 211, kText1 = 212, kText2 = 213, kText3 = 214, kEquation = 218;
inline constexpr int kSquareSize = 228;  // the plane's text 5
inline constexpr int kLow = 221, kLow2 = 222, kHigh = 223, kHigh2 = 224;
inline constexpr int kN1 = 216, kN2 = 217, kSamples1 = 219, kSamples2 = 220, kPenWidth = 227;
inline constexpr int kAxisA = 234, kAxisB = 235, kAxisC = 236;
inline constexpr int kColour1 = 206, kColour2 = 207, kPenColour = 208, kMeshColour = 210;
inline constexpr int kShaded = 272, kFast = 274, kSpectrum = 275, kMeshLines = 276;
inline constexpr int kPenSolid = 251;  // 251, 252, 253
}  // namespace surfid

EquationForm SurfaceFormOf(const TExample& example, const NumberFormat& format);
FormOutcome ApplySurfaceForm(const EquationForm& form, FormulaEngine& engine, TExample& example);

}  // namespace curvelo
