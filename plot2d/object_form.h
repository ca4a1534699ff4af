// The fields of the equation dialogs of segments, lines, points, sequences, rolling circles,
// interpolation polynomials, points on a curve and point sequences, and their reading into
// an example: formulas must compile, numbers may be formulas, lists of numbers must hold
// what the kind needs. Nothing is written into the example unless every field is valid.
#pragma once

#include "plot2d/equation_form.h"

namespace curvelo {

namespace objid {
// Formula edits of texts 0..3 are 211..214 (eqid::kTextX ...).
inline constexpr int kText3 = 214;
inline constexpr int kRadius = 234, kPointSize = 235;  // 235: a rolling circle's distance too
inline constexpr int kNodeSize = 225;
inline constexpr int kEndPoints = 273;     // "pontok": the segment's ends as point examples
inline constexpr int kConnect = 274, kStopAtBorder = 275;
inline constexpr int kShapeExplicit = 254, kShapePolar = 255, kShapeParametric = 256;
// Static captions that name the coordinates (x or r, y or t).
inline constexpr int kCaption0 = 301, kCaption1 = 302, kCaption2 = 303, kCaption3 = 304;
}  // namespace objid

// The kind is edited by this form (205, 207, 208, 209, 212, 215, 218, and 201 made as an
// interpolation polynomial).
bool HasObjectForm(const TExample& example);
EquationForm ObjectFormOf(const TExample& example, const NumberFormat& format);
FormOutcome ApplyObjectForm(const EquationForm& form, FormulaEngine& engine, TExample& example);

}  // namespace curvelo
