// A dy/dx picture at 1920x1080, off screen and anti-aliased: a direction field of 20 rows
// and ten Runge-Kutta solutions of dy/dx = sin(x) - y/3 across the whole view. The reference draws
// the very same lines from a recording, so the ratio shows what the solvers and the
// field's evaluations add to the drawing itself. Goal: 8 ms per frame (median CPU time).
#include <benchmark/benchmark.h>

#include <cstdio>
#include <cstdlib>
#include <vector>

#include "bench/median_reporter.h"
#include "expr/engine.h"
#include "framework/automation.h"
#include "framework/bitmap.h"
#include "framework/dc.h"
#include "plot2d/example_kinds.h"
#include "plot2d/inventory.h"
#include "plot2d/ode_drawer.h"
#include "plotwin/dc_surface.h"
#include "plotwin/recording_surface.h"

using namespace curvelo;

namespace {

constexpr int kWidth = 1920, kHeight = 1080;
constexpr double kGoalMs = 8.0;

struct Scene {
    PlotView view;
    FormulaEngine engine;
    ExampleInventory inventory;
    std::vector<TInitialCondition> conditions;

    Scene() {
        view.SetClientSize(kWidth, kHeight);
        view.SetViewSquare(0, 0, 5);
        view.ApplyView();
        const int i = inventory.Begin(kKindSlope, 0, 1);
        inventory.At(i).texts[2] = "sin(x)-y/3";
        inventory.At(i).fieldRows = 20;
        inventory.Commit(i, engine);
        for (int k = 0; k < 10; ++k) {
            TInitialCondition c;
            c.x0 = view.xmin;
            c.y0 = view.ymin + (view.ymax - view.ymin) * (k + 0.5L) / 10;
            c.step = (view.xmax - view.xmin) / 500;
            c.steps = 500;
            c.colour = static_cast<std::uint16_t>(2 + k % 5);
            conditions.push_back(c);
        }
    }

    std::uint64_t Draw(DrawSurface& surface) {
        OdeDrawer drawer(engine.letters, surface);
        drawer.silent = true;
        CurveTrees trees;
        for (int t = 0; t < TExample::kTexts; ++t) trees.tree[t] = inventory.Slot(0).trees[static_cast<std::size_t>(t)];
        drawer.Draw(inventory.At(0), conditions, trees);
        return drawer.Evaluations();
    }
};

std::uint64_t g_evaluations = 0;

void Prepare() {
    setenv("QT_QPA_PLATFORM", "offscreen", 0);
    fw::automation::EnsureApplication();
}

void FieldAndSolutions(benchmark::State& state) {
    Prepare();
    Scene scene;
    fw::Bitmap bitmap(kWidth, kHeight);
    std::uint64_t evaluations = 0, frames = 0;
    for (auto _ : state) {
        fw::DC dc(bitmap);
        dc.SetAntialias(true);
        dc.FillRect({0, 0, kWidth, kHeight}, {255, 255, 255});
        DcSurface surface(dc, scene.view);
        evaluations += scene.Draw(surface);
        ++frames;
    }
    g_evaluations = frames ? evaluations / frames : 0;
    state.counters["evaluations_per_frame"] = static_cast<double>(g_evaluations);
}

void SameLinesRecorded(benchmark::State& state) {
    Prepare();
    Scene scene;
    RecordingSurface recorded(scene.view);
    scene.Draw(recorded);
    fw::Bitmap bitmap(kWidth, kHeight);
    for (auto _ : state) {
        fw::DC dc(bitmap);
        dc.SetAntialias(true);
        dc.FillRect({0, 0, kWidth, kHeight}, {255, 255, 255});
        DcSurface surface(dc, scene.view);
        for (const DrawOp& op : recorded.Ops()) {
            surface.SetPen(op.pen, op.penWidth, op.style);
            if (op.kind == DrawOp::kSegment) {
                surface.Segment(op.points[0], op.points[1]);
            } else if (op.kind == DrawOp::kPolyline) {
                surface.BeginPolyline();
                for (const WorldPoint& p : op.points) surface.PolylineTo(p);
                surface.EndPolyline();
            }
        }
    }
}

}  // namespace

int main(int argc, char** argv) {
    benchmark::RegisterBenchmark("OdeFieldAndTenSolutions", FieldAndSolutions)->Unit(benchmark::kMillisecond);
    benchmark::RegisterBenchmark("OdeSameLinesRecorded", SameLinesRecorded)->Unit(benchmark::kMillisecond);
    std::vector<char*> args = bench::WithDefaultRepetitions(argc, argv, "0.5");
    int count = static_cast<int>(args.size());
    benchmark::Initialize(&count, args.data());
    bench::MedianReporter reporter;
    benchmark::RunSpecifiedBenchmarks(&reporter);
    benchmark::Shutdown();
    const double ms = reporter.MedianSeconds("OdeFieldAndTenSolutions") * 1000;
    const double reference = reporter.MedianSeconds("OdeSameLinesRecorded") * 1000;
    std::printf("field of 20 rows + ten Runge-Kutta solutions, %dx%d: median %.2f ms (goal %.1f ms), "
                "%llu evaluations per frame; the same lines alone %.2f ms (ratio %.2f)\n",
                kWidth, kHeight, ms, kGoalMs, static_cast<unsigned long long>(g_evaluations), reference,
                reference > 0 ? ms / reference : 0.0);
    return 0;
}
