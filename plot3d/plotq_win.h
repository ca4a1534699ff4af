// The first 3D layer: the view of space and its projection, the commands that move the eye
// (keys, menu and mouse), the automatic cell, and the 3D documents and settings file.
#pragma once

#include <string>
#include <vector>

#include "plot2d/plot11_win.h"
#include "plot3d/view3d.h"

namespace curvelo {

namespace eyecmd {
inline constexpr int kRight = 984, kLeft = 985, kFromInfinity = 986, kUp = 987, kDown = 988, kStep = 989,
                     kIsometric = 990, kApproach = 982, kMoveAway = 983, kAutoFit = 764,
                     kCubeNormalisation = 700, kAboutOrigin = 991;
}

class TPlotQWin : public TPlot11Win {
public:
    TPlotQWin(fw::TWindow* parent, const std::string& caption);

    View3D& Space() { return space_; }
    const View3D& Space() const { return space_; }

    // What every change of the eye ends with: the cube eye and the projection follow, the
    // layers above hear of it, the document is modified and the picture drawn again.
    void EyeMoved();
    // The automatic cell from the boxes of the visible examples (true when it changed).
    bool SetCellFromExamples();
    // The 2D view made to show the projected cell (and the axes, when shown).
    void FitViewToCell();
    // Home: the view is kept for "Utolsó ablak", then the cell and the view follow the examples.
    void AutoFit();
    // Asks the rotation step in degrees.
    void AskRotationStep();

    std::string DocumentFilter() const override;
    std::string DocumentExtension() const override { return "cv3"; }
    std::int32_t DocumentFileType() const override { return kFileType3D; }

    // "Eredeti": the initial view of the projection plane is the one that shows the cell.
    void ResetView() override;

    bool EvCommand(int id) override;
    bool EvCommandEnable(int id, fw::TCommandEnabler& ce) override;

protected:
    // Every example's box is brought up to date (surfaces recompute their meshes) before
    // the cell is taken from them.
    virtual void RecomputeExamples() {}
    // The eye changed; layers that show it follow.
    virtual void EyeShown() {}

    void PaintFrame(DrawSurface&, fw::DC&) override {}
    void EvLButtonDown(unsigned modifiers, fw::Point p) override;
    void EvMouseMove(unsigned modifiers, fw::Point p) override;
    void EvLButtonUp(unsigned modifiers, fw::Point p) override;
    void EvMouseWheel(unsigned modifiers, int delta, fw::Point p) override;

    std::string SettingsFileName() const override { return "cv3.ini"; }
    std::int32_t SettingsKind() const override { return kSettingsKind3D; }
    void ReadOwnSettings(const WindowSettings& settings) override;
    void WriteOwnSettings(WindowSettings& settings) const override;
    void WriteOwnState(Cv2Document& doc) const override;
    Cv2Document SharedStateOf(const Cv2Document& doc) const override;
    void ReadOwnState(const Cv2Document& doc) override;
    void DrawingCleared() override;

private:
    View3D space_;
    // Mouse turning: where the drag started and how many steps it has made.
    bool turning_ = false;
    fw::Point turnFrom_;
    int wheelRest_ = 0;
};

}  // namespace curvelo
