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

}  // namespace curvelo
