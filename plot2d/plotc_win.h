// The 2D layer of the mouse on the picture: a click on or near a curve selects its example;
// in the text mode a click places or edits a text label and a drag moves one.
#pragma once

#include "plot2d/plotb_win.h"

namespace curvelo {

namespace mousecmd {
inline constexpr int kTextMode = 114;
}

class TPlotCWin : public TPlotBWin {
public:
    using TPlotBWin::TPlotBWin;

    bool TextMode() const { return textMode_; }

    bool EvCommand(int id) override;
    bool EvCommandEnable(int id, fw::TCommandEnabler& ce) override;

protected:
    void EvPictureClick(fw::Point p) override;
    void Paint(fw::DC& dc, bool erase, const fw::Rect& rect) override;
    void EvLButtonDown(unsigned modifiers, fw::Point p) override;
    void EvMouseMove(unsigned modifiers, fw::Point p) override;
    void EvLButtonUp(unsigned modifiers, fw::Point p) override;

private:
    bool textMode_ = false;
    bool pressed_ = false;
    int dragged_ = -1;  // the label under the press, or -1
    fw::Point pressAt_{}, dragAt_{};
};

}  // namespace curvelo
