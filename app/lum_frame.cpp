#include "app/lum_frame.h"

#include "resources/resources.h"

#include <cstdlib>

#include "app/launcher_settings.h"
#include "framework/screen.h"
#include "framework/settings_dir.h"

namespace curvelo {

TLumFrame::TLumFrame(fw::TWindow* parent, const std::string& caption)
    : fw::TFrameWindow(parent, caption), settingsFolder_(fw::SettingsDirectory()) {
    const int r1 = std::rand();
    const int r2 = std::rand();
    placement_ = ConstructedPlacement(r1, r2);
}

TLumFrame::~TLumFrame() = default;

void TLumFrame::SetPendingDocument(const std::string& name) {
    pendingName_ = name.substr(0, 255);
}

void TLumFrame::SetupWindow() {
    fw::TFrameWindow::SetupWindow();
    SetIconResource(std::string(res::String(999)));
    std::optional<LauncherSettings> read = ReadLauncherSettings(settingsFolder_);
    if (read) {
        placement_ = read->placement;
        flags_ = LauncherFlags(read->openLastEdit, read->useDefaultSettings);
        const fw::ScreenMetrics screen = fw::PrimaryScreen();
        if (!PlacementFits(placement_, screen.width, screen.height)) {
            const int r1 = std::rand();
            const int r2 = std::rand();
            placement_ = FallbackPlacement(r1, r2);
        }
    }
    ApplyPlacement();
    CheckMenuItem(kCmdOpenLastEdit, flags_.OpenLastEdit());
    CheckMenuItem(kCmdUseDefaults, flags_.UseDefaults());
    DragAcceptFiles(true);
    showMaximizedPending_ = read && read->placement.maximized;
}

void TLumFrame::ApplyPlacement() {
    MoveWindow({placement_.left, placement_.top, placement_.left + placement_.width,
                placement_.top + placement_.height});
}

void TLumFrame::RunDeferredStartup() {
    if (startupDone_) return;
    startupDone_ = true;
    if (showMaximizedPending_) {
        showMaximizedPending_ = false;
        Maximize();
    }
    if (!pendingName_.empty()) {
        const std::string name = pendingName_;
        pendingName_.clear();
        OpenFile(name);
    }
}

bool TLumFrame::EvCommandEnable(int id, fw::TCommandEnabler& ce) {
    RunDeferredStartup();
    return fw::TFrameWindow::EvCommandEnable(id, ce);
}

int TLumFrame::OpenFile(const std::string&) { return 0; }

void TLumFrame::Destroy(int retVal) {
    if (IsCreated()) {
        LauncherSettings s;
        const fw::Rect r = GetWindowRect();
        s.placement = {r.left, r.top, r.Width(), r.Height(), IsMaximized()};
        s.openLastEdit = flags_.OpenLastEdit();
        s.useDefaultSettings = flags_.UseDefaults();
        WriteLauncherSettings(settingsFolder_, s);  // silent when it cannot be written
    }
    pendingName_.clear();
    fw::TFrameWindow::Destroy(retVal);
}

}  // namespace curvelo
