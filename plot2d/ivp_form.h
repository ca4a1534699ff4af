// The initial conditions of the differential-equation kinds as the dialogs and the mouse make
// them: reading the dialog fields (numbers may be formulas; kept as formula texts they follow
// the letters A-W), the line of the dialog's list, the point a solution ends at, and the
// condition a click in the picture adds.
#pragma once

#include <map>
#include <string>
#include <vector>

#include "expr/engine.h"
#include "plot2d/equation_form.h"
#include "plot2d/initial_condition.h"
#include "plot2d/slope_solver.h"
#include "plotwin/number_format.h"

namespace curvelo {

namespace ivpid {
inline constexpr int kExample = 295, kX = 211, kY = 212, kStep = 213, kT = 213, kSteps = 214, kZ = 216;
// A system in space: its restriction r > 0, switched and edited with its conditions.
inline constexpr int kRestricted = 273, kRestriction = 217, kZCaption = 306;
inline constexpr int kDelay = 215, kPenWidth = 227, kColour = 297, kList = 293;
inline constexpr int kAsText = 271, kObserve = 272;
inline constexpr int kEuler = 251;    // 251..253: Euler, modified Euler, Runge-Kutta
inline constexpr int kForward = 254;  // 254..256: forward, backward, both
inline constexpr int kDraw = 701, kDelete = 702, kDeleteAll = 703, kEndPoint = 704, kCompare = 705;
}  // namespace ivpid

inline constexpr int kMaxObserveDelayMs = 10000;

struct IvpForm {
    std::map<int, std::string> edits;
    bool asText = false;
    int method = 2;     // dy/dx
    int direction = 2;  // system
    int colour = 0;
};

// Systems of the plane (210) and of space (310) share the dialog; space adds z.
inline bool IsSystemIvpKind(std::uint16_t kind) { return kind == 210 || kind == 310; }

// The form showing a condition of the kind (210, 211 or 310).
IvpForm IvpFormOf(std::uint16_t kind, const TInitialCondition& c, const NumberFormat& format);
// Reads the form into c; code 14 ("pozitív érték?") for a step count below 1, 17 for a zero
// step, or the evaluator's code, with the edit to correct.
FormOutcome ApplyIvpForm(std::uint16_t kind, const IvpForm& form, FormulaEngine& engine, TInitialCondition& c);
// A condition kept as formula texts takes their values for the current letters; a text that
// does not evaluate leaves its value as it was.
void UpdateFromTexts(std::uint16_t kind, FormulaEngine& engine, TInitialCondition& c);
// The dialog's list line of a condition.
std::string IvpListLine(std::uint16_t kind, const TInitialCondition& c, const NumberFormat& format);

// The condition a click at (x, y) adds: the settings of the example's last condition, or
// for the first one a step of a two-hundredth of the view's width and enough steps to
// cross it twice. A dy/dx click gives two conditions, one each way, so the whole
// solution through the point is drawn.
std::vector<TInitialCondition> ConditionsAtClick(std::uint16_t kind, long double x, long double y,
                                                 const std::vector<TInitialCondition>& existing, long double viewWidth);

}  // namespace curvelo
