// The many-body window.
#pragma once

#include "plotwin/grid_win.h"

namespace curvelo {

class TPlotXWin : public TGridWin {
public:
    TPlotXWin(fw::TWindow* parent, const std::string& caption);
};

}  // namespace curvelo
