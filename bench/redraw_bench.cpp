// A full redraw, off screen and anti-aliased: the frame and the default explicit, polar and
// parametric examples plus a family of the explicit one, in three scenes. The reference
// draws the very same polylines from points computed beforehand, so the ratio shows what
// sampling the formulas adds to the drawing itself; a third row draws them with the
// painter's lines in place of the framework's own line drawer. Verdicts come from the median CPU time
// of the repetitions, which another process on the machine disturbs least.
#include <benchmark/benchmark.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include "bench/median_reporter.h"
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

struct SceneSize {
    int width, height, members;
    double goalMs;
};

constexpr SceneSize kScenes[] = {
    {1920, 1080, 21, 8.3},
    {3840, 2160, 21, 16.7},
    {1920, 1080, 101, 25.0},
};

struct Scene {
    PlotView view;
    FrameSettings frame;
    FormulaEngine engine;
    ExampleInventory inventory;

    explicit Scene(const SceneSize& size) {
        view.SetClientSize(size.width, size.height);
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
        family.familySteps = static_cast<std::int16_t>(size.members - 1);
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

// One frame; a function of its own so that a profiler can count a single redraw
// (valgrind --tool=callgrind --toggle-collect='*RedrawOnce*').
[[gnu::noinline]] std::uint64_t RedrawOnce(Scene& scene, fw::Bitmap& bitmap, const SceneSize& size) {
    fw::DC dc(bitmap);
    dc.SetAntialias(true);
    dc.FillRect({0, 0, size.width, size.height}, {255, 255, 255});
    DcSurface surface(dc, scene.view);
    return scene.Draw(surface);
}

void FullRedraw(benchmark::State& state, SceneSize size) {
    Prepare();
    Scene scene(size);
    fw::Bitmap bitmap(size.width, size.height);
    std::uint64_t evaluations = 0;
    for (auto _ : state) evaluations += RedrawOnce(scene, bitmap, size);
    state.counters["evaluations_per_s"] = benchmark::Counter(static_cast<double>(evaluations), benchmark::Counter::kIsRate);
}

// directLines off hands the thin lines to the painter instead of the framework's own line
// drawer, to compare the two.
void DrawRecorded(benchmark::State& state, SceneSize size, bool directLines) {
    Prepare();
    Scene scene(size);
    RecordingSurface recorded(scene.view);
    scene.Draw(recorded);
    fw::Bitmap bitmap(size.width, size.height);
    for (auto _ : state) {
        fw::DC dc(bitmap);
        dc.SetAntialias(true);
        dc.SetDirectLines(directLines);
        dc.FillRect({0, 0, size.width, size.height}, {255, 255, 255});
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
}

void SamePolylinesPrecomputed(benchmark::State& state, SceneSize size) { DrawRecorded(state, size, true); }
void SamePolylinesByPainter(benchmark::State& state, SceneSize size) { DrawRecorded(state, size, false); }

std::string SceneName(const SceneSize& s) {
    return std::to_string(s.width) + "x" + std::to_string(s.height) + "/members:" + std::to_string(s.members);
}

}  // namespace

int main(int argc, char** argv) {
    // --frames=N draws exactly N frames per run, for counting instructions (valgrind
    // --tool=callgrind --toggle-collect='*RedrawOnce*' counts N frames, the first with the
    // font set-up).
    std::vector<char*> given(argv, argv + 1);
    long frames = 0;
    for (int i = 1; i < argc; ++i) {
        if (std::strncmp(argv[i], "--frames=", 9) == 0) frames = std::strtol(argv[i] + 9, nullptr, 10);
        else given.push_back(argv[i]);
    }
    std::vector<char*> args = bench::WithDefaultRepetitions(static_cast<int>(given.size()), given.data(), "0.5");
    int count = static_cast<int>(args.size());
    benchmark::Initialize(&count, args.data());
    for (const SceneSize& size : kScenes) {
        const std::string name = SceneName(size);
        for (auto* b : {benchmark::RegisterBenchmark(("FullRedraw/" + name).c_str(), FullRedraw, size),
                        benchmark::RegisterBenchmark(("SamePolylinesPrecomputed/" + name).c_str(),
                                                     SamePolylinesPrecomputed, size),
                        benchmark::RegisterBenchmark(("SamePolylinesByPainter/" + name).c_str(),
                                                     SamePolylinesByPainter, size)}) {
            b->Unit(benchmark::kMillisecond);
            if (frames > 0) b->Iterations(frames);
        }
    }
    bench::MedianReporter reporter;
    benchmark::RunSpecifiedBenchmarks(&reporter);
    benchmark::Shutdown();
    std::printf("\nMedian CPU time per redraw:\n");
    for (const SceneSize& size : kScenes) {
        const std::string name = SceneName(size);
        const double full = reporter.MedianSeconds("FullRedraw/" + name) * 1e3;
        const double reference = reporter.MedianSeconds("SamePolylinesPrecomputed/" + name) * 1e3;
        if (full <= 0) continue;
        std::printf("  %-28s %7.2f ms (goal <= %.1f ms: %s)", name.c_str(), full, size.goalMs,
                    full <= size.goalMs ? "met" : "NOT met");
        const double painter = reporter.MedianSeconds("SamePolylinesByPainter/" + name) * 1e3;
        if (reference > 0)
            std::printf("; the same polylines precomputed %.2f ms, ratio %.2f", reference, full / reference);
        if (reference > 0 && painter > 0)
            std::printf("; their lines by the painter %.2f ms (own drawer %.2fx faster)", painter, painter / reference);
        std::printf(" [%d repetitions]\n", reporter.Repetitions("FullRedraw/" + name));
    }
    return 0;
}
