#include "plot3d/plotq_win.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>

#include "expr/eval.h"
#include "framework/kit_inp_dlg.h"
#include "framework/kit_services.h"
#include "plot3d/cv3_document.h"
#include "resources/resources.h"

namespace curvelo {
namespace {

// Mouse turning: one rotation or tilt step per this many pixels of drag.
constexpr int kPixelsPerStep = 6;
// Steps of one mouse event at most, so a wild jump cannot stall the window.
constexpr int kMaxStepsPerMove = 40;
constexpr int kWheelNotch = 120;
constexpr int kMaxWheelSteps = 10;

// The view-layer block of "cv3.ini": the rotation step and the frame count.
constexpr std::size_t kSettingsFrames = 3;
constexpr std::size_t kSettingsStep = 0;

}  // namespace

TPlotQWin::TPlotQWin(fw::TWindow* parent, const std::string& caption) : TPlot11Win(parent, caption) {
    SetMenu("PLOT3MENU");
    LoadAccelerators("PLOT3MENU");
    ShowDefaultFrame();
    Frame().axisTitlesShown = 1;
    space_.FitViewToCell(View(), Frame().axesShown);
}

std::string TPlotQWin::DocumentFilter() const { return std::string(res::String(269)); }

void TPlotQWin::EyeMoved() {
    space_.EyeChanged();
    EyeShown();
    SetModified(true);
    RepaintAll();
}

bool TPlotQWin::SetCellFromExamples() {
    std::vector<Box3> boxes;
    const ExampleInventory& inventory = Inventory();
    for (int i = 0; i < inventory.Count(); ++i) {
        const TExample& e = inventory.Slot(i).example;
        if (!e.visible) continue;
        boxes.push_back({{e.values161[0], e.values161[1], e.values161[2]},
                         {e.values191[0], e.values191[1], e.values191[2]}});
    }
    return space_.SetCellFromBoxes(boxes);
}

void TPlotQWin::FitViewToCell() { space_.FitViewToCell(View(), Frame().axesShown != 0); }

void TPlotQWin::AutoFit() {
    View().PushView();
    RecomputeExamples();
    SetCellFromExamples();
    FitViewToCell();
    EyeShown();
    SetModified(true);
    RepaintAll();
}

void TPlotQWin::ResetView() {
    TPlot11Win::ResetView();
    FitViewToCell();
}

void TPlotQWin::AskRotationStep() {
    std::string text = Format().FormatForField(space_.rotationStep * 180 / kPi3);
    TInpDlg ask(this, std::string(res::String(197)), std::string(res::String(5)), &text, 60);
    if (ask.Execute() != 1) return;
    long double degrees = 0;
    if (EvaluateText(Engine(), text, degrees) != 0 || !space_.SetRotationStep(degrees * kPi3 / 180)) {
        ShowMessage(this, 1);
        return;
    }
    SetModified(true);
}

bool TPlotQWin::EvCommand(int id) {
    switch (id) {
    case eyecmd::kRight:
    case eyecmd::kLeft: space_.Rotate(id == eyecmd::kRight); EyeMoved(); return true;
    case eyecmd::kUp:
    case eyecmd::kDown: space_.Tilt(id == eyecmd::kUp); EyeMoved(); return true;
    case eyecmd::kApproach:
        if (space_.Approach()) EyeMoved();
        return true;
    case eyecmd::kMoveAway: space_.MoveAway(); EyeMoved(); return true;
    case eyecmd::kFromInfinity:
        if (space_.FromInfinity()) EyeMoved();
        return true;
    case eyecmd::kIsometric:
        space_.Isometric();
        FitViewToCell();
        EyeMoved();
        return true;
    case eyecmd::kStep: AskRotationStep(); return true;
    case eyecmd::kAutoFit: AutoFit(); return true;
    case eyecmd::kCubeNormalisation:
        space_.cubeNormalisation = !space_.cubeNormalisation;
        RecomputeExamples();
        SetCellFromExamples();
        space_.EyeChanged();
        FitViewToCell();
        EyeMoved();
        return true;
    case eyecmd::kAboutOrigin: space_.rotateAboutOrigin = !space_.rotateAboutOrigin; return true;
    default: return TPlot11Win::EvCommand(id);
    }
}

bool TPlotQWin::EvCommandEnable(int id, fw::TCommandEnabler& ce) {
    switch (id) {
    case eyecmd::kCubeNormalisation: ce.SetCheck(space_.cubeNormalisation); return true;
    case eyecmd::kAboutOrigin: ce.SetCheck(space_.rotateAboutOrigin); return true;
    default: return TPlot11Win::EvCommandEnable(id, ce);
    }
}

void TPlotQWin::EvLButtonDown(unsigned, fw::Point p) {
    turning_ = true;
    turnFrom_ = p;
}

void TPlotQWin::EvMouseMove(unsigned, fw::Point p) {
    if (!turning_) return;
    // Dragging to the right turns the picture with the pointer: the eye goes the other way.
    const int across = std::clamp((p.x - turnFrom_.x) / kPixelsPerStep, -kMaxStepsPerMove, kMaxStepsPerMove);
    const int down = std::clamp((p.y - turnFrom_.y) / kPixelsPerStep, -kMaxStepsPerMove, kMaxStepsPerMove);
    if (across == 0 && down == 0) return;
    for (int i = 0; i < std::abs(across); ++i) space_.Rotate(across < 0);
    for (int i = 0; i < std::abs(down); ++i) space_.Tilt(down > 0);
    turnFrom_.x += across * kPixelsPerStep;
    turnFrom_.y += down * kPixelsPerStep;
    EyeMoved();
}

void TPlotQWin::EvLButtonUp(unsigned, fw::Point) { turning_ = false; }

void TPlotQWin::EvMouseWheel(unsigned, int delta, fw::Point) {
    wheelRest_ = std::clamp(wheelRest_ + delta, -kMaxWheelSteps * kWheelNotch, kMaxWheelSteps * kWheelNotch);
    const int steps = wheelRest_ / kWheelNotch;
    if (steps == 0) return;
    wheelRest_ -= steps * kWheelNotch;
    bool moved = false;
    // Turning the wheel away from the user approaches, as when walking towards the picture.
    for (int i = 0; i < std::abs(steps); ++i) {
        if (steps > 0)
            moved = space_.Approach() || moved;
        else {
            space_.MoveAway();
            moved = true;
        }
    }
    if (moved) EyeMoved();
}

void TPlotQWin::ReadOwnSettings(const WindowSettings& s) {
    space_.SetRotationFrames(s.viewInts[kSettingsFrames]);
    space_.SetRotationStep(s.viewReals[0][kSettingsStep]);
}

void TPlotQWin::WriteOwnSettings(WindowSettings& s) const {
    s.viewInts[kSettingsFrames] = space_.rotationFrames;
    s.viewReals[0][kSettingsStep] = space_.rotationStep;
}

void TPlotQWin::WriteOwnState(Cv2Document& doc) const { CaptureView3D(space_, doc); }

Cv2Document TPlotQWin::SharedStateOf(const Cv2Document& doc) const { return FrameSettingsOf3D(doc); }

void TPlotQWin::ReadOwnState(const Cv2Document& doc) {
    ApplyView3D(doc, space_);
    // The cell is not stored: it follows the examples of this document alone.
    const View3D fresh;
    space_.SetCell(fresh.cellMin, fresh.cellMax);
    RecomputeExamples();
    SetCellFromExamples();
    if (space_.CheckEye(space_.eye) != 0) space_.BringEyeIntoRange();
    space_.EyeChanged();
    EyeShown();
}

void TPlotQWin::DrawingCleared() {
    const long double step = space_.rotationStep;
    const std::int16_t frames = space_.rotationFrames;
    space_ = View3D();
    space_.rotationStep = step;
    space_.rotationFrames = frames;
    Frame().axisTitlesShown = 1;
    FitViewToCell();
    EyeShown();
}

}  // namespace curvelo
