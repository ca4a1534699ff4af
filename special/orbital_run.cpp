#include "special/orbital_run.h"

#include <algorithm>
#include <cmath>
#include <vector>

#include "plotwin/to_int.h"

namespace curvelo {

namespace {

constexpr int kKeyQ = 81;

WorldPoint Plane(const Vec3& v) { return {v.x, v.y}; }

bool Inside(const PlotView& view, const Vec3& v) {
    int px = 0, py = 0;
    const bool inX = view.MapX(v.x, &px);
    return view.MapY(v.y, &py) && inX;
}

// An empty circle drawn as a polygon filled with the background.
void Ring(DrawSurface& surface, WorldPoint c, int radius, Rgb background) {
    constexpr int kSides = 24;
    const PlotView& v = surface.View();
    WorldPoint points[kSides];
    for (int k = 0; k < kSides; ++k) {
        const long double a = 2 * 3.14159265358979323846L * k / kSides;
        points[k] = {c.x + radius * v.upx * std::cos(a), c.y + radius * v.upy * std::sin(a)};
    }
    surface.SetBrush(background);
    surface.FilledPolygon(points, kSides);
}

}  // namespace

int MarkerRadius(int widthPixels, int markerSize) {
    return std::max(1, ToInt(static_cast<long double>(widthPixels) * markerSize / 600.0L));
}

OrbitalRunResult RunOrbitalSystem(const OrbitalSystem& system, OrbitalSimulation& sim, DrawSurface& surface,
                                  const OrbitalPicture& picture, const OrbitalRunHooks& hooks) {
    OrbitalRunResult result;
    sim.Reset(system);
    const int entries = std::min<int>(sim.BodyCount() + 1, static_cast<int>(system.entries.size()));
    if (entries <= 0) return result;
    const PlotView& view = surface.View();
    auto penOf = [&](int i) {
        const OrbitalBody& b = system.entries[static_cast<std::size_t>(i)];
        surface.SetPen(ColourForOutput(b.colour, picture.colourOutput), b.penWidth, LineStyle::kSolid);
    };
    std::vector<Vec3> last(static_cast<std::size_t>(entries));
    std::vector<bool> lastInside(static_cast<std::size_t>(entries));
    for (int i = 0; i < entries; ++i) {
        last[static_cast<std::size_t>(i)] = sim.Display(i);
        lastInside[static_cast<std::size_t>(i)] = Inside(view, sim.Display(i));
    }
    const std::vector<Vec3> start = last;
    const long long k = std::clamp<long long>(std::llround(system.computations), 1, std::llround(kMaxComputations));
    const std::int64_t p = std::clamp<std::int64_t>(std::llround(system.positions), 0, std::llround(kMaxPositions));
    for (std::int64_t s = 0; s < p; ++s) {
        // A close approach ends the run before its step is drawn, so the steps done
        // replay without it.
        if (!sim.Interval(k, system.step)) {
            result.closeApproach = true;
            break;
        }
        bool allInside = true;
        for (int i = 0; i < entries; ++i) {
            const auto j = static_cast<std::size_t>(i);
            const Vec3& q = sim.Display(i);
            const bool inside = Inside(view, q);
            if (inside && lastInside[j]) {
                penOf(i);
                surface.Segment(Plane(last[j]), Plane(q));
            }
            if (!inside && i < sim.BodyCount()) allInside = false;
            last[j] = q;
            lastInside[j] = inside;
        }
        result.steps = s + 1;
        if (!allInside) {
            result.leftWindow = true;
            if (system.stopAtBorder) break;
        }
        if (system.showWhileComputing && hooks.showSoFar) hooks.showSoFar();
        if (hooks.pollKey && hooks.pollKey() == kKeyQ) {
            result.stopped = true;
            break;
        }
    }
    if (system.markers) {
        const int r = MarkerRadius(picture.widthPixels, system.markerSize);
        for (int i = 0; i < entries; ++i) {
            penOf(i);
            Ring(surface, Plane(start[static_cast<std::size_t>(i)]), r, picture.background);
            surface.Dot(Plane(sim.Display(i)), r);
        }
    }
    return result;
}

}  // namespace curvelo
