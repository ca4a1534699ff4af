#include "plot2d/plota_win.h"

#include "framework/command_enabler.h"
#include "framework/kit_services.h"
#include "plot2d/edit_exmp_dlg.h"
#include "plot2d/equation_form.h"
#include "plot2d/example_kinds.h"
#include "plot2d/ode_exmp_dlg.h"
#include "plot2d/implicit_drawer.h"
#include "plot2d/object_form.h"
#include "plot2d/sequence_dlg.h"

namespace curvelo {

namespace {

bool IsPointLike(std::uint16_t kind) {
    return kind == kKindPoint || kind == kKindPointOnCurve || kind == kKindPointSequence;
}

// The start point a new sequence draws from, so that OK alone shows something.
Cv2InitialCondition DefaultStartPoint(const TExample& e) {
    StartPoint p;
    p.x = -0.1L;
    p.terms = 2000;
    p.size = 0;
    p.colour = e.penColour;
    p.width = e.penWidth;
    Cv2InitialCondition record;
    WriteStartPoint(p, record);
    return record;
}

}  // namespace

bool TPlotAWin::HasExampleDialog(const TExample& e) const {
    return HasEquationForm(e.kind) || HasObjectForm(e) || HasOdeForm(e.kind);
}

bool TPlotAWin::RunExampleDialog(int index) {
    ExampleInventory& inventory = Inventory();
    InventorySlot& slot = inventory.Slot(index);
    endPointsAsked_ = false;
    if (HasOdeForm(slot.example.kind)) {
        TOdeExmpDlg dialog(this, slot.example, Engine(), Format(), EquationDialogPlace());
        return dialog.Execute() == 1;
    }
    if (slot.example.kind == kKindSequence) {
        long double tolerance = inventory.PeriodTolerance();
        TSequenceDlg dialog(this, slot.example, slot.initialConditions, tolerance, slot.sequenceRuns, Engine(),
                            Format(), EquationDialogPlace());
        if (dialog.Execute() != 1) return false;
        inventory.SetPeriodTolerance(tolerance);
        slot.sequenceRuns.clear();
        return true;
    }
    TEditExmpDlg dialog(this, slot.example, Engine(), Format(), EquationDialogPlace());
    // The segment itself is counted already; its two points need two more slots. Without
    // them the user is told so, and the "pontok" box is not offered.
    const bool roomForEnds = inventory.Count() + 2 <= inventory.Capacity();
    if (slot.example.kind == kKindSegment && !roomForEnds) ShowMessage(this, 4);  // "nincs hely"
    dialog.SetEndPointsAllowed(roomForEnds);
    if (dialog.Execute() != 1) return false;
    endPointsAsked_ = dialog.EndPointsAsked();
    return true;
}

void TPlotAWin::AcceptExample(int index, bool isNew) {
    TPlot11Win::AcceptExample(index, isNew);
    RequestImplicitSearch(Inventory().Slot(index));
    if (endPointsAsked_) AddSegmentEnds(index);
    endPointsAsked_ = false;
}

void TPlotAWin::PrepareNewExample(int index) {
    InventorySlot& slot = Inventory().Slot(index);
    TExample& e = slot.example;
    if (e.kind == kKindSequence) slot.initialConditions.push_back(DefaultStartPoint(e));
    const int selected = Inventory().Selected();
    if (e.kind == kKindPointOnCurve && IsSlot(selected) && selected != index) {
        const TExample& curve = Inventory().At(selected);
        if (HasEquationForm(curve.kind)) {
            e.kindCount = curve.kind;
            // Only the curve's own formulas: an interpolation keeps its nodes in text 0.
            for (int t = 0; t < 3; ++t) e.texts[static_cast<std::size_t>(t)].clear();
            for (int t : TextsUsedBy(curve.kind))
                e.texts[static_cast<std::size_t>(t)] = curve.texts[static_cast<std::size_t>(t)];
        }
    }
}

int TPlotAWin::BeginExample(std::uint16_t kind, bool polarInput) {
    const int index = TPlot11Win::BeginExample(kind, polarInput);
    if (index >= 0) PrepareNewExample(index);
    return index;
}

void TPlotAWin::AddSegmentEnds(int segment) {
    ExampleInventory& inventory = Inventory();
    for (int end = 0; end < 2 && inventory.HasRoom(); ++end) {
        const TExample source = inventory.At(segment);  // Begin may move the slots
        const int i = inventory.Begin(kKindPoint, 0, 1);
        TExample& p = inventory.At(i);
        p.texts[0] = source.texts[static_cast<std::size_t>(2 * end)];
        p.texts[1] = source.texts[static_cast<std::size_t>(2 * end + 1)];
        p.longSearch = source.longSearch;
        p.penColour = source.penColour;
        inventory.Commit(i, Engine());
    }
}

void TPlotAWin::HideOrShowPoints() {
    pointsHidden_ = !pointsHidden_;
    ExampleInventory& inventory = Inventory();
    for (int i = 0; i < inventory.Count(); ++i)
        if (IsPointLike(inventory.At(i).kind)) inventory.At(i).visible = pointsHidden_ ? 0 : 1;
    ExamplesChanged();
}

bool TPlotAWin::EvCommand(int id) {
    switch (id) {
    case eqcmd::kExplicit: AddExample(kKindExplicit); return true;
    case eqcmd::kPolar: AddExample(kKindPolar); return true;
    case eqcmd::kParametric: AddExample(kKindParametric); return true;
    case eqcmd::kSystem: AddExample(kKindSystem); return true;
    case eqcmd::kSlope: AddExample(kKindSlope); return true;
    case eqcmd::kImplicit: AddExample(kKindImplicit); return true;
    case eqcmd::kSegment: AddExample(kKindSegment); return true;
    case eqcmd::kSegmentPolar: AddExample(kKindSegment, true); return true;
    case eqcmd::kLine: AddExample(kKindLine); return true;
    case eqcmd::kPoint: AddExample(kKindPoint); return true;
    case eqcmd::kPointPolar: AddExample(kKindPoint, true); return true;
    case eqcmd::kSequence: AddExample(kKindSequence); return true;
    case eqcmd::kRollingCircle: AddExample(kKindRollingCircle); return true;
    case eqcmd::kInterpolation: AddExample(kKindInterpolation); return true;
    case eqcmd::kPointOnCurve: AddExample(kKindPointOnCurve); return true;
    case eqcmd::kPointSequence: AddExample(kKindPointSequence); return true;
    case eqcmd::kHideShowPoints: HideOrShowPoints(); return true;
    default: return TPlot11Win::EvCommand(id);
    }
}

bool TPlotAWin::EvCommandEnable(int id, fw::TCommandEnabler& ce) {
    if (id != eqcmd::kHideShowPoints) return TPlot11Win::EvCommandEnable(id, ce);
    ce.SetCheck(pointsHidden_);
    return true;
}

}  // namespace curvelo
