// The fields of the equation dialogs of the differential-equation kinds (dy/dx and the
// system dx/dt, dy/dt) and their reading into an example: the formulas must compile, the
// row count and segment length lie in their ranges, and nothing is written unless every
// field is valid.
#pragma once

#include <map>
#include <string>

#include "expr/engine.h"
#include "plot2d/equation_form.h"
#include "plot2d/example.h"
#include "plotwin/number_format.h"

namespace curvelo {

namespace odeid {
inline constexpr int kDxDt = 211, kDyDt = 212, kDyDx = 213, kRestriction = 214;
inline constexpr int kSegment = 225, kRows = 226, kPenWidth = 227;
inline constexpr int kBorders = 272, kRestricted = 273, kTimeDependent = 274;
inline constexpr int kFieldNone = 254;  // 254, 255, 256: none, directions, vectors
inline constexpr int kColour = 297;
}  // namespace odeid

struct OdeForm {
    std::map<int, std::string> edits;
    std::map<int, bool> checks;
    int fieldStyle = 1;
    int colour = 4;
};

bool HasOdeForm(std::uint16_t kind);
OdeForm OdeFormOf(const TExample& example, const NumberFormat& format);
FormOutcome ApplyOdeForm(const OdeForm& form, FormulaEngine& engine, TExample& example);

// The time-dependent switch of a system is kept in byte 51, its restriction switch in 50.
inline bool TimeDependent(const TExample& e) { return e.flag51 != 0; }
inline bool Restricted(const TExample& e) { return e.positiveROnly != 0; }

}  // namespace curvelo
