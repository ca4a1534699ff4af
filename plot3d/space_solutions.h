// The stored solutions of the 3D kinds, computed without a view so that the drawing, the
// box and the table all see the same points: trajectories of a system x' = f, y' = g,
// z' = h from its initial conditions, and the terms of a recursive point sequence from its
// start points.
#pragma once

#include <array>
#include <functional>
#include <vector>

#include "expr/engine.h"
#include "plot2d/initial_condition.h"
#include "plot2d/inventory.h"
#include "plot2d/start_points.h"
#include "plot3d/space_start_point.h"

namespace curvelo {

// One computed point: t (or the term's index n), x, y, z, and whether it is shown (a
// system's restriction r > 0).
struct SpaceSample {
    long double t = 0, x = 0, y = 0, z = 0;
    bool shown = true;
};

// A system's time step and the steps each direction may make, from its density.
long double SystemTimeStep(const TExample& example);
long long SystemStepLimit(const TExample& example);
// Trajectories leaving this far from the origin end.
inline constexpr long double kEscapeDistance = 1e8L;

// A condition or start point kept as formula texts takes their values for the current
// letters (x, y, z, t of a condition; x, y, z and the terms of a start point).
void UpdateSpaceCondition(FormulaEngine& engine, TInitialCondition& c);
void UpdateSpaceStartPoint(FormulaEngine& engine, const Cv2InitialCondition& record, SpaceStartPoint& s);

// The trajectory of a kind-310 example from a condition, in increasing time (a run in both
// directions starts with the backward part). Stops at an undefined or escaping point, at
// the step limit, or when `stop` answers true (polled every 256 steps).
std::vector<SpaceSample> SystemTrajectory(FormulaEngine& engine, InventorySlot& slot, const TInitialCondition& c,
                                          const std::function<bool()>& stop = {});

// The terms of a kind-312 sequence from a start point: at most its number of terms, ending
// at an undefined term, when a term comes back within `tolerance` of the start (the
// period, 0 when none, goes to *period), or when `inside` refuses a term.
std::vector<SpaceSample> SequenceTerms(FormulaEngine& engine, InventorySlot& slot, const SpaceStartPoint& start,
                                       long double tolerance, const std::function<bool(const SpaceSample&)>& inside = {},
                                       int* period = nullptr);

// Rows of solution `solution` of a 310 (t, x, y, z) or 312 (n, x, y, z) example, as the
// drawing computes them; empty when there is none.
bool IsSpaceSolutionKind(std::uint16_t kind);
int SpaceSolutionCount(const InventorySlot& slot);
std::vector<std::vector<long double>> SpaceSolutionRows(FormulaEngine& engine, InventorySlot& slot, int solution,
                                                        const std::function<bool()>& stop = {});

}  // namespace curvelo
