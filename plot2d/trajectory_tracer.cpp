#include "plot2d/trajectory_tracer.h"

#include <algorithm>
#include <chrono>
#include <cmath>

namespace curvelo {
namespace {

// A turn sharper than this over the shortest step is abrupt (60 degrees).
constexpr long double kSuddenTurnRadians = 1.0471975511965976L;
// A closing path must head the same way as at its start, within 60 degrees.
constexpr long double kClosingCosine = 0.5L;
// An implicit curve may cross this many directionless or uncorrectable points in a row.
constexpr int kMaxCoastSteps = 2;
// Q and the clock are looked at every so many steps.
constexpr std::int64_t kPollEvery = 32;
// Halvings tried for one step (from the longest to below the shortest).
constexpr int kMaxHalvings = 12;

long double Dot(long double au, long double av, long double bu, long double bv) { return au * bu + av * bv; }

// Distance from c to the segment a-b.
long double SegmentDistance(long double au, long double av, long double bu, long double bv, long double cu,
                            long double cv) {
    const long double du = bu - au, dv = bv - av;
    const long double len2 = du * du + dv * dv;
    long double s = len2 > 0 ? Dot(cu - au, cv - av, du, dv) / len2 : 0;
    s = std::clamp(s, 0.0L, 1.0L);
    return std::hypot(au + s * du - cu, av + s * dv - cv);
}

}  // namespace

TrajectoryTracer::TrajectoryTracer(const PlotView& view, const TraceSettings& settings) : settings_(settings) {
    upx_ = view.upx > 0 ? view.upx : 1;
    upy_ = view.upy > 0 ? view.upy : 1;
    uMin_ = view.xmin / upx_;
    uMax_ = view.xmax / upx_;
    vMin_ = view.ymin / upy_;
    vMax_ = view.ymax / upy_;
    const int density = std::clamp(settings_.density, 1, 1000);
    const long double base = std::isfinite(settings_.baseStepPixels) && settings_.baseStepPixels > 0
                                 ? std::min(settings_.baseStepPixels, 1000.0L)
                                 : 8.0L;
    hMax_ = base / density;
    hMin_ = hMax_ / kMinStepDivisor;
    const long double flat = std::isfinite(settings_.flatnessPixels) && settings_.flatnessPixels > 0
                                 ? settings_.flatnessPixels
                                 : 0.25L;
    flat_ = flat / density;
    if (!std::isfinite(settings_.loopPixels) || settings_.loopPixels < 0) settings_.loopPixels = 0;
    if (!std::isfinite(settings_.nullVectorPixels) || settings_.nullVectorPixels < 0) settings_.nullVectorPixels = 0;
    settings_.maxSteps = std::clamp<std::int64_t>(settings_.maxSteps, 1, 100000000);
    settings_.timeLimitMs = std::clamp(settings_.timeLimitMs, 1, 3600000);
}

bool TrajectoryTracer::Direction(TraceField& field, Pixel q, long double t, int sign, Pixel along, Pixel& d,
                                 long double& speed) {
    WorldPoint v;
    lastNull_ = false;
    if (!field.Velocity(ToWorld(q), t, v)) return false;
    const long double pu = v.x / upx_, pv = v.y / upy_;
    speed = std::hypot(pu, pv);
    if (!std::isfinite(speed)) return false;
    if (speed <= 0 || (settings_.nullVectorPixels > 0 && speed < settings_.nullVectorPixels)) {
        lastNull_ = true;
        return false;
    }
    d = {sign * pu / speed, sign * pv / speed};
    // A curve's tangent has no sign of its own: keep the way it was going.
    if (field.HasCorrector() && Dot(d.u, d.v, along.u, along.v) < 0) d = {-d.u, -d.v};
    return true;
}

bool TrajectoryTracer::Outside(Pixel q, long double margin) const {
    return q.u < uMin_ - margin || q.u > uMax_ + margin || q.v < vMin_ - margin || q.v > vMax_ + margin;
}

long double TrajectoryTracer::BorderFraction(Pixel a, Pixel b) const {
    long double s = 1;
    const auto limit = [&s](long double from, long double to, long double edge) {
        if ((to < edge) != (from < edge) && to != from) s = std::min(s, (edge - from) / (to - from));
    };
    limit(a.u, b.u, uMin_);
    limit(a.u, b.u, uMax_);
    limit(a.v, b.v, vMin_);
    limit(a.v, b.v, vMax_);
    return std::clamp(s, 0.0L, 1.0L);
}

TraceResult TrajectoryTracer::Trace(TraceField& field, WorldPoint start, long double t0, int direction,
                                    TraceSink& sink) {
    TraceResult result;
    result.last = start;
    result.t = t0;
    const int sign = direction < 0 ? -1 : 1;
    const Pixel q0 = ToPixel(start);
    Pixel q = q0, d;
    long double t = t0, speed = 0;
    if (!std::isfinite(q.u) || !std::isfinite(q.v) || !Direction(field, q, t, sign, {0, 0}, d, speed)) {
        result.end = lastNull_ ? TraceEnd::kNullVector : TraceEnd::kUndefined;
        return result;
    }
    if (settings_.stopAtBorder && Outside(q, 0)) {
        result.end = TraceEnd::kBorder;
        return result;
    }
    const Pixel d0 = d;
    bool penDown = field.Visible(start, t);
    if (penDown) {
        sink.NextTime(t);
        sink.MoveTo(start);
    }
    const auto finish = [&](TraceEnd end) {
        if (penDown) sink.PenUp();
        result.end = end;
        result.last = ToWorld(q);
        result.t = t;
        return result;
    };

    const bool curve = field.HasCorrector();
    const long double loop = settings_.loopPixels;
    const long double farMargin = std::max(uMax_ - uMin_, vMax_ - vMin_);
    const auto clockStart = std::chrono::steady_clock::now();
    long double h = hMax_, arc = 0, farthest = 0;
    long double omega = 0;  // turn per pixel of the last step, signed
    int coasted = 0;
    for (std::int64_t step = 0; step < settings_.maxSteps; ++step) {
        if (step % kPollEvery == kPollEvery - 1) {
            if (settings_.stopRequested && settings_.stopRequested()) return finish(TraceEnd::kStopped);
            const auto ms = std::chrono::duration_cast<std::chrono::milliseconds>(std::chrono::steady_clock::now() -
                                                                                  clockStart);
            if (ms.count() > settings_.timeLimitMs) return finish(TraceEnd::kTimeLimit);
        }
        Pixel q2, d2;
        long double t2 = t, speed2 = 0, turn = 0;
        bool accepted = false;
        TraceEnd failure = TraceEnd::kUndefined;
        for (int halving = 0; halving < kMaxHalvings && !accepted; ++halving) {
            const bool shortest = h <= hMin_ * 1.0001L;
            bool ok = true;
            if (curve) {
                // Along the chord the last turn rate predicts (the tangent turned by half the
                // turn over the step), then back onto the curve across it. A correction larger
                // than the flatness tolerance means the step is too long, or that it would
                // land on another branch.
                const long double half = omega * h / 2;
                const Pixel chord{d.u * std::cos(half) - d.v * std::sin(half), d.u * std::sin(half) + d.v * std::cos(half)};
                WorldPoint p = ToWorld({q.u + h * chord.u, q.v + h * chord.v});
                const WorldPoint normal = ToWorld({-chord.v, chord.u});
                ok = field.Correct(p, normal, flat_);
                q2 = ToPixel(p);
                if (!ok) failure = TraceEnd::kDeadEnd;
                if (ok && !Direction(field, q2, t, sign, d, d2, speed2)) {
                    ok = field.CoastsThroughSingularPoints() && coasted < kMaxCoastSteps;
                    d2 = d;
                    if (ok) ++coasted;
                } else if (ok) {
                    coasted = 0;
                }
                if (!ok && shortest && field.CoastsThroughSingularPoints() && coasted < kMaxCoastSteps) {
                    // Across a crossing or tangency the corrector may find nothing for a moment.
                    q2 = {q.u + h * d.u, q.v + h * d.v};
                    d2 = d;
                    ++coasted;
                    ok = true;
                }
            } else {
                // Classical Runge-Kutta on the unit field; time runs at arc length / speed.
                Pixel k2, k3, k4;
                long double s2 = 0, s3 = 0, s4 = 0;
                const long double hs = sign * h;
                ok = Direction(field, {q.u + h / 2 * d.u, q.v + h / 2 * d.v}, t + hs / 2 / speed, sign, d, k2, s2) &&
                     Direction(field, {q.u + h / 2 * k2.u, q.v + h / 2 * k2.v}, t + hs / 2 / s2, sign, d, k3, s3) &&
                     Direction(field, {q.u + h * k3.u, q.v + h * k3.v}, t + hs / s3, sign, d, k4, s4);
                if (ok) {
                    q2 = {q.u + h / 6 * (d.u + 2 * k2.u + 2 * k3.u + k4.u),
                          q.v + h / 6 * (d.v + 2 * k2.v + 2 * k3.v + k4.v)};
                    t2 = t + hs / 6 * (1 / speed + 2 / s2 + 2 / s3 + 1 / s4);
                    ok = Direction(field, q2, t2, sign, d, d2, speed2);
                }
                if (!ok) failure = lastNull_ ? TraceEnd::kNullVector : TraceEnd::kUndefined;
            }
            if (!ok) {
                if (shortest) break;
                h = std::max(h / 2, hMin_);
                continue;
            }
            turn = std::acos(std::clamp(Dot(d.u, d.v, d2.u, d2.v), -1.0L, 1.0L));
            if (h * turn / 8 > flat_ && !shortest) {
                h = std::max(h / 2, hMin_);
                continue;
            }
            if (shortest && turn > kSuddenTurnRadians && settings_.suddenAngles) return finish(TraceEnd::kSuddenAngle);
            accepted = true;
        }
        if (!accepted) return finish(failure);

        // Closing: the step passes the start again, heading the same way.
        if (loop > 0 && (farthest > 2 * loop || arc > 8 * loop + 2 * hMax_) &&
            SegmentDistance(q.u, q.v, q2.u, q2.v, q0.u, q0.v) <= loop &&
            Dot(d2.u, d2.v, d0.u, d0.v) > kClosingCosine) {
            t += sign * std::hypot(q0.u - q.u, q0.v - q.v) / speed;
            if (penDown) {
                sink.NextTime(t);
                sink.LineTo(start);
            }
            q = q0;
            ++result.steps;
            return finish(TraceEnd::kClosed);
        }
        if (settings_.stopAtBorder && Outside(q2, 0)) {
            const long double s = BorderFraction(q, q2);
            q = {q.u + s * (q2.u - q.u), q.v + s * (q2.v - q.v)};
            t += s * (t2 - t);
            if (penDown) {
                sink.NextTime(t);
                sink.LineTo(ToWorld(q));
            }
            ++result.steps;
            return finish(TraceEnd::kBorder);
        }
        if (!settings_.stopAtBorder && Outside(q2, farMargin)) return finish(TraceEnd::kBorder);

        const WorldPoint p2 = ToWorld(q2);
        const bool visible = field.Visible(p2, t2);
        if (visible) sink.NextTime(t2);
        if (visible && penDown) sink.LineTo(p2);
        else if (visible) sink.MoveTo(p2);
        else if (penDown) sink.PenUp();
        penDown = visible;

        arc += std::hypot(q2.u - q.u, q2.v - q.v);
        farthest = std::max(farthest, std::hypot(q2.u - q0.u, q2.v - q0.v));
        const bool easy = h * turn / 8 < flat_ / 4;
        const long double stepLength = std::hypot(q2.u - q.u, q2.v - q.v);
        omega = stepLength > 0 ? std::copysign(turn, d.u * d2.v - d.v * d2.u) / stepLength : 0;
        q = q2;
        d = d2;
        t = t2;
        speed = speed2;
        ++result.steps;
        if (easy) h = std::min(2 * h, hMax_);
    }
    return finish(TraceEnd::kBudget);
}

TraceResult TrajectoryTracer::TraceBoth(TraceField& field, WorldPoint start, long double t0, TraceSink& sink) {
    const TraceResult forward = Trace(field, start, t0, kForward, sink);
    if (forward.end == TraceEnd::kClosed || forward.end == TraceEnd::kStopped) return forward;
    TraceResult backward = Trace(field, start, t0, kBackward, sink);
    backward.steps += forward.steps;
    return backward;
}

}  // namespace curvelo
