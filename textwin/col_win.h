// The colour palette: a small window of 25 colour cells and a sample of the colour being
// edited. A click on a cell stores its index in the owner's colour field and tells the owner
// which colour kind changed.
#pragma once

#include <array>
#include <functional>

#include "framework/bitmap.h"
#include "framework/frame_window.h"

namespace curvelo {

class TColWin : public fw::TFrameWindow {
public:
    using Palette = std::array<fw::Color, 25>;

    // colourIndex points into the owner and must outlive the window (or be reset by
    // SetTarget); colours are the RGB values of the indexes 0..24.
    TColWin(fw::TWindow* owner, const Palette& colours, int kind, int* colourIndex,
            std::function<void(int kind)> changed);

    // Edit another colour kind (the palette is shown again for it).
    void SetTarget(int kind, int* colourIndex);
    int Kind() const { return kind_; }

    // The click rule, exposed so that the owner and tests can press a cell.
    void ClickAt(int x, int y);

protected:
    void SetupWindow() override;
    void Paint(fw::DC& dc, bool erase, const fw::Rect& rect) override;
    void EvSize(int clientWidth, int clientHeight) override;
    void EvLButtonDown(unsigned modifiers, fw::Point p) override;

private:
    void DrawPalette();

    fw::TWindow* owner_;
    Palette colours_;
    int kind_;
    int* index_;
    std::function<void(int)> changed_;
    fw::Bitmap picture_;
};

}  // namespace curvelo
