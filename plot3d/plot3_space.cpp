// The 3D window's commands of curves, points, systems and sequences in space.
#include <algorithm>

#include "framework/command_enabler.h"
#include "framework/kit_services.h"
#include "plot3d/merid_dlg.h"
#include "plot3d/inter_cs_dlg.h"
#include "plot3d/plot3_win.h"
#include "plot3d/space_seq_dlg.h"
#include "plot3d/space_solutions.h"
#include "plot3d/space_trace_dlg.h"
#include "textwin/text_win.h"

namespace curvelo {

int TPlot3Win::AddSpaceExample(int command) {
    PointCoordinates coordinates = PointCoordinates::kCartesian;
    const std::uint16_t kind = SpaceKindOfCommand(command, coordinates);
    if (!kind) return -1;
    nextCoordinates_ = coordinates;
    const int index = AddExample(kind);
    nextCoordinates_ = PointCoordinates::kCartesian;
    return index;
}

int TPlot3Win::AddMeridian(const std::string& radius, const std::string& longitude) {
    if (!Authorised(Lock().protectInventory) || !HasRoomOrSays()) return -1;
    ExampleInventory& inventory = Inventory();
    const int index = BeginSpaceExample(inventory, kKindSpaceCurve, PointCoordinates::kCartesian);
    if (index < 0) return -1;
    TExample& e = inventory.At(index);
    const auto texts = MeridianTexts(radius, longitude);
    for (std::size_t i = 0; i < 3; ++i) e.texts[i] = texts[i];
    e.low = 0;
    e.high = 3.14159265358979323846L;
    e.extra311[TExample::kArrowT] = e.high / 2;
    AcceptExample(index, true);
    inventory.Select(index);
    ExamplesChanged();
    if (inventory.Count() == 1) ShowInventory();
    return index;
}

void TPlot3Win::AskMeridian() {
    std::string radius = "1.00", longitude = "0.00";
    TMeridDlg dialog(this, Engine(), radius, longitude);
    if (dialog.Execute() == 1) AddMeridian(radius, longitude);
}

int TPlot3Win::CurrentSpaceExample(std::uint16_t kind) const {
    const ExampleInventory& inv = Inventory();
    auto is = [&](int i) { return i >= 0 && i < inv.Count() && inv.Slot(i).example.kind == kind; };
    const int remembered = kind == kKindSpaceSystem ? currentSystem_ : currentSequence_;
    if (is(remembered)) return remembered;
    if (is(inv.Selected())) return inv.Selected();
    for (int i = inv.Count() - 1; i >= 0; --i)
        if (is(i)) return i;
    return -1;
}

void TPlot3Win::SetCurrentOdeExample(std::uint16_t kind, int index) {
    (kind == kKindSpaceSystem ? currentSystem_ : currentSequence_) = index;
}

void TPlot3Win::EditSpaceConditions(std::uint16_t kind) {
    if (!Authorised(Lock().protectInventory)) return;
    int example = CurrentSpaceExample(kind);
    if (example < 0) example = AddExample(kind);
    if (example < 0) return;
    SetCurrentOdeExample(kind, example);
    if (kind == kKindSpaceSystem) {
        TIvpDlg dialog(this, *this, kind, example);
        dialog.Execute();
    } else {
        TSeqStartDlg dialog(this, *this, example);
        dialog.Execute();
    }
}

void TPlot3Win::SpaceExampleChanged(int index) {
    if (!IsSlot(index)) return;
    ComputeSpaceBox(Inventory().Slot(index), Engine(), Frame().axesShown != 0);
    if (SetCellFromExamples()) FitViewToCell();
}

void TPlot3Win::ConditionsChanged(int example, int observed, int delayMs) {
    if (observed >= 0) observed_ = {example, observed, std::clamp(delayMs, 0, kMaxObserveDelayMs)};
    SpaceExampleChanged(example);
    ExamplesChanged();
}

bool TPlot3Win::SolutionEnd(int example, const TInitialCondition& c, std::array<long double, 3>& end) {
    if (!IsSlot(example) || Inventory().At(example).kind != kKindSpaceSystem) return false;
    // The end of a run in both directions is where the forward run ends.
    TInitialCondition one = c;
    if (one.Direction() == TraceDirection::kBoth) one.directionCode = static_cast<std::uint16_t>(TraceDirection::kForward);
    const std::vector<SpaceSample> path = SystemTrajectory(Engine(), Inventory().Slot(example), one);
    if (path.size() < 2) return false;
    const SpaceSample& last = one.Direction() == TraceDirection::kBackward ? path.front() : path.back();
    end = {last.x, last.y, last.z};
    return true;
}

void TPlot3Win::ShowText(const std::string& caption, const std::string& text) {
    ShowHelp(1, text);
    if (TTextWin* w = HelpWindow(1)) w->SetCaption(caption);
}

TPlot3Win::~TPlot3Win() {
    if (trace_) trace_->Detach();
    if (piercingDialog_) piercingDialog_->Detach();
}

void TPlot3Win::ShowRunningPoint() {
    if (!trace_) {
        trace_ = new TSpaceTraceDlg(this);
        if (!trace_->Create()) {
            trace_ = nullptr;
            return;
        }
    } else {
        trace_->Refresh();
    }
    trace_->Show();
}

void TPlot3Win::RunningPointGone(TSpaceTraceDlg* dialog) {
    if (trace_ != dialog) return;
    trace_ = nullptr;
    RepaintAll();
}

void TPlot3Win::DrawRunningPoint(DrawSurface& surface) {
    if (trace_ && !Printing()) trace_->Draw(surface, Space());
}

void TPlot3Win::RefreshInventoryView() {
    TPlotRWin::RefreshInventoryView();
    if (trace_) trace_->Refresh();
}

bool TPlot3Win::SpaceCommand(int id) {
    switch (id) {
    case spacecmd::kCurve:
    case spacecmd::kSegment:
    case spacecmd::kPointCartesian:
    case spacecmd::kPointCylindrical:
    case spacecmd::kPointSpherical:
    case spacecmd::kSystem:
    case spacecmd::kSequence:
    case spacecmd::kPointSequence: AddSpaceExample(id); return true;
    case spacecmd::kMeridian: AskMeridian(); return true;
    case spacecmd::kRunningPoint: ShowRunningPoint(); return true;
    case spacecmd::kConditions: EditSpaceConditions(kKindSpaceSystem); return true;
    case spacecmd::kStartPoints: EditSpaceConditions(kKindSpaceSequence); return true;
    default: return false;
    }
}

bool TPlot3Win::SpaceCommandEnable(int id, fw::TCommandEnabler& ce) {
    switch (id) {
    case spacecmd::kCurve:
    case spacecmd::kSegment:
    case spacecmd::kPointCartesian:
    case spacecmd::kPointCylindrical:
    case spacecmd::kPointSpherical:
    case spacecmd::kSystem:
    case spacecmd::kSequence:
    case spacecmd::kPointSequence:
    case spacecmd::kMeridian:
    case spacecmd::kRunningPoint:
    case spacecmd::kConditions:
    case spacecmd::kStartPoints: ce.Enable(true); return true;
    default: return false;
    }
}

}  // namespace curvelo
