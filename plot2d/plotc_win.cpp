#include "plot2d/plotc_win.h"

#include "plot2d/curve_pick.h"

namespace curvelo {

void TPlotCWin::EvPictureClick(fw::Point p) {
    const int picked = PickExample(Inventory(), Engine().letters, View(), p.x, p.y);
    if (picked < 0) return;
    Inventory().Select(picked);
    RefreshInventoryView();
}

}  // namespace curvelo
