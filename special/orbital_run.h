// One run of a many-body system drawn into a picture: the simulation loop with K
// computations per drawn step, each entry's path as segments between its drawn positions,
// the stop at the window's border, Q, and the start and end markers.
#pragma once

#include <cstdint>
#include <functional>

#include "plotwin/draw_surface.h"
#include "special/orbital_simulation.h"

namespace curvelo {

struct OrbitalRunHooks {
    // The key of the keyboard poll after each drawn step (81 = Q stops), 0 when none.
    std::function<int()> pollKey;
    // After each drawn step when the system shows itself while computing.
    std::function<void()> showSoFar;
};

struct OrbitalRunResult {
    std::int64_t steps = 0;    // drawn steps done
    bool closeApproach = false;
    bool leftWindow = false;   // a body went outside (and ended the run when asked to)
    bool stopped = false;      // by Q
};

struct OrbitalPicture {
    bool colourOutput = true;
    Rgb background{255, 255, 255};
    int widthPixels = 500;     // sizes the markers
};

// Runs the system from its initial state; sim holds the state where the run ended. A
// close approach ends the run.
OrbitalRunResult RunOrbitalSystem(const OrbitalSystem& system, OrbitalSimulation& sim, DrawSurface& surface,
                                  const OrbitalPicture& picture, const OrbitalRunHooks& hooks);

// Marker radius in pixels: width x size / 600, rounded, at least 1.
int MarkerRadius(int widthPixels, int markerSize);

}  // namespace curvelo
