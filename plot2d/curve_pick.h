// Which example a click on the picture meant: the one whose drawn curve passes nearest the
// clicked pixel, within a few pixels.
#pragma once

#include "expr/letters.h"
#include "plot2d/inventory.h"
#include "plotwin/plot_view.h"

namespace curvelo {

// The index of the example, or -1 when no visible curve passes within tolerance pixels.
int PickExample(ExampleInventory& inventory, LetterStore& letters, const PlotView& view, int px,
                int py, double tolerancePixels = 4.0);

// A drawn point of the example's curve inside the view where its equation label may stand
// (three fifths along the visible curve); false when none of the curve is in view.
bool CurveLabelPlace(InventorySlot& slot, LetterStore& letters, const PlotView& view, WorldPoint& at);

}  // namespace curvelo
