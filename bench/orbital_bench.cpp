// The many-body simulation: computations per second for eleven bodies in extended
// precision, against the same step written with plain doubles; and drawn steps per second
// of a default three-body run drawn into a window-sized bitmap, against drawing the same
// segments computed beforehand. The drawing keeps up with the display when it does at
// least 60 drawn steps a second.
#include <benchmark/benchmark.h>

#include <array>
#include <cmath>
#include <cstdio>
#include <vector>

#include "bench/median_reporter.h"
#include "framework/automation.h"
#include "framework/bitmap.h"
#include "framework/dc.h"
#include "plotwin/dc_surface.h"
#include "plotwin/recording_surface.h"
#include "special/orbital_run.h"

using namespace curvelo;

namespace {

constexpr int kBodies = 11;
constexpr int kComputations = 10000;

OrbitalSystem ElevenBodies() {
    OrbitalSystem s;
    for (int i = 0; i < kBodies; ++i) {
        const long double a = 2 * 3.14159265358979L * i / kBodies;
        OrbitalBody b;
        b.position = {3 * std::cos(a), 3 * std::sin(a), 0.1L * i};
        b.velocity = {std::to_string(-0.4 * std::sin(static_cast<double>(a))),
                      std::to_string(0.4 * std::cos(static_cast<double>(a))), "0"};
        s.entries.push_back(b);
    }
    s.entries.emplace_back();
    UpdateCentreRecord(s, NumberFormat{});
    return s;
}

void ElevenBodiesExtended(benchmark::State& state) {
    const OrbitalSystem s = ElevenBodies();
    OrbitalSimulation sim;
    sim.Reset(s);
    for (auto _ : state) {
        sim.Interval(kComputations, 0.00002L);
        benchmark::DoNotOptimize(sim.Position(0));
    }
    state.counters["computations_per_s"] =
        benchmark::Counter(static_cast<double>(state.iterations()) * kComputations, benchmark::Counter::kIsRate);
}

// The same computation in doubles, written directly: what the arithmetic costs natively.
void ElevenBodiesNativeDouble(benchmark::State& state) {
    const OrbitalSystem s = ElevenBodies();
    std::array<std::array<double, 3>, kBodies> p{}, v{}, d{};
    std::array<double, kBodies> m{};
    std::array<std::array<double, kBodies>, kBodies> c{};
    for (int i = 0; i < kBodies; ++i) {
        const OrbitalBody& b = s.entries[static_cast<std::size_t>(i)];
        const Vec3 vi = InitialVelocity(b);
        p[i] = {double(b.position.x), double(b.position.y), double(b.position.z)};
        v[i] = {double(vi.x), double(vi.y), double(vi.z)};
        m[i] = double(b.mass);
    }
    const double h = 0.00002, g = 1;
    for (auto _ : state) {
        for (int k = 0; k < kComputations; ++k) {
            for (int i = 0; i < kBodies; ++i)
                for (int j = i + 1; j < kBodies; ++j) {
                    const double dx = p[j][0] - p[i][0], dy = p[j][1] - p[i][1], dz = p[j][2] - p[i][2];
                    const double r = std::sqrt(dx * dx + dy * dy + dz * dz);
                    if (r >= 0.001) c[i][j] = c[j][i] = g / (r * r * r);
                }
            for (int i = 0; i < kBodies; ++i) d[i] = {h * v[i][0], h * v[i][1], h * v[i][2]};
            for (int i = 0; i < kBodies; ++i) {
                double a[3] = {0, 0, 0};
                for (int j = 0; j < kBodies; ++j) {
                    if (j == i) continue;
                    for (int x = 0; x < 3; ++x) a[x] += m[j] * c[i][j] * (p[j][x] - p[i][x]);
                }
                for (int x = 0; x < 3; ++x) v[i][x] += h * a[x];
            }
            for (int i = 0; i < kBodies; ++i)
                for (int x = 0; x < 3; ++x) p[i][x] += d[i][x];
        }
        benchmark::DoNotOptimize(p);
    }
    state.counters["computations_per_s"] =
        benchmark::Counter(static_cast<double>(state.iterations()) * kComputations, benchmark::Counter::kIsRate);
}

constexpr int kDrawnSteps = 200;

// A default random three-body system (K = 100) for kDrawnSteps drawn steps.
OrbitalSystem DefaultRun() {
    RandomInts random(12);
    OrbitalSystem s = RandomOrbitalSystem(random, NumberFormat{});
    s.positions = kDrawnSteps;
    s.stopAtBorder = false;
    return s;
}

PlotView WindowView() {
    PlotView v;
    v.SetClientSize(1280, 1024);
    v.SetViewSquare(0, 0, 5);
    v.ApplyView();
    return v;
}

void DefaultRunDrawn(benchmark::State& state) {
    const OrbitalSystem s = DefaultRun();
    const PlotView view = WindowView();
    fw::Bitmap bitmap(1280, 1024);
    OrbitalSimulation sim;
    for (auto _ : state) {
        fw::DC dc(bitmap);
        DcSurface surface(dc, view);
        RunOrbitalSystem(s, sim, surface, {}, {});
    }
    state.counters["drawn_steps_per_s"] =
        benchmark::Counter(static_cast<double>(state.iterations()) * kDrawnSteps, benchmark::Counter::kIsRate);
}

void SameSegmentsPrecomputed(benchmark::State& state) {
    const OrbitalSystem s = DefaultRun();
    const PlotView view = WindowView();
    RecordingSurface recorded(view);
    OrbitalSimulation sim;
    RunOrbitalSystem(s, sim, recorded, {}, {});
    fw::Bitmap bitmap(1280, 1024);
    for (auto _ : state) {
        fw::DC dc(bitmap);
        DcSurface surface(dc, view);
        for (const DrawOp& op : recorded.Ops()) {
            surface.SetPen(op.pen, op.penWidth, op.style);
            if (op.kind == DrawOp::kSegment) surface.Segment(op.points[0], op.points[1]);
            else if (op.kind == DrawOp::kDot) surface.Dot(op.points[0], op.radius);
            else if (op.kind == DrawOp::kPolygon) surface.FilledPolygon(op.points.data(), static_cast<int>(op.points.size()));
        }
    }
    state.counters["drawn_steps_per_s"] =
        benchmark::Counter(static_cast<double>(state.iterations()) * kDrawnSteps, benchmark::Counter::kIsRate);
}

}  // namespace

