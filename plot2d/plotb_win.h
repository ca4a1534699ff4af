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

    // The next drawing shows condition `condition` of example `example` step by step, each
    // step followed by a pause of delayMs.
    void ObserveCondition(int example, int condition, int delayMs);

protected:
    void PaintContent(DrawSurface& surface) override;
    void PaintMovingExamples(DrawSurface& surface) override;

private:
    // Draws every visible example; false when the user stopped the drawing with Q.
    bool DrawExamples(DrawSurface& surface);
    struct Observed {
        int example = -1, condition = -1, delayMs = 0;
    } observed_;

    // Commands 732, 733 and 735: asks for a tolerance with its prompt string.
    void AskTolerance(int command);
};

}  // namespace curvelo
