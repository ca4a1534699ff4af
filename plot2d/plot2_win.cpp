#include "plot2d/plot2_win.h"

namespace curvelo {

TPlot2Win::TPlot2Win(fw::TWindow* parent, const std::string& caption) : TPlotEWin(parent, caption) {
    SetMenu("PLOT2MENU");
    LoadAccelerators("PLOT2MENU");
    ShowDefaultFrame();
}

}  // namespace curvelo
