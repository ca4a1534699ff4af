#include "plot3d/plotr_win.h"

#include <algorithm>
#include <cmath>

#include "expr/eval.h"
#include "framework/kit_inp_dlg.h"
#include "framework/kit_services.h"
#include "plot3d/axlen_dlg.h"
#include "plot3d/cell_form.h"
#include "plot3d/obs_dlg.h"
#include "plot3d/surface_kinds.h"
#include "resources/resources.h"

namespace curvelo {

TPlotRWin::~TPlotRWin() {
    if (observer_) observer_->Detach();
}

void TPlotRWin::ShowObserver() {
    if (!observer_) {
        observer_ = new TObsDlg(this);
        if (!observer_->Create()) {
            observer_ = nullptr;
            return;
        }
    }
    observer_->Refresh();
    observer_->Show();
}

void TPlotRWin::ObserverDialogGone(TObsDlg* dialog) {
    if (observer_ == dialog) observer_ = nullptr;
}

void TPlotRWin::EyeShown() {
    if (observer_ && observer_->IsVisible()) observer_->Refresh();
}

bool TPlotRWin::EditAxisLengths() {
    TAxLenDlg dialog(this);
    if (dialog.Execute() != 1 || dialog.Outcome() != 0) return false;
    SetModified(true);
    RepaintAll();
    return true;
}

void TPlotRWin::SetSlowDrawing(bool slow) {
    ExampleInventory& inventory = Inventory();
    for (int i = 0; i < inventory.Count(); ++i) {
        TExample& e = inventory.At(i);
        if (IsMeshKind(e.kind)) e.arrow = slow ? 1 : 0;
    }
    SetModified(true);
    RepaintAll();
}

Axes3DLook TPlotRWin::Look() const {
    const FrameOutput out = CurrentOutput();
    const FrameSettings& f = Frame();
    const int* cell = const_cast<TPlotRWin*>(this)->ColourSlot(kColourKindDrawing);
    Axes3DLook look;
    look.axisColour = ColourForOutput(f.axisColour, out.colourOutput);
    look.axisWidth = out.printing ? f.axisWidthPrint : f.axisWidthScreen;
    look.cellColour = ColourForOutput(cell ? *cell : 0, out.colourOutput);
    look.cellWidth = out.printing ? Space().cellPenPaper : Space().cellPenScreen;
    look.printing = out.printing;
    look.format = Format();
    return look;
}

HiddenTest TPlotRWin::HidingTest() const {
    if (!Space().hideInvisible) return {};
    return [this](const Vec3& p) { return IsPointHidden(p); };
}

void TPlotRWin::PaintContent(DrawSurface& surface) {
    TPlotQWin::PaintContent(surface);
    const Axes3DLook look = Look();
    if (Inventory().Count() == 0) {
        if (Frame().axesShown) DrawAxisSketch(surface, Frame(), look);
        return;
    }
    if (DrawExamples3D(surface) != 0) return;
    if (!Frame().axesShown) return;
    const HiddenTest hidden = HidingTest();
    DrawAxes3D(surface, Space(), Frame(), look, hidden);
    if (Space().cellShown) DrawCell3D(surface, Space(), Frame(), look, hidden);
}

void TPlotRWin::AskCellWidth(int id) {
    View3D& v = Space();
    std::int16_t& width = id == cellcmd::kWidthScreen ? v.cellPenScreen : v.cellPenPaper;
    std::string text = std::to_string(width);
    TInpDlg ask(this, std::string(res::String(id)), std::string(res::String(5)),
                &text, 20);
    if (ask.Execute() != 1) return;
    std::int32_t value = 0;
    if (const std::uint16_t code = EvaluateInteger(Engine(), text, 0, kMaxFrameWidth, value)) {
        ShowMessage(this, code);
        return;
    }
    // Paper needs a line of at least one device unit.
    if (id == cellcmd::kWidthPrint) value = std::max(value, 1);
    width = static_cast<std::int16_t>(value);
    SetModified(true);
    if (id == cellcmd::kWidthScreen) RepaintAll();
}

void TPlotRWin::AskVisibilitySteps() {
    View3D& v = Space();
    std::string text = std::to_string(v.visibilitySteps);
    TInpDlg ask(this, std::string(res::String(131)), std::string(res::String(132)), &text, 20);
    if (ask.Execute() != 1) return;
    long double value = 0;
    if (EvaluateText(Engine(), text, value) != 0 || !(value >= 1)) {
        ShowMessage(this, 1);
        return;
    }
    v.visibilitySteps = static_cast<std::int16_t>(std::min<long double>(std::floor(value), kMaxVisibilitySteps));
    SetModified(true);
    RepaintAll();
}

bool TPlotRWin::EvCommand(int id) {
    View3D& v = Space();
    auto toggle = [&](bool& flag) {
        flag = !flag;
        SetModified(true);
        RepaintAll();
        return true;
    };
    switch (id) {
    case cellcmd::kObserver: ShowObserver(); return true;
    case cellcmd::kAxisLengths: EditAxisLengths(); return true;
    case cellcmd::kShown: return toggle(v.cellShown);
    case cellcmd::kCoordinates: return toggle(v.cellCoordinatesShown);
    case cellcmd::kDashed: return toggle(v.cellDashed);
    case cellcmd::kHideInvisible: return toggle(v.hideInvisible);
    case cellcmd::kParametricShading: return toggle(v.parametricShading);
    case cellcmd::kAxisLabels:
        Frame().axisTitlesShown = Frame().axisTitlesShown ? 0 : 1;
        SetModified(true);
        RepaintAll();
        return true;
    case cellcmd::kWidthScreen:
    case cellcmd::kWidthPrint: AskCellWidth(id); return true;
    case cellcmd::kFastDrawing:
    case cellcmd::kSlowDrawing: SetSlowDrawing(id == cellcmd::kSlowDrawing); return true;
    case cellcmd::kVisibilitySteps: AskVisibilitySteps(); return true;
    default: return TPlotQWin::EvCommand(id);
    }
}

bool TPlotRWin::EvCommandEnable(int id, fw::TCommandEnabler& ce) {
    const View3D& v = Space();
    switch (id) {
    case cellcmd::kShown: ce.SetCheck(v.cellShown); return true;
    case cellcmd::kCoordinates: ce.SetCheck(v.cellCoordinatesShown); return true;
    case cellcmd::kDashed: ce.SetCheck(v.cellDashed); return true;
    case cellcmd::kHideInvisible: ce.SetCheck(v.hideInvisible); return true;
    case cellcmd::kParametricShading: ce.SetCheck(v.parametricShading); return true;
    case cellcmd::kAxisLabels: ce.SetCheck(Frame().axisTitlesShown != 0); return true;
    default: return TPlotQWin::EvCommandEnable(id, ce);
    }
}

}  // namespace curvelo
