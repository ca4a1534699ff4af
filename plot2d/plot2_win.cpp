#include "plot2d/plot2_win.h"

#include <cstdint>

#include "framework/settings_dir.h"
#include "plotwin/window_settings.h"

namespace curvelo {

TPlot2Win::TPlot2Win(fw::TWindow* parent, const std::string& caption) : TPlotEWin(parent, caption) {
    SetMenu("PLOT2MENU");
    LoadAccelerators("PLOT2MENU");
    ShowDefaultFrame();
}

namespace {

std::string SettingsPath() { return fw::SettingsDirectory() + "/cv2.ini"; }

// Black graphs is the window's own value kept in the view-layer block.
constexpr int kSettingsBlackGraphs = 2;

}  // namespace

void TPlot2Win::SetupWindow() {
    if (UsesSettingsFile() && ReadWindowSettings()) {
        if (auto s = LoadWindowSettingsFile(SettingsPath(), kSettingsKind2D)) {
            const fw::ScreenMetrics& screen = Screen();
            if (s->left >= 0 && s->top >= 0 && s->width >= 120 && s->height >= 72 &&
                std::int64_t{s->left} + s->width <= screen.width && std::int64_t{s->top} + s->height <= screen.height)
                MoveWindow({s->left, s->top, s->left + s->width, s->top + s->height});
            PrintSetup& p = Print();
            if (s->printWidth >= 0.25L) p.width = s->printWidth;
            if (s->printLeft >= 0.25L) p.left = s->printLeft;
            if (s->printTop >= 0.25L) p.top = s->printTop;
            p.interval = s->printInterval > 1e-18L ? s->printInterval : -1;
            p.frame = s->printFrame != 0;
            p.colour = s->printColour != 0;
            if (!s->colourIndexes.empty() && s->colourIndexes[0] <= 24)
                if (int* slot = ColourSlot(kColourKindBackground)) *slot = s->colourIndexes[0];
            if (s->viewInts[1] == 10) Inventory().SetBlackGraphs(s->viewInts[kSettingsBlackGraphs] != 0);
            lastDocument_ = s->lastDocument;
            if (OpenLastEdit() && StartFile().empty() && !lastDocument_.empty())
                SetStartOptions(OpenLastEdit(), ReadWindowSettings(), lastDocument_);
        }
    }
    TPlotEWin::SetupWindow();
}

void TPlot2Win::Destroy(int retVal) {
    if (UsesSettingsFile() && IsCreated() && !settingsSaved_) {
        settingsSaved_ = true;
        WindowSettings s;
        s.kind = kSettingsKind2D;
        const fw::Rect r = GetNormalRect();
        s.left = r.left;
        s.top = r.top;
        s.width = r.right - r.left;
        s.height = r.bottom - r.top;
        s.maximised = IsMaximized() ? 1 : 0;
        const PrintSetup& p = Print();
        s.printInterval = p.interval;
        s.printWidth = p.width;
        s.printLeft = p.left;
        s.printTop = p.top;
        s.printFrame = p.frame;
        s.printColour = p.colour;
        s.colourIndexes = {static_cast<std::uint16_t>(BackgroundColour())};
        s.viewInts[0] = 1;
        s.viewInts[1] = 10;
        s.viewInts[kSettingsBlackGraphs] = Inventory().BlackGraphs() ? 1 : 0;
        s.lastDocument = HasFilePath() ? FileName() : lastDocument_;
        SaveWindowSettingsFile(SettingsPath(), s);  // silent: settings are a convenience
    }
    TPlotEWin::Destroy(retVal);
}

}  // namespace curvelo
