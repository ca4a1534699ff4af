// Where a dialog of the kit opens: beside its parent when the screen has room, with a small
// random spread so that repeated dialogs do not stack exactly, or at a remembered position;
// where no side has room, on the side with the most, clear of the middle of the parent.
#pragma once

#include <cstdint>
#include <functional>

namespace curvelo {

struct KitRect {
    int left = 0, top = 0, right = 0, bottom = 0;
};

// A dialog's remembered top-left corner, owned by the window that creates the dialog.
// A negative member means that nothing was stored yet.
struct DlgPosition {
    std::int32_t left = -1;
    std::int32_t top = -1;
    bool Stored() const { return left >= 0 && top >= 0; }
};

struct PlacementInput {
    KitRect parent;                 // the parent window's frame rectangle, screen pixels
    int width = 0, height = 0;      // the dialog's size
    int screenWidth = 0, screenHeight = 0;
    const DlgPosition* remembered = nullptr;
};

struct KitPoint {
    int x = 0, y = 0;
};

// Non-negative random numbers; the default draws from std::rand.
using RandomSource = std::function<int()>;

KitPoint PlaceDialog(const PlacementInput& in, const RandomSource& random = {});

}  // namespace curvelo
