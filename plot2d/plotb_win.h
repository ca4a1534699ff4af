// The 2D layer that draws the examples over the frame and keeps their view-following
// bounds in step with the view.
#pragma once

#include "plot2d/plota_win.h"

namespace curvelo {

class TPlotBWin : public TPlotAWin {
public:
    using TPlotAWin::TPlotAWin;

    void ViewApplied() override;
    bool EvCommand(int id) override;
    bool EvCommandEnable(int id, fw::TCommandEnabler& ce) override;

protected:
    void PaintContent(DrawSurface& surface) override;
    void PaintMovingExamples(DrawSurface& surface) override;

private:
    // Draws every visible example; false when the user stopped the drawing with Q.
    bool DrawExamples(DrawSurface& surface);
    // Commands 732, 733 and 735: asks for a tolerance with its prompt string.
    void AskTolerance(int command);
};

}  // namespace curvelo
