#include "plot3d/level_win.h"

#include <algorithm>
#include <cmath>

#include "plot2d/curve_sampler.h"
#include "plot3d/level_grid.h"
#include "resources/resources.h"

namespace curvelo {

TLevelWin::TLevelWin(TPlotQWin* owner, int titleString)
    : TPlotQWin(owner, std::string(res::String(titleString)) + ".cv3"), owner_(owner) {
    SetMenu("LEVELMENU");
    LoadAccelerators("LEVELMENU");
    Space().SetCell(owner->Space().cellMin, owner->Space().cellMax);
    Space().hideInvisible = false;
    ShowPlane(kLevelAxisZ);
}

int TLevelWin::ProjectionKind() const { return LevelProjectionKind(axis_); }

void TLevelWin::ShowPlane(int axis) {
    axis_ = std::clamp(axis, 0, 2);
    const auto names = LevelAxisNames(axis_);
    Frame().axisTitles[0] = names[0];
    Frame().axisTitles[1] = names[1];
    Frame().axisTitlesShown = 1;
    RepaintAll();
}

void TLevelWin::ShowBoxOf(int example) {
    const ExampleInventory& inventory = owner_->Inventory();
    if (example < 0 || example > inventory.LastIndex()) return;
    const TExample& e = inventory.Slot(example).example;
    const WorldPoint lo = PlaneOf(axis_, {e.values161[0], e.values161[1], e.values161[2]});
    const WorldPoint hi = PlaneOf(axis_, {e.values191[0], e.values191[1], e.values191[2]});
    if (View().SetViewFree((lo.x + hi.x) / 2, (lo.y + hi.y) / 2, std::fabs(hi.x - lo.x) / 2,
                           std::fabs(hi.y - lo.y) / 2, false))
        ViewApplied();
    RepaintAll();
}

void TLevelWin::ShowLayers(int example, const LayerFilter& filter) {
    example_ = example;
    filter_ = filter;
    RepaintAll();
}

void TLevelWin::SetPlaneDrawer(PlaneDrawer drawer) {
    drawer_ = std::move(drawer);
    RepaintAll();
}

void TLevelWin::ResetView() {
    TPlot11Win::ResetView();
    if (example_ >= 0) ShowBoxOf(example_);
}

void TLevelWin::PaintFrame(DrawSurface& surface, fw::DC& dc) { TLumWing::PaintFrame(surface, dc); }

void TLevelWin::PaintContent(DrawSurface& surface) {
    const std::function<int()> poll = Animating() || Printing() ? std::function<int()>{}
                                                                  : std::function<int()>([this] { return PollStop(); });
    const ExampleInventory& inventory = owner_->Inventory();
    if (example_ >= 0 && example_ <= inventory.LastIndex()) {
        const int kind = ProjectionKind();
        const View3D& space = Space();
        const auto project = [&space, kind](const Vec3& p) { return space.ProjectByKind(kind, p.x, p.y, p.z, 0); };
        if (DrawLayerCurves(inventory.Slot(example_), owner_->Engine().letters, surface, project, filter_, poll) ==
            kKeyStopDrawing)
            return;
    }
    if (drawer_) drawer_(surface);
}

}  // namespace curvelo
