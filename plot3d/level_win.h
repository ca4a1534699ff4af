// The level window: a small plane window beside a 3D window that shows the plane curves of
// one direction, x = h as (y, z), y = h as (z, x) and z = h as (x, y). It draws from the 3D
// window's inventory (the layer curves an example holds) and, for other tools, whatever
// plane drawing they hand it in the plane's own coordinates.
#pragma once

#include <functional>
#include <string>

#include "plot3d/layer_curves.h"
#include "plot3d/plotq_win.h"

namespace curvelo {

inline constexpr std::int32_t kSettingsKindLevel = 2005;

class TLevelWin : public TPlotQWin {
public:
    // owner: the 3D window whose inventory, letters and cell the window shares.
    // The title is string titleString followed by ".cv3".
    explicit TLevelWin(TPlotQWin* owner, int titleString = 338);

    // The direction shown: projection kind and axis names follow.
    void ShowPlane(int axis);
    int Axis() const { return axis_; }
    int ProjectionKind() const;
    // The view centred on the middle of the example's box, showing its extent in the plane.
    void ShowBoxOf(int example);
    // The layer curves of an example: one plane (filter) or all of them.
    void ShowLayers(int example, const LayerFilter& filter);
    // A drawing in plane coordinates (a, b) of the direction shown, drawn after the layers
    // (a curve of another tool); returns the last key. An empty one clears it.
    using PlaneDrawer = std::function<int(DrawSurface&)>;
    void SetPlaneDrawer(PlaneDrawer drawer);
    // Polls the keyboard as this window's drawing does (Q stops a search shown here).
    int PollStop() { return Interrupt().Poll(); }

    // The layers changed: the picture is drawn again.
    void Refresh() { RepaintAll(); }

    void ResetView() override;
    // Closing hides the window; the 3D window keeps it for later layers.
    void CloseWindow(int) override { Show(false); }
    // The window holds no document: a new view leaves nothing to save.
    void ViewModified() override {}

protected:
    void PaintFrame(DrawSurface& surface, fw::DC& dc) override;
    void PaintContent(DrawSurface& surface) override;
    // The plane window keeps the mouse of a plane window: no turning of the eye.
    void EvLButtonDown(unsigned modifiers, fw::Point p) override { TPlot11Win::EvLButtonDown(modifiers, p); }
    void EvMouseMove(unsigned modifiers, fw::Point p) override { TPlot11Win::EvMouseMove(modifiers, p); }
    void EvLButtonUp(unsigned modifiers, fw::Point p) override { TPlot11Win::EvLButtonUp(modifiers, p); }
    void EvMouseWheel(unsigned modifiers, int delta, fw::Point p) override {
        TPlot11Win::EvMouseWheel(modifiers, delta, p);
    }

    std::string SettingsFileName() const override { return "lev.ini"; }
    std::int32_t SettingsKind() const override { return kSettingsKindLevel; }

private:
    TPlotQWin* owner_;
    int axis_ = 2;
    int example_ = -1;
    LayerFilter filter_;
    PlaneDrawer drawer_;
};

}  // namespace curvelo
