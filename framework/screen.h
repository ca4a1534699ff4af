// Metrics of the primary display.
#pragma once

namespace curvelo::fw {

struct ScreenMetrics {
    int width = 0, height = 0;          // pixels
    int widthMm = 0, heightMm = 0;
    int dpiX = 96, dpiY = 96;
    int captionHeight = 0;              // title bar of a top-level window
    int menuHeight = 0;                 // one menu bar line
};

ScreenMetrics PrimaryScreen();

}  // namespace curvelo::fw
