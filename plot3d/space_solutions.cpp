#include "plot3d/space_solutions.h"

#include <algorithm>
#include <cmath>

#include "expr/byte_io.h"
#include "expr/eval.h"
#include "expr/letters.h"
#include "plot2d/example_limits.h"
#include "plot2d/object_geometry.h"
#include "plot3d/space_kinds.h"

namespace curvelo {
namespace {

constexpr int kPollEvery = 256;
constexpr long long kMaxSystemSteps = 200000;

// Puts the letters a 3D solution writes (T, X, Y, Z) back when it goes.
class KeptLetters {
public:
    explicit KeptLetters(LetterStore& letters) : letters_(letters) {
        for (int i = 0; i < 4; ++i) saved_[i] = letters.LetterValues[kLetters[i]];
    }
    ~KeptLetters() {
        for (int i = 0; i < 4; ++i) letters_.LetterValues[kLetters[i]] = saved_[i];
    }
    KeptLetters(const KeptLetters&) = delete;
    KeptLetters& operator=(const KeptLetters&) = delete;

private:
    static constexpr int kLetters[4] = {kLetterT, kLetterX, kLetterY, kLetterZ};
    LetterStore& letters_;
    ExtComplex saved_[4];
};

using State = std::array<long double, 3>;

void SetPoint(LetterStore& letters, const State& p) {
    letters.LetterValues[kLetterX] = {p[0], 0.0L};
    letters.LetterValues[kLetterY] = {p[1], 0.0L};
    letters.LetterValues[kLetterZ] = {p[2], 0.0L};
}

// The field (f, g, h) of a system at (p, t); t is set only for a time-dependent system.
class SpaceField {
public:
    SpaceField(LetterStore& letters, InventorySlot& slot)
        : letters_(letters), slot_(slot), timeDependent_(slot.example.flag51 != 0),
          restricted_(slot.example.positiveROnly != 0 && slot.trees[3]) {}
    bool Velocity(const State& p, long double t, State& v) {
        SetPoint(letters_, p);
        if (timeDependent_) letters_.LetterValues[kLetterT] = {t, 0.0L};
        for (int i = 0; i < 3; ++i)
            if (!EvalReal(letters_, slot_.trees[static_cast<std::size_t>(i)], v[static_cast<std::size_t>(i)])) return false;
        return true;
    }
    bool Shown(const State& p, long double t) {
        if (!restricted_) return true;
        SetPoint(letters_, p);
        letters_.LetterValues[kLetterT] = {t, 0.0L};
        long double r = 0;
        return EvalReal(letters_, slot_.trees[3], r) && r > 0;
    }

private:
    LetterStore& letters_;
    InventorySlot& slot_;
    bool timeDependent_, restricted_;
};

// One classical Runge-Kutta step of the system; false (state unchanged) when undefined.
bool Rk4Step(SpaceField& f, State& p, long double t, long double h) {
    State k1, k2, k3, k4, q;
    auto at = [&](const State& k, long double s) {
        for (std::size_t i = 0; i < 3; ++i) q[i] = p[i] + s * k[i];
        return q;
    };
    if (!f.Velocity(p, t, k1) || !f.Velocity(at(k1, h / 2), t + h / 2, k2) || !f.Velocity(at(k2, h / 2), t + h / 2, k3) ||
        !f.Velocity(at(k3, h), t + h, k4))
        return false;
    State next;
    for (std::size_t i = 0; i < 3; ++i) {
        next[i] = p[i] + h * (k1[i] + 2 * k2[i] + 2 * k3[i] + k4[i]) / 6;
        if (!std::isfinite(next[i]) || std::fabs(next[i]) > kEscapeDistance) return false;
    }
    p = next;
    return true;
}

void Run(SpaceField& f, State p, long double t, long double h, long long steps, std::vector<SpaceSample>& out,
         const std::function<bool()>& stop) {
    for (long long k = 0; k < steps; ++k) {
        if (!Rk4Step(f, p, t, h)) return;
        t += h;
        out.push_back({t, p[0], p[1], p[2], f.Shown(p, t)});
        if (stop && k % kPollEvery == kPollEvery - 1 && stop()) return;
    }
}

void Take(FormulaEngine& engine, const std::string& text, long double& target) {
    long double v = 0;
    if (!text.empty() && EvaluateText(engine, text, v) == 0 && std::isfinite(v)) target = v;
}

}  // namespace

long double SystemTimeStep(const TExample& e) {
    return 0.01L / std::clamp<int>(e.density, kMinDensity, kMaxDensity);
}

long long SystemStepLimit(const TExample& e) {
    return std::min<long long>(4000LL * std::clamp<int>(e.density, kMinDensity, kMaxDensity), kMaxSystemSteps);
}

void UpdateSpaceCondition(FormulaEngine& engine, TInitialCondition& c) {
    if (!c.AsText()) return;
    Take(engine, c.texts[TInitialCondition::kTextX0], c.x0);
    Take(engine, c.texts[TInitialCondition::kTextY0], c.y0);
    Take(engine, c.texts[TInitialCondition::kTextZ0], c.z0);
    Take(engine, c.texts[TInitialCondition::kTextT0], c.t0);
}

void UpdateSpaceStartPoint(FormulaEngine& engine, const Cv2InitialCondition& record, SpaceStartPoint& s) {
    if (!record.HasTexts()) return;
    Take(engine, record.texts[0], s.p.x);
    Take(engine, record.texts[1], s.p.y);
    Take(engine, record.texts[2], s.z);
    long double terms = s.p.terms;
    Take(engine, record.texts[3], terms);
    if (terms >= 1) s.p.terms = static_cast<int>(std::min<long double>(std::floor(terms), kMaxSequenceTerms));
}

std::vector<SpaceSample> SystemTrajectory(FormulaEngine& engine, InventorySlot& slot, const TInitialCondition& given,
                                          const std::function<bool()>& stop) {
    std::vector<SpaceSample> out;
    if (slot.example.kind != kKindSpaceSystem) return out;
    TInitialCondition c = given;
    UpdateSpaceCondition(engine, c);
    KeptLetters keep(engine.letters);
    SpaceField f(engine.letters, slot);
    const State start = {c.x0, c.y0, c.z0};
    for (long double v : start)
        if (!std::isfinite(v)) return out;
    const long double h = SystemTimeStep(slot.example);
    const long long steps = SystemStepLimit(slot.example);
    const TraceDirection direction = c.Direction();
    if (direction != TraceDirection::kForward) {
        Run(f, start, c.t0, -h, steps, out, stop);
        std::reverse(out.begin(), out.end());
    }
    out.push_back({c.t0, start[0], start[1], start[2], f.Shown(start, c.t0)});
    if (direction != TraceDirection::kBackward && !(stop && stop())) Run(f, start, c.t0, h, steps, out, stop);
    return out;
}

std::vector<SpaceSample> SequenceTerms(FormulaEngine& engine, InventorySlot& slot, const SpaceStartPoint& start,
                                       long double tolerance, const std::function<bool(const SpaceSample&)>& inside,
                                       int* period) {
    std::vector<SpaceSample> out;
    if (period) *period = 0;
    if (slot.example.kind != kKindSpaceSequence) return out;
    KeptLetters keep(engine.letters);
    State p = {start.p.x, start.p.y, start.z};
    const int terms = std::clamp(start.p.terms, 0, kMaxSequenceTerms);
    for (int n = 0; n < terms; ++n) {
        const SpaceSample s{static_cast<long double>(n), p[0], p[1], p[2], true};
        if (inside && !inside(s)) break;
        out.push_back(s);
        SetPoint(engine.letters, p);
        State next;
        bool defined = true;
        for (std::size_t i = 0; i < 3 && defined; ++i) defined = EvalReal(engine.letters, slot.trees[i], next[i]);
        if (!defined) break;
        p = next;
        const long double d = std::sqrt((p[0] - start.p.x) * (p[0] - start.p.x) + (p[1] - start.p.y) * (p[1] - start.p.y) +
                                        (p[2] - start.z) * (p[2] - start.z));
        if (d < tolerance) {
            if (period) *period = n + 1;
            break;
        }
    }
    return out;
}

bool IsSpaceSolutionKind(std::uint16_t kind) { return kind == kKindSpaceSystem || kind == kKindSpaceSequence; }

int SpaceSolutionCount(const InventorySlot& slot) {
    return IsSpaceSolutionKind(slot.example.kind) ? static_cast<int>(slot.initialConditions.size()) : 0;
}

std::vector<std::vector<long double>> SpaceSolutionRows(FormulaEngine& engine, InventorySlot& slot, int solution,
                                                        const std::function<bool()>& stop) {
    std::vector<std::vector<long double>> rows;
    if (solution < 0 || solution >= SpaceSolutionCount(slot)) return rows;
    const Cv2InitialCondition& record = slot.initialConditions[static_cast<std::size_t>(solution)];
    std::vector<SpaceSample> samples;
    if (slot.example.kind == kKindSpaceSystem) {
        samples = SystemTrajectory(engine, slot, TInitialCondition::Load(record), stop);
    } else {
        SpaceStartPoint s = ReadSpaceStartPoint(record);
        UpdateSpaceStartPoint(engine, record, s);
        samples = SequenceTerms(engine, slot, s, kDefaultPeriodTolerance);
    }
    rows.reserve(samples.size());
    for (const SpaceSample& s : samples) rows.push_back({s.t, s.x, s.y, s.z});
    return rows;
}

}  // namespace curvelo
