#include "plot2d/solution_rows.h"

#include <algorithm>
#include <limits>

#include "plot2d/example_kinds.h"
#include "plot2d/initial_condition.h"
#include "plot2d/ivp_form.h"
#include "plot2d/ode_drawer.h"
#include "plot2d/object_geometry.h"
#include "plot2d/slope_solver.h"
#include "plot2d/start_points.h"
#include "resources/resources.h"

namespace curvelo {
namespace {

constexpr int kModifiedEulerName = 180;

// Puts X and Y back when the rows are made.
class KeptXY {
public:
    explicit KeptXY(LetterStore& letters)
        : letters_(letters), x_(letters.LetterValues[kLetterX]), y_(letters.LetterValues[kLetterY]) {}
    ~KeptXY() {
        letters_.LetterValues[kLetterX] = x_;
        letters_.LetterValues[kLetterY] = y_;
    }
    KeptXY(const KeptXY&) = delete;
    KeptXY& operator=(const KeptXY&) = delete;

private:
    LetterStore& letters_;
    ExtComplex x_, y_;
};

void SetXY(LetterStore& letters, long double x, long double y) {
    letters.LetterValues[kLetterX] = {x, 0.0L};
    letters.LetterValues[kLetterY] = {y, 0.0L};
}

std::vector<std::vector<long double>> SlopeRows(FormulaEngine& engine, const InventorySlot& slot, int solution,
                                                const std::function<bool()>& stop) {
    std::vector<TInitialCondition> conditions = LoadConditions(slot.initialConditions);
    TInitialCondition c = conditions[static_cast<std::size_t>(solution)];
    UpdateFromTexts(slot.example.kind, engine, c);  // conditions kept as texts follow the letters
    LetterStore& letters = engine.letters;
    KeptXY keep(letters);
    ExprNode* slope = slot.trees[2];
    const SlopeFunction f = [&](long double x, long double y, long double& s) {
        SetXY(letters, x, y);
        return EvalReal(letters, slope, s);
    };
    // No view: the whole solution is listed, as far as it is defined.
    constexpr long double kAll = std::numeric_limits<long double>::max();
    SlopeRunSettings run = SlopeRunOf(c);
    run.stopAtBorder = false;
    run.xmin = run.ymin = -kAll;
    run.xmax = run.ymax = kAll;
    std::vector<std::vector<long double>> rows{{c.x0, c.y0}};
    unsigned calls = 0;
    RunSlopeSolution(f, run, [&](long double, long double, long double x, long double y, bool) {
        rows.push_back({x, y});
        return !(stop && ++calls % 256 == 0 && stop());
    });
    return rows;
}

// Collects the visible points of a trajectory with their times.
class RowSink : public TraceSink {
public:
    explicit RowSink(std::vector<std::vector<long double>>& rows) : rows_(rows) {}
    void NextTime(long double t) override { t_ = t; }
    void MoveTo(WorldPoint p) override { rows_.push_back({t_, p.x, p.y}); }
    void LineTo(WorldPoint p) override { rows_.push_back({t_, p.x, p.y}); }

private:
    std::vector<std::vector<long double>>& rows_;
    long double t_ = 0;
};

std::vector<std::vector<long double>> SystemRows(FormulaEngine& engine, const InventorySlot& slot, int solution,
                                                 const std::function<bool()>& stop, const TrajectoryFrame& frame) {
    TInitialCondition c = LoadConditions(slot.initialConditions)[static_cast<std::size_t>(solution)];
    UpdateFromTexts(slot.example.kind, engine, c);
    TraceSettings settings = TrajectorySettings(frame.tracing.Settings(), slot.example);
    settings.stopRequested = stop;
    TrajectoryTracer tracer(frame.view, settings);
    CurveTrees trees;
    std::copy(slot.trees.begin(), slot.trees.end(), trees.tree);
    SystemField field(engine.letters, slot.example, trees);
    const WorldPoint start{c.x0, c.y0};

    std::vector<std::vector<long double>> forward, backward;
    TraceEnd end = TraceEnd::kUndefined;
    if (c.Direction() != TraceDirection::kBackward) {
        RowSink sink(forward);
        end = tracer.Trace(field, start, c.t0, TrajectoryTracer::kForward, sink).end;
    }
    const bool closedOrStopped = end == TraceEnd::kClosed || end == TraceEnd::kStopped;
    if (c.Direction() != TraceDirection::kForward && !closedOrStopped) {
        RowSink sink(backward);
        tracer.Trace(field, start, c.t0, TrajectoryTracer::kBackward, sink);
        // Both runs begin at the start point; list it once.
        if (!forward.empty() && !backward.empty() && backward.front() == forward.front()) backward.erase(backward.begin());
    }
    std::reverse(backward.begin(), backward.end());
    backward.insert(backward.end(), forward.begin(), forward.end());
    return backward;
}

std::vector<std::vector<long double>> SequenceRows(FormulaEngine& engine, const InventorySlot& slot, int solution,
                                                   const std::function<bool()>& stop) {
    const StartPoint sp = ReadStartPoint(slot.initialConditions[static_cast<std::size_t>(solution)]);
    LetterStore& letters = engine.letters;
    KeptXY keep(letters);
    std::vector<std::vector<long double>> rows;
    long double x = sp.x, y = sp.y;
    for (int n = 0; n < sp.terms; ++n) {
        rows.push_back({static_cast<long double>(n), x, y});
        if (stop && n % 256 == 255 && stop()) break;
        SetXY(letters, x, y);
        long double nx = 0, ny = 0;
        if (!EvalReal(letters, slot.trees[0], nx) || !EvalReal(letters, slot.trees[1], ny)) break;
        x = nx;
        y = ny;
    }
    return rows;
}

}  // namespace

bool IsSolutionTableKind(std::uint16_t kind) {
    return kind == kKindSlope || kind == kKindSystem || kind == kKindSequence;
}

int SolutionCount(const InventorySlot& slot) {
    return IsSolutionTableKind(slot.example.kind) ? static_cast<int>(slot.initialConditions.size()) : 0;
}

std::vector<std::vector<long double>> SolutionRows(FormulaEngine& engine, const InventorySlot& slot, int solution,
                                                   const std::function<bool()>& stop, const TrajectoryFrame& frame) {
    if (solution < 0 || solution >= SolutionCount(slot)) return {};
    switch (slot.example.kind) {
    case kKindSlope: return SlopeRows(engine, slot, solution, stop);
    case kKindSystem: return SystemRows(engine, slot, solution, stop, frame);
    default: return SequenceRows(engine, slot, solution, stop);
    }
}

std::string SolutionMethodName(const InventorySlot& slot, int solution) {
    if (slot.example.kind != kKindSlope || solution < 0 || solution >= SolutionCount(slot)) return {};
    switch (TInitialCondition::Load(slot.initialConditions[static_cast<std::size_t>(solution)]).Method()) {
    case SlopeMethod::kEuler: return "Euler";
    case SlopeMethod::kModifiedEuler: return std::string(res::String(kModifiedEulerName));
    case SlopeMethod::kRungeKutta: break;
    }
    return "Runge-Kutta";
}

}  // namespace curvelo
