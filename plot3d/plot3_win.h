// The 3D plot window that the launcher opens.
#pragma once

#include "plotwin/grid_win.h"

namespace curvelo {

class TPlot3Win : public TGridWin {
public:
    TPlot3Win(fw::TWindow* parent, const std::string& caption);
};

}  // namespace curvelo
