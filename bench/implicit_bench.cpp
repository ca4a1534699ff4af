// Implicit curves: re-tracing the remembered branches (a repaint) at 1920 x 1080, and the
// first search and trace of x^2 + y^2 = 13 and sin(x) + sin(y) = 0.5 in the default view.
// The reference draws the very same polylines from points computed beforehand, so the ratio
// shows what tracing adds to the drawing itself. Verdicts come from median CPU times.
#include <benchmark/benchmark.h>

#include <cstdio>
#include <cstdlib>
#include <string>

#include "bench/median_reporter.h"
#include "expr/engine.h"
#include "framework/automation.h"
#include "framework/bitmap.h"
#include "framework/dc.h"
#include "plot2d/example_kinds.h"
#include "plot2d/implicit_drawer.h"
#include "plot2d/inventory.h"
#include "plot2d/trace_options.h"
#include "plotwin/dc_surface.h"
#include "plotwin/recording_surface.h"

using namespace curvelo;

namespace {

const char* const kEquations[] = {"xx+yy=13", "sin(x)+sin(y)=0.5"};
constexpr double kRetraceGoalMs = 8.0, kSearchGoalMs = 100.0;

struct Scene {
    PlotView view;
    FormulaEngine engine;
    ExampleInventory inventory;
    fw::Bitmap bitmap;
    std::uint64_t evaluations = 0;

    Scene(const char* equation, int width, int height) {
        setenv("QT_QPA_PLATFORM", "offscreen", 0);
        fw::automation::EnsureApplication();
        view.SetClientSize(width, height);
        view.SetViewSquare(0, 0, 5);
        view.ApplyView();
        view.SeedRandom(1);
        const int i = inventory.Begin(kKindImplicit, 0, 1);
        inventory.At(i).texts[4] = equation;
        inventory.Commit(i, engine);
        RequestImplicitSearch(inventory.Slot(i));
        bitmap.Create(width, height);
    }

    // One frame into the bitmap, anti-aliased as the window draws.
    [[gnu::noinline]] void Frame() {
        fw::DC dc(bitmap);
        dc.SetAntialias(true);
        dc.FillRect({0, 0, view.W, view.H}, {255, 255, 255});
        DcSurface surface(dc, view);
        ImplicitDrawer drawer(engine.letters, surface, TraceOptions().Settings());
        drawer.silent = true;
        drawer.hooks.randomPoint = [this] { return view.RandomPointInView(); };
        drawer.Draw(inventory.Slot(0));
        evaluations += drawer.Evaluations();
    }
};

void Retrace(benchmark::State& state, const char* equation) {
    Scene scene(equation, 1920, 1080);
    scene.Frame();  // the search, once
    scene.evaluations = 0;
    for (auto _ : state) scene.Frame();
    state.counters["evals_per_frame"] = static_cast<double>(scene.evaluations) / static_cast<double>(state.iterations());
}

void SamePolylinesPrecomputed(benchmark::State& state, const char* equation) {
    Scene scene(equation, 1920, 1080);
    RecordingSurface recorded(scene.view);
    ImplicitDrawer drawer(scene.engine.letters, recorded, TraceOptions().Settings());
    drawer.silent = true;
    drawer.Draw(scene.inventory.Slot(0));
    for (auto _ : state) {
        fw::DC dc(scene.bitmap);
        dc.SetAntialias(true);
        dc.FillRect({0, 0, scene.view.W, scene.view.H}, {255, 255, 255});
        DcSurface surface(dc, scene.view);
        for (const DrawOp& op : recorded.Ops()) {
            surface.BeginPolyline();
            for (const WorldPoint& p : op.points) surface.PolylineTo(p);
            surface.EndPolyline();
        }
    }
}

void FirstSearch(benchmark::State& state, const char* equation) {
    Scene scene(equation, 800, 600);
    for (auto _ : state) {
        RequestImplicitSearch(scene.inventory.Slot(0));
        scene.Frame();
    }
    state.counters["evals_per_frame"] = static_cast<double>(scene.evaluations) / static_cast<double>(state.iterations());
    state.counters["branches"] = static_cast<double>(scene.inventory.Slot(0).initialConditions.size());
}

}  // namespace

int main(int argc, char** argv) {
    std::vector<char*> args = bench::WithDefaultRepetitions(argc, argv, "0.2");
    int count = static_cast<int>(args.size());
    benchmark::Initialize(&count, args.data());
    for (const char* eq : kEquations) {
        benchmark::RegisterBenchmark((std::string("Retrace1920x1080/") + eq).c_str(), Retrace, eq)->Unit(benchmark::kMillisecond);
        benchmark::RegisterBenchmark((std::string("SamePolylinesPrecomputed/") + eq).c_str(), SamePolylinesPrecomputed, eq)
            ->Unit(benchmark::kMillisecond);
        benchmark::RegisterBenchmark((std::string("FirstSearch800x600/") + eq).c_str(), FirstSearch, eq)->Unit(benchmark::kMillisecond);
    }
    bench::MedianReporter reporter;
    benchmark::RunSpecifiedBenchmarks(&reporter);
    benchmark::Shutdown();
    std::printf("\nMedian CPU time per frame:\n");
    for (const char* eq : kEquations) {
        const double retrace = reporter.MedianSeconds(std::string("Retrace1920x1080/") + eq) * 1e3;
        const double reference = reporter.MedianSeconds(std::string("SamePolylinesPrecomputed/") + eq) * 1e3;
        const double search = reporter.MedianSeconds(std::string("FirstSearch800x600/") + eq) * 1e3;
        std::printf("  %-20s re-trace %6.2f ms (goal <= %.0f ms: %s; polylines alone %.2f ms, ratio %.2f)\n", eq, retrace,
                    kRetraceGoalMs, retrace <= kRetraceGoalMs ? "met" : "NOT met", reference,
                    reference > 0 ? retrace / reference : 0.0);
        std::printf("  %-20s first search and trace %6.2f ms (goal <= %.0f ms: %s)\n", eq, search, kSearchGoalMs,
                    search <= kSearchGoalMs ? "met" : "NOT met");
    }
    std::printf("(evaluations per frame: the evals_per_frame counters above)\n");
    return 0;
}
