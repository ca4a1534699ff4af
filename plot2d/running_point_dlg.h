// The running point's modeless dialog ("TRACE2"): the curve it runs on, its coordinates,
// parameter, slope and the radius of the osculating circle, and the switches of the
// tangent, the normal and the circle. The window routes the arrow keys and the mouse here
// and asks it to draw the point over the picture.
#pragma once

#include <vector>

#include "framework/kit_dlg.h"
#include "plot2d/running_point.h"
#include "plotwin/draw_surface.h"

namespace curvelo {

class TPlotEWin;

namespace traceid {
inline constexpr int kCurve = 295, kX = 231, kY = 232, kT = 233, kSlope = 234, kRadius = 235, kTangent = 271,
                     kNormal = 272, kCircle = 273, kBack = 281, kForward = 282;
}

class TRunningPointDlg : public TDlg {
public:
    explicit TRunningPointDlg(TPlotEWin* window);
    ~TRunningPointDlg() override;
    void Detach() { window_ = nullptr; }
    // The inventory changed: the chooser and the curve are read again.
    void Refresh();
    void Step(int n);
    // To the point of the curve nearest the pixel.
    void MoveToward(int px, int py);
    bool HasPoint() const { return hasPicture_; }
    const LocalPicture& Picture() const { return picture_; }
    void Draw(DrawSurface& surface) const;

    bool EvCommand(int id) override;
    void EvNotify(int controlId, fw::Notify code) override;

protected:
    void SetupWindow() override;

private:
    int Chosen() const;
    // Builds the chosen curve's form; a new curve starts the point in its middle.
    void Rebuild();
    void Update();

    TPlotEWin* window_;
    std::vector<int> slots_;
    int example_ = -1;
    CurveForm form_;
    bool formOk_ = false;
    RunningPoint point_;
    LocalPicture picture_;
    bool hasPicture_ = false;
};

}  // namespace curvelo
