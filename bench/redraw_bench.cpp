// A full redraw of a 1920 x 1080 picture, off screen and anti-aliased: the frame and the
// default explicit, polar and parametric examples plus a 21-member family of the explicit
// one. The reference draws the very same polylines from points computed beforehand, so the
// ratio shows what sampling the formulas adds to the drawing itself.
#include <benchmark/benchmark.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <vector>

#include "expr/engine.h"
#include "framework/automation.h"
#include "framework/bitmap.h"
#include "framework/dc.h"
#include "plot2d/curve_sampler.h"
#include "plot2d/example_kinds.h"
#include "plot2d/inventory.h"
#include "plotwin/dc_surface.h"
#include "plotwin/frame_drawer.h"
#include "plotwin/recording_surface.h"

using namespace curvelo;

namespace {

constexpr int kWidth = 1920, kHeight = 1080;

// Mean milliseconds per redraw of each benchmark, for the ratio printed at the end.
double g_fullMs = 0, g_referenceMs = 0, g_evaluationsPerSecond = 0;

double MeanMs(std::chrono::steady_clock::duration total, benchmark::IterationCount n) {
    return n ? std::chrono::duration<double, std::milli>(total).count() / static_cast<double>(n) : 0;
}

struct Scene {
    PlotView view;
    FrameSettings frame;
    FormulaEngine engine;
    ExampleInventory inventory;

    Scene() {
        view.SetClientSize(kWidth, kHeight);
        view.SetViewSquare(0, 0, 5);
        view.ApplyView();
        frame.axesShown = 1;
        frame.numberFlags = kNumbersX | kNumbersY;
        for (std::uint16_t kind : {kKindExplicit, kKindPolar, kKindParametric, kKindExplicit}) {
            long double lo = 0, hi = 0;
            DefaultRangeOf(kind, view.xmin, view.xmax, lo, hi);
            inventory.Commit(inventory.Begin(kind, lo, hi), engine);
        }
        TExample& family = inventory.At(3);
        family.familyActive = 1;
        family.familySteps = 20;  // 21 passes
        family.familyLow = -2;
        family.familyHigh = 2;
        family.texts[1] = "xsin(x)+a";
        inventory.Compile(3, engine);
    }

    std::uint64_t Draw(DrawSurface& surface) {
        FrameOutput out;
        DrawFrame(surface, frame, out);
        CurveSampler sampler(engine.letters, surface);
        sampler.silent = true;
        for (int i = 0; i < inventory.Count(); ++i) {
            CurveTrees trees;
            for (int t = 0; t < TExample::kTexts; ++t) trees.tree[t] = inventory.Slot(i).trees[static_cast<std::size_t>(t)];
            sampler.Draw(inventory.At(i), trees);
        }
        return sampler.Evaluations();
    }
};

void Prepare() {
    setenv("QT_QPA_PLATFORM", "offscreen", 0);
    fw::automation::EnsureApplication();
}

void FullRedraw(benchmark::State& state) {
    Prepare();
    Scene scene;
    fw::Bitmap bitmap(kWidth, kHeight);
    std::uint64_t evaluations = 0;
    const auto start = std::chrono::steady_clock::now();
    for (auto _ : state) {
        fw::DC dc(bitmap);
        dc.SetAntialias(true);
        dc.FillRect({0, 0, kWidth, kHeight}, {255, 255, 255});
        DcSurface surface(dc, scene.view);
        evaluations += scene.Draw(surface);
    }
    const auto elapsed = std::chrono::steady_clock::now() - start;
    g_fullMs = MeanMs(elapsed, state.iterations());
    g_evaluationsPerSecond = static_cast<double>(evaluations) / std::chrono::duration<double>(elapsed).count();
    state.counters["evaluations_per_s"] = benchmark::Counter(static_cast<double>(evaluations), benchmark::Counter::kIsRate);
}

void SamePolylinesPrecomputed(benchmark::State& state) {
    Prepare();
    Scene scene;
    RecordingSurface recorded(scene.view);
    scene.Draw(recorded);
    fw::Bitmap bitmap(kWidth, kHeight);
    const auto start = std::chrono::steady_clock::now();
    for (auto _ : state) {
        fw::DC dc(bitmap);
        dc.SetAntialias(true);
        dc.FillRect({0, 0, kWidth, kHeight}, {255, 255, 255});
        DcSurface surface(dc, scene.view);
        for (const DrawOp& op : recorded.Ops()) {
            if (op.kind == DrawOp::kPolyline) {
                surface.SetPen(op.pen, op.penWidth, op.style);
                surface.BeginPolyline();
                for (const WorldPoint& p : op.points) surface.PolylineTo(p);
                surface.EndPolyline();
            } else if (op.kind == DrawOp::kSegment) {
                surface.Segment(op.points[0], op.points[1]);
            } else if (op.kind == DrawOp::kLabel) {
                surface.Label(op.points[0], op.text, op.a, op.b, op.role);
            }
        }
    }
    g_referenceMs = MeanMs(std::chrono::steady_clock::now() - start, state.iterations());
}

BENCHMARK(FullRedraw)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(SamePolylinesPrecomputed)->Unit(benchmark::kMillisecond)->UseRealTime();

}  // namespace

int main(int argc, char** argv) {
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    if (g_fullMs > 0 && g_referenceMs > 0)
        std::printf("full redraw %.2f ms (goal < 16 ms), %.3g evaluations/s; drawing the same polylines "
                    "%.2f ms; ratio %.2f\n",
                    g_fullMs, g_evaluationsPerSecond, g_referenceMs, g_fullMs / g_referenceMs);
    return 0;
}
