#include "plot3d/surface_pair.h"

#include <algorithm>
#include <cmath>
#include <vector>

#include "expr/byte_io.h"
#include "expr/eval.h"
#include "plot2d/curve_sampler.h"
#include "plot2d/example_kinds.h"
#include "plot2d/implicit_drawer.h"
#include "plot3d/lifting_surface.h"
#include "plot3d/surface_kinds.h"
#include "plot3d/surface_mesh.h"

namespace curvelo {
namespace {

// The same search finds the same branches.
constexpr std::uint64_t kPairSeed = 0x317317;
constexpr int kPairPixels = 600;

bool IsExplicit(std::uint16_t kind) { return kind == kKindSurfaceExplicit; }

// A plane implicit example standing for the pair's plane curve, with the pair's branches.
struct PlaneCurveSlot {
    PlaneCurveSlot(const TExample& pair, ExprNode* plane, const PlotView& view) {
        TExample& e = slot.example;
        e.kind = kKindImplicit;
        e.visible = 1;
        e.flags52[0] = 1;  // stop at the view's edge
        e.arrow = 0;
        e.flag49 = kShadeNone;
        e.penColour = pair.penColour;
        e.penWidth = std::max<std::uint16_t>(1, pair.penWidth);
        e.penStyle = pair.penStyle;
        e.extra311[0] = view.xmin;
        e.extra311[1] = view.xmax;
        e.extra311[2] = view.ymin;
        e.extra311[3] = view.ymax;
        slot.trees[kImplicitTree] = plane;
        slot.initialConditions = {};
    }
    ~PlaneCurveSlot() { FreeTree(slot.trees[kImplicitTree]); }
    PlaneCurveSlot(const PlaneCurveSlot&) = delete;
    PlaneCurveSlot& operator=(const PlaneCurveSlot&) = delete;
    InventorySlot slot;
};

int Drawn(ImplicitDrawer& drawer, InventorySlot& slot, const PlotView& view, const std::function<int()>& pollKey) {
    PlotView random = view;
    random.SeedRandom(kPairSeed);
    drawer.silent = !pollKey;
    drawer.observeAllowed = false;
    drawer.hooks.pollKey = pollKey;
    drawer.hooks.randomPoint = [&random] { return random.RandomPointInView(); };
    return drawer.Draw(slot);
}

}  // namespace

std::uint16_t SurfacePairCodeOf(std::uint16_t first, std::uint16_t second) {
    if (IsExplicit(first) && IsExplicit(second)) return kPairExplicit;
    if (IsExplicit(first) && second == kKindSurfaceImplicit) return kPairExplicitImplicit;
    if (first == kKindSurfaceImplicit && IsExplicit(second)) return kPairImplicitExplicit;
    return 0;
}

TExample NewSurfacePairExample(int first, int second, std::uint16_t code, std::uint16_t penColour) {
    TExample e;
    e.kind = kKindSurfacePair;
    e.subTag = code;
    e.low = 0;
    e.high = 1;
    e.rangeStart = 0;
    e.rangeEnd = 1;
    PutU16(e.reserved4.data(), static_cast<std::uint16_t>(first));
    PutU16(e.reserved4.data() + 2, static_cast<std::uint16_t>(second));
    e.penColour = penColour;
    e.penWidth = 2;
    return e;
}

int PairFirst(const TExample& e) { return GetU16(e.reserved4.data()); }
int PairSecond(const TExample& e) { return GetU16(e.reserved4.data() + 2); }

bool ResolveSurfacePair(const ExampleInventory& inventory, const TExample& pair, SurfacePairParts& parts) {
    parts = {};
    const int a = PairFirst(pair), b = PairSecond(pair);
    if (pair.kind != kKindSurfacePair || a == b || a > inventory.LastIndex() || b > inventory.LastIndex()) return false;
    const InventorySlot& first = inventory.Slot(a);
    const InventorySlot& second = inventory.Slot(b);
    const std::uint16_t code = SurfacePairCodeOf(first.example.kind, second.example.kind);
    // A surface changed its kind since the pair was made: the stored code no longer fits.
    if (code == 0 || code != pair.subTag) return false;
    const nk::Kind z = nk::LetterKind(kLetterZ);
    switch (code) {
    case kPairExplicit:
        if (!first.trees[2] || !second.trees[2]) return false;
        parts.lift = &first;
        parts.plane = NewBinary(nk::MINUS, CloneTree(first.trees[2]), CloneTree(second.trees[2]));
        return true;
    case kPairExplicitImplicit:
        if (!first.trees[2] || !second.trees[kImplicitTree]) return false;
        parts.lift = &first;
        parts.plane = CloneSubstitute(second.trees[kImplicitTree], z, first.trees[2]);
        return true;
    default:
        if (!second.trees[2] || !first.trees[kImplicitTree]) return false;
        parts.lift = &second;
        parts.plane = CloneSubstitute(first.trees[kImplicitTree], z, second.trees[2]);
        return true;
    }
}

PlotView SurfacePairView(const TExample& liftSurface) {
    const TExample& e = liftSurface;
    PlotView view;
    view.SetClientSize(kPairPixels, kPairPixels);
    view.SetViewFree((e.values161[0] + e.values191[0]) / 2, (e.values161[1] + e.values191[1]) / 2,
                     std::fabs(e.values191[0] - e.values161[0]) / 2, std::fabs(e.values191[1] - e.values161[1]) / 2,
                     true);
    view.ApplyView();
    return view;
}

bool LiftOnto(const InventorySlot& liftSurface, LetterStore& letters, WorldPoint p, Vec3& out) {
    ExprNode* f = liftSurface.trees[2];
    if (!f) return false;
    const ExtComplex x = letters.LetterValues[kLetterX], y = letters.LetterValues[kLetterY];
    SetLetter(letters, kLetterX, p.x);
    SetLetter(letters, kLetterY, p.y);
    const bool ok = EvalNode(letters, f) && std::isfinite(f->value.re);
    out = {p.x, p.y, f->value.re};
    letters.LetterValues[kLetterX] = x;
    letters.LetterValues[kLetterY] = y;
    return ok;
}

PairSearchResult SearchSurfacePair(ExampleInventory& inventory, int index, LetterStore& letters,
                                   const std::function<int()>& pollKey) {
    PairSearchResult result;
    if (index < 0 || index > inventory.LastIndex()) return result;
    InventorySlot& pair = inventory.Slot(index);
    SurfacePairParts parts;
    if (!ResolveSurfacePair(inventory, pair.example, parts)) {
        result.resolved = false;
        return result;
    }
    ScopedSurfaceLetters keep(letters);
    const PlotView view = SurfacePairView(parts.lift->example);
    PlaneCurveSlot plane(pair.example, parts.plane, view);
    plane.slot.initialConditions = pair.initialConditions;
    const std::vector<Cv2InitialCondition> known = pair.initialConditions;
    plane.slot.example.arrow = 1;  // search
    LiftingSurface drop(view, nullptr, {}, nullptr);
    ImplicitDrawer drawer(letters, drop, TraceSettings{});
    result.stopped = Drawn(drawer, plane.slot, view, pollKey) == kKeyStopDrawing;
    for (const Cv2InitialCondition& node : plane.slot.initialConditions) {
        const WorldPoint p = LoadImplicitStart(node).p;
        const bool old = std::any_of(known.begin(), known.end(), [&p](const Cv2InitialCondition& k) {
            const WorldPoint q = LoadImplicitStart(k).p;
            return q.x == p.x && q.y == p.y;
        });
        if (old || pair.initialConditions.size() >= kMaxInitialConditions) continue;
        pair.initialConditions.push_back(node);
        ++result.added;
    }
    return result;
}

int DrawSurfacePair(const ExampleInventory& inventory, int index, LetterStore& letters, DrawSurface& target,
                    const std::function<WorldPoint(const Vec3&)>* project, const std::function<int()>& pollKey) {
    if (index < 0 || index > inventory.LastIndex()) return 0;
    const InventorySlot& pair = inventory.Slot(index);
    if (!pair.example.visible || pair.initialConditions.empty()) return 0;
    SurfacePairParts parts;
    if (!ResolveSurfacePair(inventory, pair.example, parts)) return 0;
    ScopedSurfaceLetters keep(letters);
    const PlotView view = SurfacePairView(parts.lift->example);
    PlaneCurveSlot plane(pair.example, parts.plane, view);
    plane.slot.initialConditions = pair.initialConditions;
    const InventorySlot& lift = *parts.lift;
    // Where f is undefined the point stays in the plane; the tracer does not go there anyway.
    const LiftingSurface::Place place = [&](WorldPoint p) {
        Vec3 q{p.x, p.y, 0};
        if (project) LiftOnto(lift, letters, p, q);
        return q;
    };
    const std::function<WorldPoint(const Vec3&)> flat = [](const Vec3& q) { return WorldPoint{q.x, q.y}; };
    LiftingSurface lifted(view, &target, place, project ? project : &flat);
    ImplicitDrawer drawer(letters, lifted, TraceSettings{});
    return Drawn(drawer, plane.slot, view, pollKey);
}

}  // namespace curvelo
