// Surface drawing at 1920x1080, off screen and anti-aliased: the painter's redraw of a
// surface of nearly 3000 vertices (what turning the view costs per frame), filled straight
// into the image and, for comparison, as polygons through the drawing interface; the hidden-line
// drawing of the default explicit surface and the slow drawing of the default sphere with
// parametric shading. The reference is the 2D redraw of the same size (frame and the
// default explicit curve), for scale. Verdicts use median CPU times.
#include <benchmark/benchmark.h>

#include <cstdio>
#include <cstdlib>

#include "bench/median_reporter.h"
#include "expr/engine.h"
#include "framework/automation.h"
#include "framework/bitmap.h"
#include "framework/dc.h"
#include "plot2d/curve_sampler.h"
#include "plot2d/example_kinds.h"
#include "plot3d/surface_kinds.h"
#include "plot3d/surface_mesh.h"
#include "plot3d/surface_scene.h"
#include "plot3d/surface_trees.h"
#include "plotwin/dc_surface.h"
#include "plotwin/frame_drawer.h"

using namespace curvelo;

namespace {

constexpr int kWidth = 1920, kHeight = 1080;

struct SurfaceSceneSetup {
    PlotView plane;
    View3D view;
    FormulaEngine engine;
    ExampleInventory inventory;
    SurfaceScene scene;

    SurfaceSceneSetup(std::uint16_t kind, bool slow, int n1, int n2, bool parametricShading) {
        plane.SetClientSize(kWidth, kHeight);
        plane.ApplyView();
        inventory.SetKindCompiler(&CompileSurface);
        const int i = inventory.Begin(kind, 0, 1);
        TExample& e = inventory.At(i);
        e = NewSurfaceExample(kind, 4, 5);
        e.ints111[0] = static_cast<std::uint16_t>(n1);
        e.ints111[1] = static_cast<std::uint16_t>(n2);
        surf::Slow(e) = slow ? 1 : 0;
        surf::Shaded(e) = 1;
        surf::Colour2(e) = 11;
        inventory.Commit(i, engine);
        ComputeAllMeshes(inventory, engine);
        const TExample& s = inventory.At(0);
        const Box3 box{{s.values161[0], s.values161[1], s.values161[2]}, {s.values191[0], s.values191[1], s.values191[2]}};
        view.SetCellFromBoxes({&box, 1});
        view.parametricShading = parametricShading;
        view.FitViewToCell(plane, false);
    }

    int Draw(fw::Bitmap& bitmap, bool direct) {
        fw::DC dc(bitmap);
        dc.SetAntialias(true);
        dc.FillRect({0, 0, kWidth, kHeight}, {255, 255, 255});
        DcSurface surface(dc, plane);
        surface.SetDirectRaster(direct);
        return scene.DrawExamples(surface, inventory, engine, view, SceneOutput{});
    }
};

void Prepare() {
    setenv("QT_QPA_PLATFORM", "offscreen", 0);
    fw::automation::EnsureApplication();
}

void Run(benchmark::State& state, std::uint16_t kind, bool slow, int n1, int n2, bool shading, bool direct = true) {
    Prepare();
    SurfaceSceneSetup setup(kind, slow, n1, n2, shading);
    fw::Bitmap bitmap(kWidth, kHeight);
    for (auto _ : state) benchmark::DoNotOptimize(setup.Draw(bitmap, direct));
    state.counters["quads"] = setup.scene.Painter().QuadsDrawn();
}

void PainterRedraw2970Vertices(benchmark::State& state) { Run(state, kKindSurfaceExplicit, false, 53, 54, false); }
void PainterRedraw2970VerticesPolygons(benchmark::State& state) {
    Run(state, kKindSurfaceExplicit, false, 53, 54, false, false);
}
void HiddenLineDefaultExplicit(benchmark::State& state) { Run(state, kKindSurfaceExplicit, true, 36, 36, false); }
void SlowSphereParametricShading(benchmark::State& state) { Run(state, kKindSurfaceParametric, true, 36, 36, true); }

// The 2D window's redraw of the same size: frame and the default explicit curve.
void Redraw2DReference(benchmark::State& state) {
    Prepare();
    PlotView view;
    view.SetClientSize(kWidth, kHeight);
    view.SetViewSquare(0, 0, 5);
    view.ApplyView();
    FrameSettings frame;
    frame.axesShown = 1;
    frame.numberFlags = kNumbersX | kNumbersY;
    FormulaEngine engine;
    ExampleInventory inventory;
    inventory.Commit(inventory.Begin(kKindExplicit, view.xmin, view.xmax), engine);
    fw::Bitmap bitmap(kWidth, kHeight);
    for (auto _ : state) {
        fw::DC dc(bitmap);
        dc.SetAntialias(true);
        dc.FillRect({0, 0, kWidth, kHeight}, {255, 255, 255});
        DcSurface surface(dc, view);
        FrameOutput out;
        DrawFrame(surface, frame, out);
        CurveSampler sampler(engine.letters, surface);
        sampler.silent = true;
        CurveTrees trees;
        for (int t = 0; t < TExample::kTexts; ++t) trees.tree[t] = inventory.Slot(0).trees[static_cast<std::size_t>(t)];
        sampler.Draw(inventory.At(0), trees);
    }
}

}  // namespace

int main(int argc, char** argv) {
    std::vector<char*> args = bench::WithDefaultRepetitions(argc, argv, "0.2s");
    int count = static_cast<int>(args.size());
    benchmark::Initialize(&count, args.data());
    struct Goal {
        const char* name;
        void (*fn)(benchmark::State&);
        double goalMs;
    };
    const Goal goals[] = {{"PainterRedraw2970Vertices", PainterRedraw2970Vertices, 8},
                          {"PainterRedraw2970VerticesPolygons", PainterRedraw2970VerticesPolygons, 0},
                          {"HiddenLineDefaultExplicit", HiddenLineDefaultExplicit, 200},
                          {"SlowSphereParametricShading", SlowSphereParametricShading, 2000},
                          {"Redraw2DReference", Redraw2DReference, 0}};
    for (const Goal& g : goals) benchmark::RegisterBenchmark(g.name, g.fn)->Unit(benchmark::kMillisecond);
    bench::MedianReporter reporter;
    benchmark::RunSpecifiedBenchmarks(&reporter);
    benchmark::Shutdown();
    const double reference = reporter.MedianSeconds("Redraw2DReference") * 1000;
    std::printf("\nMedian CPU time per drawing at %dx%d (2D redraw of the same size %.2f ms):\n", kWidth, kHeight, reference);
    for (const Goal& g : goals) {
        if (g.goalMs == 0) continue;
        const double ms = reporter.MedianSeconds(g.name) * 1000;
        if (ms == 0) continue;
        std::printf("  %-34s %9.2f ms (goal <= %.0f ms: %s), ratio to the 2D redraw %.2f\n", g.name, ms, g.goalMs,
                    ms <= g.goalMs ? "met" : "NOT met", reference > 0 ? ms / reference : 0.0);
    }
    const double direct = reporter.MedianSeconds("PainterRedraw2970Vertices");
    const double polygons = reporter.MedianSeconds("PainterRedraw2970VerticesPolygons");
    if (direct > 0 && polygons > 0)
        std::printf("  the same redraw as polygons through the drawing interface %.2f ms; filled into the image / "
                    "as polygons %.3f\n", polygons * 1000, direct / polygons);
    return 0;
}
