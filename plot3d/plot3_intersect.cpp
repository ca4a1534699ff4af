// The 3D window's intersection tools: the curve-surface dialog and the surface-surface
// examples with their trace window.
#include <new>

#include "framework/kit_services.h"
#include "plot2d/analysis_scan.h"
#include "plot2d/curve_sampler.h"
#include "plot3d/inter_cs_dlg.h"
#include "plot3d/level_win.h"
#include "plot3d/plot3_win.h"
#include "plot3d/space_kinds.h"
#include "plot3d/surface_lines.h"
#include "plot3d/surface_pair.h"
#include "plot3d/surface_pair_dlgs.h"

namespace curvelo {
namespace {

constexpr int kTraceTitle = 164;  // "nyom"

}  // namespace

void TPlot3Win::ShowPiercingDialog() {
    if (!piercingDialog_) {
        piercingDialog_ = new TIntCSDlg(this);
        if (!piercingDialog_->Create()) {
            piercingDialog_ = nullptr;
            return;
        }
    } else {
        piercingDialog_->Refresh();
    }
    piercingDialog_->Show();
    piercingDialog_->Raise();
    piercingDialog_->FindNext();
}

void TPlot3Win::PiercingDialogGone(TIntCSDlg* dialog) {
    if (piercingDialog_ == dialog) piercingDialog_ = nullptr;
}

int TPlot3Win::AddSpacePoint(long double x, long double y, long double z) {
    if (!Authorised(Lock().protectInventory) || !HasRoomOrSays()) return -1;
    std::string texts[3];
    if (!PointCoordinateText(x, texts[0]) || !PointCoordinateText(y, texts[1]) || !PointCoordinateText(z, texts[2]))
        return -1;
    ExampleInventory& inventory = Inventory();
    const int index = BeginSpaceExample(inventory, kKindSpacePoint, PointCoordinates::kCartesian);
    if (index < 0) return -1;
    TExample& e = inventory.At(index);
    for (int i = 0; i < 3; ++i) e.texts[static_cast<std::size_t>(i)] = texts[i];
    AcceptExample(index, true);
    ExamplesChanged();
    if (piercingDialog_) piercingDialog_->Refresh();
    return index;
}

TLevelWin* TPlot3Win::TraceWindow() {
    if (traceWindow_) return traceWindow_;
    try {
        auto* trace = new TLevelWin(this, kTraceTitle);
        if (!trace->Create()) return nullptr;
        traceWindow_ = trace;
        PlaceBeside(*trace);
    } catch (const std::bad_alloc&) {
        ShowMessage(this, 3);  // "kevés a memória ... zavar!"
    }
    return traceWindow_;
}

int TPlot3Win::AddSurfacePair() {
    if (!Authorised(Lock().protectInventory) || !HasRoomOrSays()) return -1;
    TSurfSelDlg choose(this);
    if (choose.Execute() != 1) return -1;
    ExampleInventory& inventory = Inventory();
    const int index = inventory.Begin(kKindSurfacePair, 0, 1);
    if (index < 0) return -1;
    const std::uint16_t colour = inventory.At(index).penColour;
    TExample pair = NewSurfacePairExample(choose.First(), choose.Second(), choose.Code(), colour);
    // The curves lie on the explicit surface: its box is theirs.
    const TExample& lift = inventory.At(choose.Code() == kPairImplicitExplicit ? choose.Second() : choose.First());
    pair.values161 = lift.values161;
    pair.values191 = lift.values191;
    pair.saved221 = lift.saved221;
    pair.saved251 = lift.saved251;
    inventory.At(index) = pair;
    if (const std::uint16_t code = inventory.Commit(index, Engine())) ShowMessage(this, code);
    inventory.Select(index);
    ExamplesChanged();
    EditSurfacePair(index);
    return index;
}

bool TPlot3Win::EditSurfacePair(int index) {
    if (!IsSlot(index) || Inventory().At(index).kind != kKindSurfacePair) return false;
    TIntCDlg dialog(this, index);
    const bool kept = dialog.Execute() == 1;
    if (!kept) dialog.Revert();
    if (traceWindow_) traceWindow_->Refresh();
    if (kept) SetModified(true);
    RepaintAll();
    return kept;
}

bool TPlot3Win::EditExample(int index) {
    if (IsSlot(index) && Inventory().At(index).kind == kKindSurfacePair) {
        if (!Authorised(Lock().protectInventory)) return false;
        return EditSurfacePair(index);
    }
    return TPlotRWin::EditExample(index);
}

int TPlot3Win::DrawSurfacePairs(DrawSurface& surface, const std::function<int()>& pollKey) {
    const View3D& space = Space();
    const std::function<WorldPoint(const Vec3&)> project = [&space](const Vec3& p) { return space.ProjectPoint(p); };
    for (int i = 0; i < Inventory().Count(); ++i)
        if (Inventory().At(i).kind == kKindSurfacePair &&
            DrawSurfacePair(Inventory(), i, Engine().letters, surface, &project, pollKey) == kKeyStopDrawing)
            return kDrawStopped;
    return 0;
}

}  // namespace curvelo
