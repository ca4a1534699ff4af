// The first 2D layer: the curve kinds of the Equation menu (explicit, polar, parametric,
// implicit),
// created and edited through their equation dialogs.
#pragma once

#include <cstdint>

#include "framework/kit_placement.h"
#include "plot2d/plot11_win.h"

namespace curvelo {

namespace eqcmd {
inline constexpr int kExplicit = 901, kPolar = 902, kParametric = 903, kImplicit = 904;
inline constexpr int kSystem = 910, kSlope = 911;
}

class TPlotAWin : public TPlot11Win {
public:
    using TPlot11Win::TPlot11Win;

    // Begins an example of the kind, lets the user edit it and keeps it on OK. Returns the
    // slot, or -1 when the inventory is full or the user cancelled.
    int AddExample(std::uint16_t kind);
    bool EditExample(int index) override;

    bool EvCommand(int id) override;

private:
    // The equation dialog of the example's kind; true when it closed with OK.
    bool RunExampleDialog(TExample& example);
    DlgPosition equationDialogPlace_;
};

}  // namespace curvelo
