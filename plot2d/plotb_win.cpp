#include "plot2d/plotb_win.h"

#include <algorithm>
#include <chrono>
#include <thread>

#include "framework/kit_services.h"
#include "plot2d/curve_sampler.h"
#include "plot2d/example_kinds.h"

namespace curvelo {

void TPlotBWin::ViewApplied() {
    TPlotAWin::ViewApplied();
    for (int i = 0; i < Inventory().Count(); ++i) FollowViewRange(Inventory().At(i), View());
}

void TPlotBWin::PaintContent(DrawSurface& surface) {
    TPlotAWin::PaintContent(surface);
    // A drawing stopped with Q leaves the status text in the title bar.
    if (!DrawExamples(surface)) UpdateTitle(this, false);
    DrawEquationLabels(surface);
}

void TPlotBWin::PaintMovingExamples(DrawSurface& surface) { DrawExamples(surface); }

bool TPlotBWin::DrawExamples(DrawSurface& surface) {
    CurveSampler sampler(Engine().letters, surface);
    // An animation reads the keys itself, between frames.
    sampler.silent = Printing() || DrawingInPaint() || Animating();
    sampler.hooks.pollKey = [this] { return PollKey(this); };
    // A watched family shows each pass, then pauses.
    sampler.hooks.showPassAndWait = [this](int delayMs) {
        ShowDrawingSoFar();
        std::this_thread::sleep_for(std::chrono::milliseconds(std::clamp(delayMs, 0, 10000)));
    };
    ExampleInventory& inventory = Inventory();
    for (int i = 0; i < inventory.Count(); ++i) {
        if (!DrawsExample(i)) continue;
        InventorySlot& slot = inventory.Slot(i);
        CurveTrees trees;
        for (int t = 0; t < TExample::kTexts; ++t) trees.tree[t] = slot.trees[static_cast<std::size_t>(t)];
        if (sampler.Draw(slot.example, trees) == kKeyStopDrawing) return false;
    }
    return true;
}

}  // namespace curvelo
