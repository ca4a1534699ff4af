#include "plot3d/plot3_win.h"

namespace curvelo {

TPlot3Win::TPlot3Win(fw::TWindow* parent, const std::string& caption) : TGridWin(parent, caption) {
    SetMenu("PLOT3MENU");
    LoadAccelerators("PLOT3MENU");
    ShowDefaultFrame();
}

}  // namespace curvelo
