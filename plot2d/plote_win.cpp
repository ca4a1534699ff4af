#include "plot2d/plote_win.h"

#include "expr/differentiate.h"
#include "expr/letter_params.h"
#include "expr/node_kinds.h"
#include "expr/tree_text.h"
#include "framework/keys.h"
#include "framework/kit_services.h"
#include "plot2d/analysis_dlg.h"
#include "plot2d/equation_form.h"
#include "plot2d/example_kinds.h"
#include "plot2d/family_dlg.h"
#include "plot2d/implicit_drawer.h"
#include "plot2d/iteration_dlg.h"
#include "plot2d/object_form.h"
#include "plot2d/running_point_dlg.h"
#include "plot2d/web_diagram.h"
#include "plotwin/dc_surface.h"
#include "plotwin/view_commands.h"

namespace curvelo {

TPlotEWin::~TPlotEWin() {
    if (analysisDialog_) analysisDialog_->Detach();
    if (runningPoint_) runningPoint_->Detach();
}

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
    DrawAnalysisMarks(surface);
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

void TPlotEWin::ShowAnalysisDialog(int tool) {
    if (analysisDialog_ && analysisDialog_->Tool() != tool) {
        analysisDialog_->Detach();
        analysisDialog_->EndDialog(2);
        analysisDialog_ = nullptr;
        SetAnalysisHit(nullptr);
    }
    if (!analysisDialog_) {
        analysisDialog_ = new TAnalysisDlg(this, tool);
        if (!analysisDialog_->Create()) {
            analysisDialog_ = nullptr;
            return;
        }
    } else {
        analysisDialog_->Refresh();
    }
    analysisDialog_->Show();
}

void TPlotEWin::AnalysisDialogGone(TAnalysisDlg* dialog) {
    if (analysisDialog_ != dialog) return;
    analysisDialog_ = nullptr;
    SetAnalysisHit(nullptr);
}

void TPlotEWin::SetAnalysisHit(const TAnalysisDlg* from) {
    std::optional<AnalysisHit> hit;
    if (from && from->HasHit()) hit = from->Hit();
    if (!hit && !currentHit_) return;
    currentHit_ = hit;
    RepaintAll();
}

void TPlotEWin::ArchiveHit(int index, const MeasurementResult& result) {
    if (!IsSlot(index)) return;
    InventorySlot& slot = Inventory().Slot(index);
    const std::size_t before = slot.results.size();
    ArchiveResult(slot, result);
    if (slot.results.size() != before) SetModified(true);
}

int TPlotEWin::AddAnalysisPoint(long double x, long double y) {
    if (!Authorised(Lock().protectInventory) || !HasRoomOrSays()) return -1;
    const int index = AddHitPoint(Inventory(), Engine(), x, y);
    if (index < 0) {
        ShowMessage(this, 9);  // "nem tudom folytatni": no short written form
        return -1;
    }
    ExamplesChanged();
    return index;
}

void TPlotEWin::DrawAnalysisMarks(DrawSurface& surface) {
    const bool colourOutput = CurrentOutput().colourOutput;
    const ExampleInventory& inventory = Inventory();
    surface.Save();
    for (int i = 0; i < inventory.Count(); ++i) {
        const InventorySlot& slot = inventory.Slot(i);
        if (!slot.example.visible || slot.results.empty() || !DrawsExample(i)) continue;
        const Rgb colour = ColourForOutput(slot.example.penColour, colourOutput);
        surface.SetPen(colour, 1, LineStyle::kSolid);
        surface.SetBrush(colour);
        for (const ResultRecord& record : slot.results) {
            const MeasurementResult r = MeasurementResult::Load(record);
            if (IsHitRecord(r) && surface.View().InView(r.low, r.high)) surface.Dot({r.low, r.high}, 3);
        }
    }
    if (currentHit_ && surface.View().InView(currentHit_->x, currentHit_->y)) {
        const WorldPoint at{currentHit_->x, currentHit_->y};
        // The two tangents of an intersection show its angle.
        const long double reach = 70 * surface.View().upx;
        surface.SetPen({96, 96, 96}, 1, LineStyle::kDashDot);
        for (const WorldPoint& u : {currentHit_->tangent1, currentHit_->tangent2}) {
            WorldPoint a{at.x - u.x * reach, at.y - u.y * reach}, b{at.x + u.x * reach, at.y + u.y * reach};
            if ((u.x != 0 || u.y != 0) && surface.View().ClipSegment(a, b)) surface.Segment(a, b);
        }
        // A red dot in a black ring.
        surface.SetPen({0, 0, 0}, 1, LineStyle::kSolid);
        surface.Dot(at, 6);
        surface.SetPen({255, 0, 0}, 1, LineStyle::kSolid);
        surface.Dot(at, 4);
    }
    surface.Restore();
}

void TPlotEWin::ShowRunningPoint() {
    if (!runningPoint_) {
        runningPoint_ = new TRunningPointDlg(this);
        if (!runningPoint_->Create()) {
            runningPoint_ = nullptr;
            return;
        }
    } else {
        runningPoint_->Refresh();
    }
    runningPoint_->Show();
    SetFocus();
}

void TPlotEWin::EndRunningPoint() {
    if (!runningPoint_) return;
    TRunningPointDlg* dialog = runningPoint_;
    runningPoint_ = nullptr;
    dialog->Detach();
    dialog->EndDialog(2);
    Invalidate(false);
}

void TPlotEWin::RunningPointGone(TRunningPointDlg* dialog) {
    if (runningPoint_ != dialog) return;
    runningPoint_ = nullptr;
    Invalidate(false);
}

void TPlotEWin::RunningPointMoved() { Invalidate(false); }

void TPlotEWin::RefreshInventoryView() {
    TPlotCWin::RefreshInventoryView();
    if (analysisDialog_) analysisDialog_->Refresh();
    if (runningPoint_) runningPoint_->Refresh();
}

void TPlotEWin::Paint(fw::DC& dc, bool erase, const fw::Rect& rect) {
    TPlotCWin::Paint(dc, erase, rect);
    if (!runningPoint_ || ShownPicture()) return;
    DcSurface surface(dc, View());
    runningPoint_->Draw(surface);
}

void TPlotEWin::EvKeyDown(int vk, unsigned modifiers, bool autoRepeat) {
    if (runningPoint_ && (vk == 'Q' || vk == fw::vk::kEscape) && !modifiers) return EndRunningPoint();
    TPlotCWin::EvKeyDown(vk, modifiers, autoRepeat);
}

void TPlotEWin::EvLButtonDown(unsigned modifiers, fw::Point p) {
    if (!RunningPointActive()) return TPlotCWin::EvLButtonDown(modifiers, p);
    dragging_ = true;
    runningPoint_->MoveToward(p.x, p.y);
}

void TPlotEWin::EvMouseMove(unsigned modifiers, fw::Point p) {
    if (!RunningPointActive()) return TPlotCWin::EvMouseMove(modifiers, p);
    if (!dragging_) return;
    if (!(modifiers & fw::kLeftButton)) {
        dragging_ = false;  // released outside the window
        return;
    }
    runningPoint_->MoveToward(p.x, p.y);
}

void TPlotEWin::EvLButtonUp(unsigned modifiers, fw::Point p) {
    if (!RunningPointActive()) return TPlotCWin::EvLButtonUp(modifiers, p);
    dragging_ = false;
}

bool TPlotEWin::EvCommand(int id) {
    // While the point runs, the arrows move it instead of the view: left and right one step,
    // up and down ten.
    if (runningPoint_) {
        switch (id) {
        case kCmdPanLeft: runningPoint_->Step(-1); return true;
        case kCmdPanRight: runningPoint_->Step(1); return true;
        case kCmdPanDown: runningPoint_->Step(-10); return true;
        case kCmdPanUp: runningPoint_->Step(10); return true;
        default: break;
        }
    }
    switch (id) {
    case analysiscmd::kZeros:
    case analysiscmd::kExtrema:
    case analysiscmd::kIntersections: ShowAnalysisDialog(id); return true;
    case analysiscmd::kRunningPoint: ShowRunningPoint(); return true;
    case kCmdSurfaceOfRevolution: TurnSelectedCurve(); return true;
    default: return TPlotCWin::EvCommand(id);
    }
}

}  // namespace curvelo