int main(int argc, char** argv) {
    fw::automation::EnsureApplication();
    std::vector<char*> args = bench::WithDefaultRepetitions(argc, argv, "0.2s");
    int count = static_cast<int>(args.size());
    benchmark::Initialize(&count, args.data());
    benchmark::RegisterBenchmark("ElevenBodiesExtended", ElevenBodiesExtended)->Unit(benchmark::kMillisecond);
    benchmark::RegisterBenchmark("ElevenBodiesNativeDouble", ElevenBodiesNativeDouble)->Unit(benchmark::kMillisecond);
    benchmark::RegisterBenchmark("DefaultRunDrawn", DefaultRunDrawn)->Unit(benchmark::kMillisecond);
    benchmark::RegisterBenchmark("SameSegmentsPrecomputed", SameSegmentsPrecomputed)->Unit(benchmark::kMillisecond);
    bench::MedianReporter reporter;
    benchmark::RunSpecifiedBenchmarks(&reporter);
    benchmark::Shutdown();
    const double ext = reporter.MedianSeconds("ElevenBodiesExtended");
    const double native = reporter.MedianSeconds("ElevenBodiesNativeDouble");
    const double drawn = reporter.MedianSeconds("DefaultRunDrawn");
    const double segments = reporter.MedianSeconds("SameSegmentsPrecomputed");
    std::printf("\nMedians:\n");
    if (ext > 0)
        std::printf("  11 bodies: %.0f computations/s in extended precision", kComputations / ext);
    if (ext > 0 && native > 0) std::printf("; native double %.0f/s, ratio %.2f", kComputations / native, ext / native);
    std::printf("\n");
    if (drawn > 0) {
        const double rate = kDrawnSteps / drawn;
        std::printf("  default three-body run: %.0f drawn steps/s (goal >= 60: %s)", rate, rate >= 60 ? "met" : "NOT met");
        if (segments > 0) std::printf("; the same segments precomputed %.0f/s, ratio %.2f", kDrawnSteps / segments, drawn / segments);
        std::printf("\n");
    }
    return 0;
}
