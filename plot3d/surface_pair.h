// The curves in which two surfaces meet (kind 317): each lies over a plane curve of the
// xy-plane given implicitly by the pair, which the plane implicit-curve drawer searches and
// traces; each point (x, y) of it is lifted onto the explicit surface as (x, y, f(x, y)).
// The example keeps one start point per branch in its list and the two surfaces' inventory
// indices in its record.
#pragma once

#include <cstdint>
#include <functional>

#include "expr/letters.h"
#include "plot2d/inventory.h"
#include "plotwin/draw_surface.h"
#include "plotwin/plot_view.h"
#include "plotwin/vec3.h"

namespace curvelo {

inline constexpr std::uint16_t kKindSurfacePair = 317;

// How the plane function is made (the example's sub-tag): f1 - f2 of two explicit surfaces,
// or g(x, y, f(x, y)) of an explicit surface f and an implicit one g (either order).
enum SurfacePairCode : std::uint16_t { kPairExplicit = 1, kPairExplicitImplicit = 2, kPairImplicitExplicit = 3 };

// The code of a pair of kinds; 0 when at least one is not explicit or the other is neither
// explicit nor implicit.
std::uint16_t SurfacePairCodeOf(std::uint16_t first, std::uint16_t second);

// A new kind-317 example for the surfaces at inventory indices first and second.
TExample NewSurfacePairExample(int first, int second, std::uint16_t code, std::uint16_t penColour);
int PairFirst(const TExample& e);
int PairSecond(const TExample& e);

// The two surfaces of a pair example as they are now: the explicit one the curves are lifted
// onto and the plane function F(x, y) (a new tree, the caller frees it). False when an index
// no longer names a surface of the stored kinds.
struct SurfacePairParts {
    const InventorySlot* lift = nullptr;
    ExprNode* plane = nullptr;
};
bool ResolveSurfacePair(const ExampleInventory& inventory, const TExample& pair, SurfacePairParts& parts);

// The xy-part of the explicit surface's box on a fixed pixel grid: where the search looks.
PlotView SurfacePairView(const TExample& liftSurface);
// (x, y, f(x, y)); false where f is undefined. X and Y keep their values.
bool LiftOnto(const InventorySlot& liftSurface, LetterStore& letters, WorldPoint p, Vec3& out);

struct PairSearchResult {
    int added = 0;
    bool stopped = false;
    bool resolved = true;
};
// Searches the plane curve and appends the branches not yet in the example's list (never
// beyond kMaxInitialConditions). pollKey (optional) answers 'Q' to stop; the branches found
// so far stay.
PairSearchResult SearchSurfacePair(ExampleInventory& inventory, int index, LetterStore& letters,
                                   const std::function<int()>& pollKey = {});

// Traces the stored branches again; plane: in (x, y) as they are; otherwise lifted onto the
// explicit surface and mapped by project. Returns the last key (kKeyStopDrawing on Q).
int DrawSurfacePair(const ExampleInventory& inventory, int index, LetterStore& letters, DrawSurface& target,
                    const std::function<WorldPoint(const Vec3&)>* project, const std::function<int()>& pollKey);

}  // namespace curvelo
