#include "special/plotx_win.h"

namespace curvelo {

TPlotXWin::TPlotXWin(fw::TWindow* parent, const std::string& caption) : TGridWin(parent, caption) {
    SetMenu("PLOT2MENU");
    LoadAccelerators("PLOT2MENU");
    ShowDefaultFrame();
}

}  // namespace curvelo
