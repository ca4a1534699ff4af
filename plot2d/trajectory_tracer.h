// The trajectory tracer: follows a path through the plane from a start point, for implicit
// curves (the level set F = 0) and for dx/dt, dy/dt systems (the vector field) alike. It
// needs no window: the caller describes what to follow (a TraceField), where the points go
// (a TraceSink) and the view whose pixels set every tolerance.
//
// Method (docs/tracer.md says more):
// - It works in pixel units of the view, so tolerances mean the same at every zoom.
// - A step of length h goes along the unit direction: a system takes a classical
//   Runge-Kutta step on the normalised field (time advances by the arc length over the
//   speed); an implicit curve steps along the chord that the last turn rate predicts and
//   the field's corrector pulls the point back onto F = 0 across the chord, by no more
//   than the flatness tolerance: a longer correction halves the step, so the path cannot
//   jump to a neighbouring branch.
// - Step-size control: the chord of a step may stray from the path by about h * angle / 8
//   (angle = turn of the direction over the step); above the flatness tolerance the step
//   is halved, well below it doubled, between the longest step (base step / density)
//   and 1/256 of it.
// - Direction signs are kept continuous (each new direction agrees with the last), so the
//   path goes straight through crossing points such as the lemniscate's origin; where an
//   implicit curve has no direction (a singular point) it coasts a step or two.
// - It stops when the path closes on its start (the chord passes within the loop
//   tolerance, heading the same way; the last point is the start itself, so a closed
//   curve has no seam), at the view border, where the field is undefined, where the
//   vector is shorter than the null-vector tolerance, at an abrupt turn (with the
//   sudden-angle switch), on Q, or when the step budget or the time limit runs out.
//
// How a dx/dt, dy/dt system uses it: implement TraceField::Velocity as (f, g) at (x, y, t)
// (t only for a time-dependent system), leave Correct alone, and Visible as r(x, y, t) > 0
// for a restriction; set nullVectorPixels from the window's setting; call Trace with
// kForward and/or kBackward from the initial condition (x0, y0, t0), or TraceBoth.
#pragma once

#include <cstdint>
#include <functional>

#include "plotwin/plot_view.h"

namespace curvelo {

// What the tracer follows.
class TraceField {
public:
    virtual ~TraceField() = default;
    // The velocity at p and time t, in world units per unit of time; false where it is
    // undefined. Only its direction shapes the path; its length serves the null-vector stop
    // and the time.
    virtual bool Velocity(WorldPoint p, long double t, WorldPoint& v) = 0;
    // Whether Correct pulls points onto a curve (implicit curves); systems say no.
    virtual bool HasCorrector() const { return false; }
    // Moves p onto the curve to p + s * normal with |s| <= maxShift, where `normal` is one
    // pixel long (in world units); false when no such point is found.
    virtual bool Correct(WorldPoint& /*p*/, WorldPoint /*normal*/, long double /*maxShift*/) { return true; }
    // Whether a point without direction may be crossed straight ahead (a crossing of an
    // implicit curve) rather than ending the path (an equilibrium of a system).
    virtual bool CoastsThroughSingularPoints() const { return false; }
    // Whether the path is drawn at p (a system's restriction); hidden parts lift the pen.
    virtual bool Visible(WorldPoint /*p*/, long double /*t*/) { return true; }
};

// Where the traced points go: pieces of connected points.
class TraceSink {
public:
    virtual ~TraceSink() = default;
    virtual void MoveTo(WorldPoint p) = 0;  // starts a piece
    virtual void LineTo(WorldPoint p) = 0;  // continues it
    virtual void PenUp() {}                 // ends it
    // The time of the point that the next MoveTo or LineTo gives (what a table lists).
    virtual void NextTime(long double /*t*/) {}
};

struct TraceSettings {
    long double baseStepPixels = 8;     // longest step at density 1
    int density = 1;                    // divides the step and the flatness tolerance
    long double flatnessPixels = 0.25;  // "lapossági tűréshatár"
    long double loopPixels = 1.5;       // "hurokképződés tűréshatár"; 0: never closes
    long double nullVectorPixels = 0;   // "Null-vektor tűréshatár" (pixels per unit time); 0: off
    bool suddenAngles = false;          // "Hirtelen változó szögek": stop at an abrupt turn
    bool stopAtBorder = true;           // "a kép határai"
    std::int64_t maxSteps = 400000;     // per direction
    int timeLimitMs = 5000;             // per direction
    // Polled every few dozen steps; true stops the trace (Q).
    std::function<bool()> stopRequested;
};

enum class TraceEnd { kClosed, kBorder, kUndefined, kNullVector, kSuddenAngle, kDeadEnd, kBudget, kTimeLimit, kStopped };

struct TraceResult {
    TraceEnd end = TraceEnd::kUndefined;
    std::int64_t steps = 0;
    WorldPoint last;
    long double t = 0;
};

class TrajectoryTracer {
public:
    static constexpr int kForward = 1, kBackward = -1;
    // Steps shorter than the longest by this factor are not tried.
    static constexpr int kMinStepDivisor = 256;

    TrajectoryTracer(const PlotView& view, const TraceSettings& settings);

    // Follows the path from start in one direction. The sink receives MoveTo(start) first.
    TraceResult Trace(TraceField& field, WorldPoint start, long double t0, int direction, TraceSink& sink);
    // Forward, then backward from the same start unless the forward run closed or stopped.
    // Returns how the forward run ended when it closed or stopped, else the backward one's.
    TraceResult TraceBoth(TraceField& field, WorldPoint start, long double t0, TraceSink& sink);

    const TraceSettings& Settings() const { return settings_; }

private:
    struct Pixel {
        long double u = 0, v = 0;
    };
    Pixel ToPixel(WorldPoint p) const { return {p.x / upx_, p.y / upy_}; }
    WorldPoint ToWorld(Pixel q) const { return {q.u * upx_, q.v * upy_}; }
    // The unit direction (pixel space) at q, agreeing in sign with `along`, and the speed
    // in pixels per unit time; false where undefined or a null vector (lastNull_).
    bool Direction(TraceField& field, Pixel q, long double t, int sign, Pixel along, Pixel& d, long double& speed);
    bool Outside(Pixel q, long double margin) const;
    // How far along the segment a-b it leaves the view (a inside), from 0 to 1.
    long double BorderFraction(Pixel a, Pixel b) const;

    TraceSettings settings_;
    long double upx_, upy_;
    long double uMin_, uMax_, vMin_, vMax_;
    long double hMax_, hMin_, flat_;
    bool lastNull_ = false;  // the last Direction failed on a null vector
};

}  // namespace curvelo
