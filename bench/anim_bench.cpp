// Live animation of the letter a at 1920 x 1080: each gallery document with y = a*sin(x)+x/a
// added to its own curves, run through the window's own animation loop for a fixed number
// of frames, each frame timed. The reference is the bare copy of the same picture (a repaint
// without a change), so the ratio shows what recomputing adds.
#include <benchmark/benchmark.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <map>
#include <string>
#include <vector>

#include "expr/letter_params.h"
#include "framework/automation.h"
#include "plot2d/example_kinds.h"
#include "plot2d/plot2_win.h"

using namespace curvelo;

namespace {

constexpr int kWidth = 1920, kHeight = 1080;
constexpr int kLetterA = 1;

struct Figures {
    double medianFps = 0, slowestFps = 0, copyMs = 0;
};
std::map<std::string, Figures> g_figures;

double Ms(std::chrono::steady_clock::duration d) { return std::chrono::duration<double, std::milli>(d).count(); }

double Median(std::vector<double> v) {
    if (v.empty()) return 0;
    std::sort(v.begin(), v.end());
    return v[v.size() / 2];
}

// A shown window whose client area is 1920 x 1080, with the document and the animated curve.
bool OpenScene(TPlot2Win& w, const std::string& path) {
    if (!w.Create()) return false;
    w.Show();
    // A document brings its own window placement: the size is set after reading it.
    if (!path.empty() && w.OpenDocument(path) != 0) return false;
    w.MoveWindow({0, 0, kWidth, kHeight});
    fw::automation::ProcessEvents();
    const fw::Size c = w.GetClientSize();
    w.MoveWindow({0, 0, 2 * kWidth - c.cx, 2 * kHeight - c.cy});
    fw::automation::ProcessEvents();
    const fw::Size client = w.GetClientSize();
    if (client.cx != kWidth || client.cy != kHeight) return false;
    ExampleInventory& inv = w.Inventory();
    const int i = inv.Begin(kKindExplicit, w.View().xmin, w.View().xmax);
    if (i < 0) return false;
    inv.At(i).texts[1] = "a*sin(x)+x/a";
    inv.Commit(i, w.Engine());
    LetterStore& s = w.Engine().letters;
    s.LetterLow[kLetterA] = {0.5L, 0};
    s.LetterHigh[kLetterA] = {3, 0};
    SetLetter(s, kLetterA, 1);
    return true;
}

constexpr int kFrames = 150;

// The 2D window with its animation keys given by the clock of frames: Q after kFrames.
class TTimedWin : public TPlot2Win {
public:
    using TPlot2Win::TPlot2Win;
    std::vector<double> frameMs;

protected:
    int NextKey() override { return frameMs.size() >= kFrames ? 'Q' : 0; }
    void DrawAnimationFrame() override {
        const auto start = std::chrono::steady_clock::now();
        TPlot2Win::DrawAnimationFrame();
        frameMs.push_back(Ms(std::chrono::steady_clock::now() - start));
    }
};

void AnimateDocument(benchmark::State& state, const std::string& path, const std::string& name) {
    setenv("QT_QPA_PLATFORM", "offscreen", 0);
    fw::automation::EnsureApplication();
    TTimedWin w(nullptr, "anim.cv2");
    if (!OpenScene(w, path)) {
        state.SkipWithError("the document could not be opened");
        return;
    }
    for (auto _ : state) w.Animate(nullptr, kLetterA, AnimMode::Bounce, false, 0);
    const std::vector<double>& frameMs = w.frameMs;
    // The reference: the same picture copied again without a change.
    std::vector<double> copyMs;
    for (int i = 0; i < 30; ++i) {
        const auto start = std::chrono::steady_clock::now();
        w.Invalidate(false);
        w.UpdateWindow();
        copyMs.push_back(Ms(std::chrono::steady_clock::now() - start));
    }
    Figures f;
    f.medianFps = 1000.0 / std::max(1e-6, Median(frameMs));
    f.slowestFps = 1000.0 / std::max(1e-6, *std::max_element(frameMs.begin(), frameMs.end()));
    f.copyMs = Median(copyMs);
    g_figures[name] = f;
    state.counters["fps_median"] = f.medianFps;
    state.counters["fps_slowest"] = f.slowestFps;
}

}  // namespace

int main(int argc, char** argv) {
    std::vector<std::pair<std::string, std::string>> scenes{{"empty", ""}};
    const std::filesystem::path dir = CURVELO_EXAMPLES_DIR;
    std::error_code ec;
    for (const auto& e : std::filesystem::directory_iterator(dir, ec))
        if (e.path().extension() == ".cv2") scenes.push_back({e.path().stem().string(), e.path().string()});
    std::sort(scenes.begin() + 1, scenes.end());
    for (const auto& [name, path] : scenes)
        benchmark::RegisterBenchmark(("AnimateA/" + name).c_str(),
                                     [path = path, name = name](benchmark::State& s) { AnimateDocument(s, path, name); })
            ->Iterations(1)
            ->Unit(benchmark::kMillisecond)
            ->UseRealTime();
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    double worst = 1e9;
    for (const auto& [name, f] : g_figures) {
        std::printf("%-16s median %6.1f frames/s, slowest frame %6.1f frames/s, bare copy %.2f ms, ratio %.1f\n",
                    name.c_str(), f.medianFps, f.slowestFps, f.copyMs, 1000.0 / f.medianFps / std::max(1e-6, f.copyMs));
        worst = std::min(worst, f.medianFps);
    }
    if (!g_figures.empty()) std::printf("lowest median %.1f frames/s (goal: 60, never below 30)\n", worst);
    return 0;
}
