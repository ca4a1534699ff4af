// The 3D layer of the picture's frame: the axes with their names and lengths, the cell and
// its switches, what hides what, and the observer dialog that shows and sets the eye.
#pragma once

#include "plot3d/axes3d.h"
#include "plot3d/plotq_win.h"

namespace curvelo {

class TObsDlg;

namespace cellcmd {
inline constexpr int kShown = 773, kCoordinates = 775, kDashed = 794, kWidthScreen = 807, kWidthPrint = 808,
                     kHideInvisible = 776, kParametricShading = 788, kAxisLengths = 830, kAxisLabels = 116,
                     kFastDrawing = 826, kSlowDrawing = 827, kVisibilitySteps = 759, kObserver = 981;
}

class TPlotRWin : public TPlotQWin {
public:
    using TPlotQWin::TPlotQWin;
    ~TPlotRWin() override;

    // The modeless observer dialog, made with the window's first use of it.
    void ShowObserver();
    TObsDlg* ObserverDialog() const { return observer_; }
    void ObserverDialogGone(TObsDlg* dialog);
    // The axis lengths dialog; true when it changed the axes.
    bool EditAxisLengths();
    // Every surface drawn fast (painter's order) or slow (hidden lines).
    void SetSlowDrawing(bool slow);

    bool EvCommand(int id) override;
    bool EvCommandEnable(int id, fw::TCommandEnabler& ce) override;

protected:
    // The examples of the picture, before the axes and the cell; 0, or non-zero when the
    // drawing was stopped (the frame is then left out).
    virtual int DrawExamples3D(DrawSurface& /*surface*/) { return 0; }
    // Whether something in the picture hides the point from the eye.
    virtual bool IsPointHidden(const Vec3& /*p*/) const { return false; }

    void PaintContent(DrawSurface& surface) override;
    void EyeShown() override;

private:
    Axes3DLook Look() const;
    HiddenTest HidingTest() const;
    void AskCellWidth(int id);
    void AskVisibilitySteps();

    TObsDlg* observer_ = nullptr;
};

}  // namespace curvelo
