#include "special/plotg_win.h"

namespace curvelo {

TPlotGWin::TPlotGWin(fw::TWindow* parent, const std::string& caption) : TGridWin(parent, caption) {
    SetMenu("PLOT2MENU");
    LoadAccelerators("PLOT2MENU");
    ShowDefaultFrame();
}

}  // namespace curvelo
