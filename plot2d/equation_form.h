// The fields of the equation dialog of the curve kinds, as texts and switches, and their
// reading into an example: formulas must compile, numbers may be formulas, whole numbers
// lie between 1 and 1000. Nothing is written into the example unless every field is valid.
#pragma once

#include <cstdint>
#include <map>
#include <string>
#include <vector>

#include "expr/engine.h"
#include "plot2d/example.h"
#include "plotwin/number_format.h"

namespace curvelo {

namespace eqid {
inline constexpr int kTextX = 211, kTextY = 212, kTextR = 213;  // edits of texts 0, 1, 2
inline constexpr int kTextImplicit = 218;                        // edit of text 4
inline constexpr int kLow = 221, kHigh = 223, kDensity = 215, kDiscontinuity = 225,
                     kPenWidth = 227, kArrowT = 234, kArrowSize = 235;
inline constexpr int kIntervalFixed = 271, kArrow = 271, kPositiveR = 272;
inline constexpr int kLongSearch = 271, kObserve = 273, kPictureBorders = 274;
inline constexpr int kShadeNone = 254;  // 254, 255, 256: none, f < g, f > g
inline constexpr int kPenSolid = 251;  // 251, 252, 253: solid, dotted, dashed
}  // namespace eqid

struct EquationForm {
    std::map<int, std::string> edits;  // edit id -> text
    std::map<int, bool> checks;        // check box id -> state
    std::map<int, int> combos;         // combo box id -> selected index
    int penStyle = 0;                  // 0 solid, 1 dotted, 2 dashed
    int shading = 0;                   // implicit: 0 none, 1 f < g, 2 f > g
};

struct FormOutcome {
    std::uint16_t code = 0;  // 0, or the message number less 400
    int focusId = 0;         // the edit to correct
};

// What a form holds for an edit (empty when it has none) and for a check box (false).
std::string FormText(const EquationForm& form, int id);
bool FormChecked(const EquationForm& form, int id);
// A form's edit cut to what an example's text holds.
std::string FormFormula(const EquationForm& form, int id);

// The dialog of a kind has a form (201, 202, 203, 204).
bool HasEquationForm(std::uint16_t kind);
// The edit ids of a kind's formulas, in the order they are checked.
std::vector<int> FormulaEditsOf(std::uint16_t kind);
EquationForm EquationFormOf(const TExample& example, const NumberFormat& format);
FormOutcome ApplyEquationForm(const EquationForm& form, FormulaEngine& engine, TExample& example);

}  // namespace curvelo
