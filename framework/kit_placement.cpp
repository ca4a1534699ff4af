#include "framework/kit_placement.h"

#include <algorithm>
#include <cstdlib>

namespace curvelo {
namespace {

int Draw(const RandomSource& random) {
    int r = random ? random() : std::rand();
    return r < 0 ? -(r + 1) : r;
}

// The middle third of the parent, which a dialog should leave visible.
struct Span {
    int lo = 0, hi = 0;
    bool Meets(int from, int length) const { return from < hi && from + length > lo; }
};

Span MiddleThird(int lo, int hi) {
    const int third = (hi - lo) / 3;
    return {lo + third, hi - third};
}

// A start in 0..limit for a dialog of the given length that keeps clear of the middle span,
// taking the side of the middle with more room; else clear of its centre; else `preferred`.
int AvoidMiddle(int preferred, int length, int limit, Span middle) {
    preferred = std::clamp(preferred, 0, std::max(0, limit));
    const int centre = (middle.lo + middle.hi) / 2;
    for (Span keep : {middle, Span{centre, centre + 1}}) {
        if (!keep.Meets(preferred, length)) return preferred;
        const int before = keep.lo - length, after = keep.hi;
        const bool beforeFits = before >= 0, afterFits = after <= limit;
        if (beforeFits && (!afterFits || keep.lo >= limit + length - keep.hi)) return before;
        if (afterFits) return after;
    }
    return preferred;
}

// No side of the parent holds the whole dialog: it goes against the screen edge of the side
// with the most room (the least overlap with the parent), and slides along that edge so
// that the middle of the picture stays visible.
KitPoint PlaceOverlapping(const PlacementInput& in, int randomTop) {
    const KitRect& p = in.parent;
    const int w = in.width, h = in.height, sw = in.screenWidth, sh = in.screenHeight;
    const long long over[4] = {
        static_cast<long long>(w - (sw - p.right)) * h,   // right
        static_cast<long long>(w - p.left) * h,           // left
        static_cast<long long>(h - (sh - p.bottom)) * w,  // below
        static_cast<long long>(h - p.top) * w,            // above
    };
    const int side = static_cast<int>(std::min_element(over, over + 4) - over);
    const Span midX = MiddleThird(p.left, p.right), midY = MiddleThird(p.top, p.bottom);
    KitPoint at;
    if (side < 2) {
        at.x = side == 0 ? sw - w : 0;
        at.y = midX.Meets(at.x, w) ? AvoidMiddle(randomTop, h, sh - h, midY) : std::clamp(randomTop, 0, std::max(0, sh - h));
    } else {
        at.y = side == 2 ? sh - h : 0;
        const int preferred = p.left + 10;
        at.x = midY.Meets(at.y, h) ? AvoidMiddle(preferred, w, sw - w, midX) : std::clamp(preferred, 0, std::max(0, sw - w));
    }
    return at;
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

    // A dialog taller than the screen less the margins would otherwise get a random offset
    // that pushes it past the bottom; it starts at the top margin instead.
    const int span = sh - h - 80;
    if (beside) {
        at.y = span > 0 ? 40 + Draw(random) % span : 40;
    } else if (p.bottom + h < sh) {
        at.y = p.bottom + (sh - p.bottom - h) / 2;
    } else if (h < p.top) {
        at.y = (p.top - h) / 2;
    } else {
        return PlaceOverlapping(in, span > 0 ? 40 + Draw(random) % span : 40);
    }

    at.x += 10 - Draw(random) % 20;
    at.y += 10 - Draw(random) % 20;
    return at;
}

}  // namespace curvelo
