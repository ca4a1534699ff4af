// The last layer that 2D and 3D windows share; the integration tools join it.
#pragma once

#include "plot2d/plot1_win.h"

namespace curvelo {

class TPlot11Win : public TPlot1Win {
public:
    using TPlot1Win::TPlot1Win;
};

}  // namespace curvelo
