// The 2D plot window that the launcher opens.
#pragma once

#include "plotwin/grid_win.h"

namespace curvelo {

class TPlot2Win : public TGridWin {
public:
    TPlot2Win(fw::TWindow* parent, const std::string& caption);
};

}  // namespace curvelo
