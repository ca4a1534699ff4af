// The 2D layer of the mouse on the picture: a click on or near a curve selects its example.
#pragma once

#include "plot2d/plotb_win.h"

namespace curvelo {

class TPlotCWin : public TPlotBWin {
public:
    using TPlotBWin::TPlotBWin;

protected:
    void EvPictureClick(fw::Point p) override;
};

}  // namespace curvelo
