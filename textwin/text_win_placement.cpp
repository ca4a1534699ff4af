#include "textwin/text_win_placement.h"

namespace curvelo {

fw::Rect TextWinRect(const fw::ScreenMetrics& screen, int r1, int r2) {
    const int u = screen.width / 2;
    const int v = screen.menuHeight + screen.captionHeight;
    const int x = u / 2;
    const int y = v + r1 % 50;
    const int height = (75 + r2 % 20) * u / 100;
    return {x, y, x + u, y + height};
}

fw::Rect PaletteWinRect(const fw::ScreenMetrics& screen) {
    const int u = screen.width / 2;
    const int v = screen.menuHeight + screen.captionHeight;
    const int x = u / 2;
    const int y = v + 40;
    return {x, y, x + u / 3, y + u / 3};
}

}  // namespace curvelo
