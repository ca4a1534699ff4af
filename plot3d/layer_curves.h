// Level curves of a surface: the plane curves in which x = h, y = h or z = h cut it. The
// surface's F(x, y, z) restricted to the plane becomes a plane implicit curve F(a, b) in the
// plane's own coordinates (a, b) = (y, z), (z, x) or (x, y), searched and traced by the
// plane implicit-curve drawer in a view over the example's box. What the example keeps is
// one start point per branch, with its plane and colour, in its 95-byte list; drawing
// traces the branches again and places each point (a, b) back in space.
#pragma once

#include <cstdint>
#include <functional>

#include "expr/letters.h"
#include "plot2d/inventory.h"
#include "plot3d/layer_node.h"
#include "plotwin/draw_surface.h"
#include "plotwin/plot_view.h"
#include "plotwin/vec3.h"

namespace curvelo {

// The kinds whose examples take level curves: the explicit and the implicit surface.
bool TakesLayers(std::uint16_t kind);
// The layers of an explicit surface are its contour lines z = h only: its x and y words
// are the mesh counts.
bool TakesLayerAxis(std::uint16_t kind, int axis);

// The point of space a plane point of a layer stands for.
Vec3 PlaceBack(int axis, long double value, WorldPoint ab);
// The plane coordinates of a space point.
WorldPoint PlaneOf(int axis, const Vec3& p);
// Whether two layer values are the same layer.
bool SameLayer(long double a, long double b);

// The slice's view: the example's box seen in plane coordinates, on a fixed pixel grid so
// that a branch is traced alike wherever it is drawn.
inline constexpr int kSlicePixels = 600;
PlotView SliceView(const TExample& e, int axis);
// The plane function F(a, b) of the slice as a new tree (the caller frees it); null when the
// example has no compiled function.
ExprNode* SliceFunction(const InventorySlot& slot, int axis, long double value);

// What a layer search may do: long search, and the key poll (Q stops).
struct LayerSearchOptions {
    bool longSearch = false;
    std::uint16_t colour = 0;
    std::function<int()> pollKey;  // null: silent
};
struct LayerSearchResult {
    int added = 0;         // branches added to the example's list
    bool stopped = false;  // Q
};
// Searches the slice and appends the new branches (those not on a branch the list already
// has) to the slot's list, which never grows beyond kMaxInitialConditions.
LayerSearchResult SearchLayerCurves(InventorySlot& slot, LetterStore& letters, int axis, long double value,
                                    const LayerSearchOptions& options);

// Which stored layers a drawing takes: all, or the one plane given.
struct LayerFilter {
    bool all = true;
    int axis = 2;
    long double value = 0;
};
// Whether something hides a space point from the eye (empty: nothing is hidden).
using LayerHiddenTest = std::function<bool(const Vec3&)>;
// Traces the stored branches again and draws them on `target`, each point placed back in
// space and mapped by `project` to the target's world coordinates; hidden points are left
// out. Returns the last key (kKeyStopDrawing on Q).
int DrawLayerCurves(const InventorySlot& slot, LetterStore& letters, DrawSurface& target,
                    const std::function<WorldPoint(const Vec3&)>& project, const LayerFilter& filter,
                    const std::function<int()>& pollKey, const LayerHiddenTest& hidden = {});

// The distinct layers (axis, value) of a slot's list, in list order.
std::vector<LayerCurve> DistinctLayers(const InventorySlot& slot);

}  // namespace curvelo
