#include "plot2d/curve_pick.h"

#include <algorithm>
#include <cmath>

#include "plot2d/curve_sampler.h"
#include "plot2d/object_drawer.h"
#include "plotwin/recording_surface.h"

namespace curvelo {
namespace {

// Distance in pixels from (px, py) to the segment a-b given in pixels.
double SegmentDistance(double px, double py, double ax, double ay, double bx, double by) {
    const double dx = bx - ax, dy = by - ay, len2 = dx * dx + dy * dy;
    double t = len2 > 0 ? ((px - ax) * dx + (py - ay) * dy) / len2 : 0;
    t = std::clamp(t, 0.0, 1.0);
    return std::hypot(px - (ax + t * dx), py - (ay + t * dy));
}

// The curve of one example as the sampler draws it.
std::vector<DrawOp> RecordCurve(InventorySlot& slot, LetterStore& letters, const PlotView& view) {
    RecordingSurface recorded(view);
    CurveSampler sampler(letters, recorded);
    sampler.silent = true;
    CurveTrees trees;
    for (int t = 0; t < TExample::kTexts; ++t) trees.tree[t] = slot.trees[static_cast<std::size_t>(t)];
    sampler.Draw(slot.example, trees);
    // Segments, lines and points are found as they are drawn; the record and the start
    // points stay as the screen drawing left them.
    if (ObjectDrawer::Draws(slot.example)) {
        ObjectDrawer objects(letters, recorded);
        objects.silent = true;
        TExample example = slot.example;
        std::vector<Cv2InitialCondition> startPoints = slot.initialConditions;
        objects.Draw(example, trees, &startPoints);
    }
    return recorded.Ops();
}

}  // namespace

bool CurveLabelPlace(InventorySlot& slot, LetterStore& letters, const PlotView& view, WorldPoint& at) {
    std::vector<WorldPoint> inView;
    for (const DrawOp& op : RecordCurve(slot, letters, view))
        for (const WorldPoint& p : op.points)
            if (view.InView(p.x, p.y)) inView.push_back(p);
    if (inView.empty()) return false;
    at = inView[inView.size() * 3 / 5];
    return true;
}

int PickExample(ExampleInventory& inventory, LetterStore& letters, const PlotView& view, int px,
                int py, double tolerancePixels) {
    int best = -1;
    double bestDistance = tolerancePixels;
    for (int i = 0; i < inventory.Count(); ++i) {
        for (const DrawOp& op : RecordCurve(inventory.Slot(i), letters, view)) {
            for (std::size_t k = 0; k < op.points.size(); ++k) {
                const WorldPoint a = op.points[k], b = op.points[k + 1 < op.points.size() ? k + 1 : k];
                const double d = SegmentDistance(px, py, view.DeviceX(a.x),
                                                 view.DeviceY(a.y),
                                                 view.DeviceX(b.x),
                                                 view.DeviceY(b.y));
                if (d <= bestDistance) {
                    bestDistance = d;
                    best = i;
                }
            }
        }
    }
    return best;
}

}  // namespace curvelo
