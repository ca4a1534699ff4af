#include "plot2d/plotb_win.h"

#include <algorithm>
#include <chrono>
#include <thread>

#include "framework/kit_services.h"
#include "plot2d/curve_sampler.h"
#include "plot2d/example_kinds.h"
#include "plot2d/example_limits.h"
#include "plot2d/ivp_form.h"
#include "plot2d/ode_drawer.h"

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
    sampler.hooks.showPassAndWait = [this](int delayMs) { return ShowAndWait(delayMs); };
    OdeDrawer ode(Engine().letters, surface);
    ode.silent = sampler.silent;
    ode.suddenAngle = SuddenAngleStops();
    ode.hooks.pollKey = sampler.hooks.pollKey;
    ode.hooks.showAndWait = [this](int delayMs) { return ShowAndWait(delayMs); };
    // Observing is asked for one drawing only, and never while printing.
    const Observed observed = observed_;
    observed_ = {};
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
        if (IsOdeKind(slot.example.kind)) {
            for (TInitialCondition& c : slot.conditions) UpdateFromTexts(slot.example.kind, Engine(), c);
            ode.observedCondition = observed.example == i && !Printing() ? observed.condition : -1;
            ode.observeDelayMs = observed.delayMs;
            complete = ode.Draw(slot.example, slot.conditions, trees) != kKeyStopDrawing;
            continue;
        }
        complete = sampler.Draw(slot.example, trees) != kKeyStopDrawing;
    }
    ClearEvalCancel(letters);
    return complete;
}

void TPlotBWin::ObserveCondition(int example, int condition, int delayMs) {
    observed_ = {example, condition, std::clamp(delayMs, 0, kMaxObserveDelayMs)};
}

int TPlotBWin::ShowAndWait(int delayMs) {
    ShowDrawingSoFar();
    constexpr int kSliceMs = 20;
    const int ms = std::clamp(delayMs, 0, std::max(kMaxFamilyDelayMs, kMaxObserveDelayMs));
    // A short pause still sleeps once, so observing stays visible.
    const int slices = ms > 0 ? std::max(1, ms / kSliceMs) : 0;
    const int slice = slices > 0 ? std::min(kSliceMs, ms) : 0;
    int key = Interrupt().Poll();
    for (int i = 0; i < slices && key != kKeyStopDrawing; ++i) {
        std::this_thread::sleep_for(std::chrono::milliseconds(slice));
        key = Interrupt().Poll();
    }
    return key;
}

}  // namespace curvelo
