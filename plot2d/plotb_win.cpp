#include "plot2d/plotb_win.h"

#include <algorithm>
#include <chrono>
#include <thread>

#include "framework/kit_services.h"
#include "plot2d/curve_sampler.h"
#include "plot2d/example_kinds.h"
#include "plot2d/example_limits.h"
#include "plot2d/object_drawer.h"

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
    sampler.silent = Printing() || Animating();
    sampler.hooks.pollKey = [this] { return Interrupt().Poll(); };
    // A watched family shows each pass, then pauses; Q ends the pause and the family.
    sampler.hooks.showPassAndWait = [this](int delayMs) {
        ShowDrawingSoFar();
        constexpr int kSliceMs = 20;
        const int slices = std::clamp(delayMs, 0, kMaxFamilyDelayMs) / kSliceMs;
        int key = 0;
        for (int i = 0; i < slices && key != kKeyStopDrawing; ++i) {
            std::this_thread::sleep_for(std::chrono::milliseconds(kSliceMs));
            key = Interrupt().Poll();
        }
        return key;
    };
    ObjectDrawer objects(Engine().letters, surface);
    objects.silent = sampler.silent;
    objects.hooks = sampler.hooks;
    objects.periodTolerance = Inventory().PeriodTolerance();
    // A Q from an earlier drawing must not stop this one, nor linger after it.
    LetterStore& letters = Engine().letters;
    ClearEvalCancel(letters);
    ExampleInventory& inventory = Inventory();
    bool complete = true;
    for (int i = 0; i < inventory.Count() && complete; ++i) {
        if (!DrawsExample(i)) continue;
        InventorySlot& slot = inventory.Slot(i);
        CurveTrees trees;
        for (int t = 0; t < TExample::kTexts; ++t) trees.tree[t] = slot.trees[static_cast<std::size_t>(t)];
        complete = sampler.Draw(slot.example, trees) != kKeyStopDrawing;
        if (complete && ObjectDrawer::Draws(slot.example)) {
            complete = objects.Draw(slot.example, trees, &slot.initialConditions) != kKeyStopDrawing;
            if (slot.example.kind == kKindSequence) slot.sequenceRuns = objects.SequenceRuns();
        }
    }
    ClearEvalCancel(letters);
    return complete;
}

}  // namespace curvelo
