#include "plot2d/plotb_win.h"

#include <algorithm>
#include <chrono>
#include <thread>

#include "framework/command_enabler.h"
#include "framework/kit_inp_dlg.h"
#include "framework/kit_services.h"
#include "plot2d/curve_sampler.h"
#include "plot2d/implicit_drawer.h"
#include "resources/resources.h"
#include "plot2d/example_kinds.h"
#include "plot2d/example_limits.h"
#include "plot2d/ivp_form.h"
#include "plot2d/ode_drawer.h"
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
    sampler.hooks.showPassAndWait = [this](int delayMs) { return ShowAndWait(delayMs); };
    OdeDrawer ode(Engine().letters, surface, Tracing().Settings());
    ode.silent = sampler.silent;
    ode.suddenAngle = Tracing().suddenAngles;
    ode.hooks.pollKey = sampler.hooks.pollKey;
    ode.hooks.showAndWait = [this](int delayMs) { return ShowAndWait(delayMs); };
    // Observing is asked for one drawing only, and never while printing.
    const Observed observed = observed_;
    observed_ = {};
    ImplicitDrawer implicit(Engine().letters, surface, Tracing().Settings());
    implicit.silent = sampler.silent;
    implicit.observeAllowed = !Printing();
    implicit.hooks.pollKey = sampler.hooks.pollKey;
    implicit.hooks.showPassAndWait = sampler.hooks.showPassAndWait;
    implicit.hooks.showSoFar = [this] { ShowDrawingSoFar(); };
    implicit.hooks.randomPoint = [this] { return View().RandomPointInView(); };
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
        if (IsOdeKind(slot.example.kind)) {
            // Conditions kept as texts follow the letters; the node keeps the values drawn.
            std::vector<TInitialCondition> conditions = LoadConditions(slot.initialConditions);
            for (TInitialCondition& c : conditions) UpdateFromTexts(slot.example.kind, Engine(), c);
            slot.initialConditions = StoreConditions(conditions);
            ode.observedCondition = observed.example == i && !Printing() ? observed.condition : -1;
            ode.observeDelayMs = observed.delayMs;
            complete = ode.Draw(slot.example, conditions, trees) != kKeyStopDrawing;
            continue;
        }
        if (slot.example.kind == kKindImplicit) {
            // A long search goes on until Q: the title bar says so meanwhile.
            const bool asking = !implicit.silent && slot.example.longSearch && slot.example.visible;
            if (asking) ShowStatus(this, 1);
            complete = implicit.Draw(slot) != kKeyStopDrawing;
            if (asking) UpdateTitle(this, false);
            continue;
        }
        complete = sampler.Draw(slot.example, trees) != kKeyStopDrawing;
        if (complete && ObjectDrawer::Draws(slot.example)) {
            complete = objects.Draw(slot.example, trees, &slot.initialConditions) != kKeyStopDrawing;
            if (slot.example.kind == kKindSequence) slot.sequenceRuns = objects.SequenceRuns();
        }
    }
    ClearEvalCancel(letters);
    return complete;
}

void TPlotBWin::ObserveCondition(int example, int condition, int delayMs) {
    observed_ = {example, condition, std::clamp(delayMs, 0, kMaxObserveDelayMs)};
}

void TPlotBWin::AskTolerance(int command) {
    TraceOptions& t = Tracing();
    long double* value = command == tracecmd::kNullVectors ? &t.nullVectorPixels
                         : command == tracecmd::kLoops     ? &t.loopPixels
                                                           : &t.flatnessPixels;
    const int prompt = command == tracecmd::kNullVectors ? 125 : command == tracecmd::kLoops ? 127 : 129;
    std::string text = Format().FormatForField(*value);
    TInpDlg dialog(this, std::string(res::String(5)), std::string(res::String(prompt)), &text, 40);
    if (dialog.Execute() != fw::kIdOk) return;
    long double typed = 0;
    if (!Evaluator()(text, &typed) || !AcceptTolerance(typed)) {
        ShowMessage(this, 17);  // "túl a határokon"
        return;
    }
    *value = typed;
    SetModified(true);
    RepaintAll();
}

bool TPlotBWin::EvCommand(int id) {
    switch (id) {
    case tracecmd::kNullVectors:
    case tracecmd::kLoops:
    case tracecmd::kFlatness: AskTolerance(id); return true;
    case tracecmd::kSuddenAngles:
        Tracing().suddenAngles = !Tracing().suddenAngles;
        SetModified(true);
        RepaintAll();
        return true;
    default: return TPlotAWin::EvCommand(id);
    }
}

bool TPlotBWin::EvCommandEnable(int id, fw::TCommandEnabler& ce) {
    if (id != tracecmd::kSuddenAngles) return TPlotAWin::EvCommandEnable(id, ce);
    ce.SetCheck(Tracing().suddenAngles);
    return true;
}

}  // namespace curvelo
