#include "plot3d/layer_curves.h"

#include <algorithm>
#include <cmath>

#include "expr/node_kinds.h"
#include "plot2d/curve_sampler.h"
#include "plot2d/example_kinds.h"
#include "plot2d/implicit_drawer.h"
#include "plot3d/level_grid.h"
#include "plot3d/lifting_surface.h"
#include "plot3d/surface_kinds.h"

namespace curvelo {
namespace {

// Seed of the slice search's random points: the same search finds the same branches.
constexpr std::uint64_t kSliceSeed = 0x1e7e15;
// A stored branch is traced again within this time each way, so a document with many
// layers cannot hold a drawing up for long.
constexpr int kRetraceLimitMs = 1000;

// A plane implicit example standing for one layer: its function, its known branches and the
// slice view it was searched in (so the drawer does not take the view for a new one).
struct SliceSlot {
    SliceSlot(const InventorySlot& surface, int axis, long double value, const PlotView& view) {
        TExample& e = slot.example;
        e.kind = kKindImplicit;
        e.visible = 1;
        e.density = 1;
        e.flags52[0] = 1;  // stop at the box
        e.arrow = 0;
        e.familyActive = 0;
        e.flag49 = kShadeNone;
        e.periodic = 0;
        e.penWidth = std::max<std::uint16_t>(1, surface.example.penWidth);
        e.penStyle = surface.example.penStyle;
        e.extra311[0] = view.xmin;
        e.extra311[1] = view.xmax;
        e.extra311[2] = view.ymin;
        e.extra311[3] = view.ymax;
        slot.trees[kImplicitTree] = SliceFunction(surface, axis, value);
        for (const Cv2InitialCondition& node : surface.initialConditions) {
            const LayerCurve c = LoadLayerCurve(node);
            if (c.axis == axis && SameLayer(c.value, value)) {
                slot.initialConditions.push_back(StoreImplicitStart({c.start, 0, 0}));
                e.penColour = c.colour;
            }
        }
    }
    ~SliceSlot() { FreeTree(slot.trees[kImplicitTree]); }
    SliceSlot(const SliceSlot&) = delete;
    SliceSlot& operator=(const SliceSlot&) = delete;
    InventorySlot slot;
};

}  // namespace

bool TakesLayers(std::uint16_t kind) { return kind == kKindSurfaceExplicit || kind == kKindSurfaceImplicit; }

bool TakesLayerAxis(std::uint16_t kind, int axis) {
    if (kind == kKindSurfaceImplicit) return axis >= 0 && axis <= 2;
    return kind == kKindSurfaceExplicit && axis == kLevelAxisZ;
}

Vec3 PlaceBack(int axis, long double value, WorldPoint ab) {
    if (axis == kLevelAxisX) return {value, ab.x, ab.y};
    if (axis == kLevelAxisY) return {ab.y, value, ab.x};
    return {ab.x, ab.y, value};
}

WorldPoint PlaneOf(int axis, const Vec3& p) {
    if (axis == kLevelAxisX) return {p.y, p.z};
    if (axis == kLevelAxisY) return {p.z, p.x};
    return {p.x, p.y};
}

bool SameLayer(long double a, long double b) {
    return std::fabs(a - b) <= 1e-9L * std::max<long double>(1.0L, std::max(std::fabs(a), std::fabs(b)));
}

PlotView SliceView(const TExample& e, int axis) {
    const WorldPoint lo = PlaneOf(axis, {e.values161[0], e.values161[1], e.values161[2]});
    const WorldPoint hi = PlaneOf(axis, {e.values191[0], e.values191[1], e.values191[2]});
    PlotView view;
    view.SetClientSize(kSlicePixels, kSlicePixels);
    view.SetViewFree((lo.x + hi.x) / 2, (lo.y + hi.y) / 2, std::fabs(hi.x - lo.x) / 2, std::fabs(hi.y - lo.y) / 2,
                     true);
    view.ApplyView();
    return view;
}

ExprNode* SliceFunction(const InventorySlot& slot, int axis, long double value) {
    const nk::Kind x = nk::LetterKind(kLetterX), y = nk::LetterKind(kLetterY), z = nk::LetterKind(kLetterZ);
    ExprNode* f = nullptr;
    if (slot.example.kind == kKindSurfaceImplicit && slot.trees[4]) {
        f = CloneTree(slot.trees[4]);
    } else if (slot.example.kind == kKindSurfaceExplicit && slot.trees[2]) {
        // z = f(x, y) is the level set f(x, y) - z = 0.
        f = NewBinary(nk::MINUS, CloneTree(slot.trees[2]), NewNode(z));
    }
    if (!f) return nullptr;
    if (axis == kLevelAxisX) {
        ReplaceKindByConstant(f, x, value);
        RenameVariable(f, y, x);
        RenameVariable(f, z, y);
    } else if (axis == kLevelAxisY) {
        ReplaceKindByConstant(f, y, value);
        RenameVariable(f, x, y);
        RenameVariable(f, z, x);
    } else {
        ReplaceKindByConstant(f, z, value);
    }
    return f;
}

LayerSearchResult SearchLayerCurves(InventorySlot& slot, LetterStore& letters, int axis, long double value,
                                    const LayerSearchOptions& options) {
    LayerSearchResult result;
    if (!TakesLayers(slot.example.kind)) return result;
    PlotView view = SliceView(slot.example, axis);
    view.SeedRandom(kSliceSeed);
    SliceSlot slice(slot, axis, value, view);
    if (!slice.slot.trees[kImplicitTree]) return result;
    const std::vector<Cv2InitialCondition> known = slice.slot.initialConditions;
    slice.slot.example.arrow = 1;  // search
    slice.slot.example.longSearch = options.longSearch ? 1 : 0;
    slice.slot.example.penColour = options.colour;

    LiftingSurface drop(view, nullptr, {}, nullptr);
    ImplicitDrawer drawer(letters, drop, TraceSettings{});
    drawer.silent = !options.pollKey;
    drawer.hooks.pollKey = options.pollKey;
    drawer.hooks.randomPoint = [&view] { return view.RandomPointInView(); };
    result.stopped = drawer.Draw(slice.slot) == kKeyStopDrawing;

    for (const Cv2InitialCondition& node : slice.slot.initialConditions) {
        const WorldPoint p = LoadImplicitStart(node).p;
        const bool old = std::any_of(known.begin(), known.end(), [&p](const Cv2InitialCondition& k) {
            const WorldPoint q = LoadImplicitStart(k).p;
            return q.x == p.x && q.y == p.y;
        });
        if (old || slot.initialConditions.size() >= kMaxInitialConditions) continue;
        slot.initialConditions.push_back(StoreLayerCurve({p, value, axis, options.colour}));
        ++result.added;
    }
    return result;
}

std::vector<LayerCurve> DistinctLayers(const InventorySlot& slot) {
    std::vector<LayerCurve> layers;
    for (const Cv2InitialCondition& node : slot.initialConditions) {
        const LayerCurve c = LoadLayerCurve(node);
        const bool seen = std::any_of(layers.begin(), layers.end(), [&c](const LayerCurve& l) {
            return l.axis == c.axis && SameLayer(l.value, c.value);
        });
        if (!seen) layers.push_back(c);
    }
    return layers;
}

int DrawLayerCurves(const InventorySlot& slot, LetterStore& letters, DrawSurface& target,
                    const std::function<WorldPoint(const Vec3&)>& project, const LayerFilter& filter,
                    const std::function<int()>& pollKey, const LayerHiddenTest& hidden) {
    if (!TakesLayers(slot.example.kind) || !slot.example.visible) return 0;
    for (const LayerCurve& layer : DistinctLayers(slot)) {
        if (!filter.all && (layer.axis != filter.axis || !SameLayer(layer.value, filter.value))) continue;
        const PlotView view = SliceView(slot.example, layer.axis);
        SliceSlot slice(slot, layer.axis, layer.value, view);
        if (!slice.slot.trees[kImplicitTree]) return 0;
        LiftingSurface lift(view, &target, [&layer](WorldPoint ab) { return PlaceBack(layer.axis, layer.value, ab); },
                            &project, &hidden);
        TraceSettings tracing;
        tracing.timeLimitMs = kRetraceLimitMs;
        ImplicitDrawer drawer(letters, lift, tracing);
        drawer.silent = !pollKey;
        drawer.observeAllowed = false;
        drawer.hooks.pollKey = pollKey;
        PlotView searchView = view;
        searchView.SeedRandom(kSliceSeed);
        drawer.hooks.randomPoint = [&searchView] { return searchView.RandomPointInView(); };
        if (drawer.Draw(slice.slot) == kKeyStopDrawing) return kKeyStopDrawing;
    }
    return 0;
}

}  // namespace curvelo
