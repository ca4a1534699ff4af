// The guessing-game window.
#pragma once

#include "plotwin/grid_win.h"

namespace curvelo {

class TPlotGWin : public TGridWin {
public:
    TPlotGWin(fw::TWindow* parent, const std::string& caption);
};

}  // namespace curvelo
