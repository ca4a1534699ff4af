// The running point of a 3D window ("TRACE3"): a modeless dialog that moves a point along a
// space curve or segment in steps and shows its coordinates and parameter; the window draws
// the point (and, when asked, the tangent) over the picture.
#pragma once

#include <vector>

#include "framework/kit_dlg.h"
#include "plot2d/running_point.h"
#include "plotwin/draw_surface.h"
#include "plotwin/vec3.h"

namespace curvelo {

class TPlot3Win;

namespace trace3id {
inline constexpr int kCurve = 295, kX = 231, kY = 232, kZ = 236, kT = 233, kTangent = 271;
inline constexpr int kBack = 281, kForward = 282, kFastBack = 283, kFastForward = 284;
inline constexpr int kFastSteps = 10;
}  // namespace trace3id

class TSpaceTraceDlg : public TDlg {
public:
    explicit TSpaceTraceDlg(TPlot3Win* window);
    ~TSpaceTraceDlg() override;
    void Detach() { window_ = nullptr; }
    // The inventory changed: the chooser and the curve are read again.
    void Refresh();
    void Step(int n);
    bool HasPoint() const { return hasPoint_; }
    long double T() const { return point_.T(); }
    const Vec3& Point() const { return p_; }
    // The point and its tangent through the window's projection.
    void Draw(DrawSurface& surface, const class View3D& space) const;

    bool EvCommand(int id) override;
    void EvNotify(int controlId, fw::Notify code) override;

protected:
    void SetupWindow() override;

private:
    void Rebuild();
    void Update();

    TPlot3Win* window_;
    std::vector<int> slots_;
    int example_ = -1;
    RunningPoint point_;
    bool hasPoint_ = false, hasTangent_ = false;
    Vec3 p_{}, d_{};
};

}  // namespace curvelo
