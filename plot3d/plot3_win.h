// The 3D plot window that the launcher opens: the top of the 3D chain, with the automatic
// rotation about the z axis and the inventory's 3D buttons.
#pragma once

#include <string>

#include "plot3d/plotr_win.h"

namespace curvelo {

namespace rotcmd {
inline constexpr int kAutoRotation = 725, kFrameCount = 748;
}

class TPlot3Win : public TPlotRWin {
public:
    TPlot3Win(fw::TWindow* parent, const std::string& caption);

    // Records one full turn in the frame count's pictures and plays them back until Q;
    // the eye and the step are as before afterwards. Returns the number of frames recorded
    // (0 when Q stopped the recording or no picture could be had).
    int AutoRotate();
    // Asks the number of frames of the automatic rotation.
    void AskFrameCount();

    // "rétegek" waits for level curves; "sejt" opens the example's cell dialog.
    std::string InventoryButtonText(int id) const override;
    bool CanIterate(int index) const override { return IsSlot(index); }
    bool EditIteration(int index) override;

    bool EvCommand(int id) override;
};

}  // namespace curvelo
