#include "plot2d/plote_win.h"

#include "expr/differentiate.h"
#include "expr/node_kinds.h"
#include "expr/tree_text.h"
#include "framework/kit_services.h"
#include "plot2d/equation_form.h"
#include "plot2d/example_kinds.h"
#include "plot2d/family_dlg.h"
#include "plot2d/implicit_drawer.h"
#include "plot2d/iteration_dlg.h"
#include "plot2d/object_form.h"
#include "plot2d/web_diagram.h"

namespace curvelo {

bool TPlotEWin::CanDerive(int index) const {
    const std::uint16_t kind = IsSlot(index) ? Inventory().Slot(index).example.kind : 0;
    return HasEquationForm(kind) && kind != kKindImplicit;
}

int TPlotEWin::DeriveExample(int index) {
    if (!CanDerive(index) || !Authorised(Lock().protectInventory) || !HasRoomOrSays()) return -1;
    ExampleInventory& inventory = Inventory();
    const InventorySlot& source = inventory.Slot(index);
    const TExample& e = source.example;
    // Which texts the derivative replaces, and with respect to which letter.
    std::vector<int> texts = TextsUsedBy(e.kind);
    const std::uint16_t variable = e.kind == kKindExplicit ? nk::X : nk::T;
    std::array<std::string, TExample::kTexts> derived;
    for (int t : texts) {
        const auto i = static_cast<std::size_t>(t);
        ExprNode* d = Differentiate(Engine(), source.trees[i], variable);
        const bool written = TreeToText(d, derived[i]) && derived[i].size() <= TExample::kTextCapacity;
        FreeTree(d);
        if (!written) {
            ShowMessage(this, 9);  // "nem tudom folytatni": the derivative has no short written form
            return -1;
        }
    }
    const int copy = inventory.Duplicate(index, Engine());
    if (copy < 0) return -1;
    InventorySlot& slot = inventory.Slot(copy);
    for (int t : texts) slot.example.texts[static_cast<std::size_t>(t)] = derived[static_cast<std::size_t>(t)];
    slot.example.periodic = 0;
    // The derivative of an interpolation polynomial is an ordinary curve, not made from nodes.
    slot.example.interpolation = 0;
    slot.example.reserved36[0] = 0;
    slot.example.penColour = DefaultCurveColour(inventory.CreationCounter(), inventory.BlackGraphs());
    inventory.SetCreationCounter(inventory.CreationCounter() + 1);
    // The list shows the derivative by the formula it came from, as "(xsin(x))'".
    const InventorySlot& from = inventory.Slot(index);
    const std::string base =
        from.name.empty() ? "(" + from.example.texts[static_cast<std::size_t>(texts.front())] + ")" : from.name;
    slot.name = base.size() + 1 <= kExampleNameLength ? base + "'" : base.substr(0, kExampleNameLength - 2) + "~'";
    inventory.Compile(copy, Engine());
    inventory.Select(copy);
    ExamplesChanged();
    return copy;
}

template <class Dialog>
bool TPlotEWin::EditWithDialog(int index) {
    if (!Authorised(Lock().protectInventory)) return false;
    Dialog dialog(this, Inventory().At(index), Engine(), Format());
    if (dialog.Execute() != 1) return false;
    ExamplesChanged();
    return true;
}

bool TPlotEWin::CanHaveFamily(int index) const {
    if (!IsSlot(index)) return false;
    const TExample& e = Inventory().Slot(index).example;
    if (HasEquationForm(e.kind)) return true;
    // A point sequence has no formula that a letter could move.
    return HasObjectForm(e) && e.kind != kKindPointSequence;
}

bool TPlotEWin::EditFamily(int index) {
    if (!CanHaveFamily(index)) return false;
    if (!EditWithDialog<TFamilyDlg>(index)) return false;
    RequestImplicitSearch(Inventory().Slot(index));
    RepaintAll();
    return true;
}

bool TPlotEWin::CanIterate(int index) const {
    return IsSlot(index) && Inventory().Slot(index).example.kind == kKindExplicit;
}

bool TPlotEWin::EditIteration(int index) {
    return CanIterate(index) && EditWithDialog<TIterationDlg>(index);
}

void TPlotEWin::PaintContent(DrawSurface& surface) {
    TPlotCWin::PaintContent(surface);
    DrawWebDiagrams(surface);
}

void TPlotEWin::PaintMovingExamples(DrawSurface& surface) {
    TPlotCWin::PaintMovingExamples(surface);
    DrawWebDiagrams(surface);
}

void TPlotEWin::DrawWebDiagrams(DrawSurface& surface) {
    const FrameOutput out = CurrentOutput();
    ExampleInventory& inventory = Inventory();
    for (int i = 0; i < inventory.Count(); ++i) {
        InventorySlot& slot = inventory.Slot(i);
        const TExample& e = slot.example;
        if (e.kind != kKindExplicit || !e.visible || !IterationActive(e) || !DrawsExample(i)) continue;
        const std::vector<WorldPoint> path =
            WebDiagramPath(Engine().letters, slot.trees[1], IterationStart(e), IterationSteps(e));
        DrawWebDiagram(surface, path, ColourForOutput(e.penColour, out.colourOutput), e.penWidth);
    }
}

}  // namespace curvelo

namespace curvelo {

bool TPlotEWin::EvCommand(int id) {
    if (id != kCmdSurfaceOfRevolution) return TPlotCWin::EvCommand(id);
    TurnSelectedCurve();
    return true;
}

bool TPlotEWin::EvCommandEnable(int id, fw::TCommandEnabler& ce) {
    if (id != kCmdSurfaceOfRevolution) return TPlotCWin::EvCommandEnable(id, ce);
    ce.Enable(CanDerive(Inventory().Selected()));
    return true;
}

void TPlotEWin::TurnSelectedCurve() {
    const int index = Inventory().Selected();
    if (!CanDerive(index)) {
        ShowMessage(this, 15);  // "válassz!"
        return;
    }
    const TExample curve = Inventory().At(index);
    // The 3D window opened last takes it; without one, the launcher opens a new 3D window.
    auto giveToLast = [&] {
        const std::vector<TFuncWin*> windows = OpenWindows();
        for (auto it = windows.rbegin(); it != windows.rend(); ++it)
            if (*it != this && (*it)->TakeRevolution(curve)) return true;
        return false;
    };
    if (giveToLast()) return;
    if (fw::TWindow* launcher = Parent()) launcher->EvCommand(kCmdLauncherNew3D);
    giveToLast();
}

}  // namespace curvelo
