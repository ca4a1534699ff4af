#include "framework/kit_placement.h"

#include <cstdlib>

namespace curvelo {
namespace {

int Draw(const RandomSource& random) {
    int r = random ? random() : std::rand();
    return r < 0 ? -(r + 1) : r;
}

}  // namespace

KitPoint PlaceDialog(const PlacementInput& in, const RandomSource& random) {
    if (in.remembered && in.remembered->Stored())
        return {in.remembered->left, in.remembered->top};

    const KitRect& p = in.parent;
    const int w = in.width, h = in.height, sw = in.screenWidth, sh = in.screenHeight;
    KitPoint at;
    bool beside = true;
    if (p.right + w < sw) {
        at.x = p.right + (sw - p.right - w) / 2;
    } else if (w >= p.left) {
        at.x = p.left + 10;
        beside = false;
    } else {
        at.x = (p.left - w) / 2;
    }

    if (beside) {
        // A dialog taller than the screen less the margins would otherwise get a random
        // offset that pushes it past the bottom; it starts at the top margin instead.
        const int span = sh - h - 80;
        at.y = span > 0 ? 40 + Draw(random) % span : 40;
    } else if (p.bottom + h < sh) {
        at.y = p.bottom + (sh - p.bottom - h) / 2;
    } else if (h >= p.top) {
        at.y = p.top + in.captionHeight + in.menuHeight;
    } else {
        at.y = (p.top - h) / 2;
    }

    at.x += 10 - Draw(random) % 20;
    at.y += 10 - Draw(random) % 20;
    return at;
}

}  // namespace curvelo
