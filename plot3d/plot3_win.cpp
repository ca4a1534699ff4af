#include "plot3d/plot3_win.h"

#include <chrono>
#include <cmath>
#include <thread>

#include "expr/eval.h"
#include "framework/kit_inp_dlg.h"
#include "framework/kit_services.h"
#include "plot2d/fn_list_dlg.h"
#include "plot3d/cell_dlg.h"
#include "plot3d/rotation_playback.h"
#include "resources/resources.h"

namespace curvelo {
namespace {

// The playback runs until Q, but never longer than this many frames.
constexpr long kMaxPlaybackFrames = 10'000'000;
// Keys are looked at this often while a frame stays on the screen.
constexpr int kPollSliceMs = 5;

}  // namespace

TPlot3Win::TPlot3Win(fw::TWindow* parent, const std::string& caption) : TPlotRWin(parent, caption) {}

std::string TPlot3Win::InventoryButtonText(int id) const {
    if (id == invid::kDerive) return "rétegek";
    if (id == invid::kIteration) return "sejt";
    return {};
}

bool TPlot3Win::EditIteration(int index) {
    if (!IsSlot(index)) return false;
    TCellDlg dialog(this, index);
    if (dialog.Execute() != 1 || dialog.Outcome() != 0) return false;
    RecomputeExamples();
    SetCellFromExamples();
    SetModified(true);
    RepaintAll();
    return true;
}

int TPlot3Win::AutoRotate() {
    View3D& space = Space();
    const int frames = AllocateFrames(space.rotationFrames);
    if (frames < 1) return 0;
    const long double keptStep = space.rotationStep;
    const Vec3 keptEye = space.eye;
    space.rotationStep = View3D::FullTurnStep(frames);
    const std::string status = "; " + std::string(res::String(601));
    bool stopped = false;
    for (int k = 1; k <= frames && !stopped; ++k) {
        space.Rotate(false);
        RenderFrame(k - 1);
        SetCaption(std::to_string(k) + " " + std::string(res::String(124)) + " " + std::to_string(frames) + status);
        stopped = PollKey(this) == 'Q';
    }
    if (!stopped) {
        RotationPlayback playback(frames, space.rotationDelayMs);
        bool playing = true;
        for (long shown = 0; shown < kMaxPlaybackFrames && playing; ++shown) {
            ShowFrame(playback.Frame());
            // The delay passes in slices, so the keys answer at once.
            for (int waited = 0; playing && waited < playback.DelayMs(); waited += kPollSliceMs) {
                std::this_thread::sleep_for(std::chrono::milliseconds(kPollSliceMs));
                if (const int key = PollKey(this)) playing = playback.Key(key);
            }
            if (const int key = PollKey(this)) playing = playing && playback.Key(key);
            playback.Advance();
        }
    }
    FreeFrames();
    space.rotationStep = keptStep;
    space.eye = keptEye;
    space.EyeChanged();
    UpdateTitle(this, false);
    RepaintAll();
    return stopped ? 0 : frames;
}

void TPlot3Win::AskFrameCount() {
    View3D& space = Space();
    std::string text = std::to_string(space.rotationFrames);
    TInpDlg ask(this, std::string(res::String(195)), std::string(res::String(196)), &text, 20);
    if (ask.Execute() != 1) return;
    long double value = 0;
    if (const std::uint16_t code = EvaluateText(Engine(), text, value)) {
        ShowMessage(this, code);
        return;
    }
    const bool whole = value == std::floor(value) && value > -1e9L && value < 1e9L;
    if (const int code = whole ? space.SetRotationFrames(static_cast<int>(value)) : 17) ShowMessage(this, code);
}

bool TPlot3Win::EvCommand(int id) {
    switch (id) {
    case rotcmd::kAutoRotation: AutoRotate(); return true;
    case rotcmd::kFrameCount: AskFrameCount(); return true;
    default: return TPlotRWin::EvCommand(id);
    }
}

}  // namespace curvelo
