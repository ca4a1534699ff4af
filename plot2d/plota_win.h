// The first 2D layer: the kinds of the Equation menu (curves, segments, lines, points,
// sequences and the other objects), created and edited through their equation dialogs.
#pragma once

#include <cstdint>

#include "framework/kit_placement.h"
#include "plot2d/plot11_win.h"

namespace curvelo {

namespace eqcmd {
inline constexpr int kExplicit = 901, kPolar = 902, kParametric = 903;
inline constexpr int kSegment = 905, kSegmentPolar = 916, kLine = 908, kPoint = 909, kPointPolar = 914,
                     kSequence = 912, kRollingCircle = 789, kInterpolation = 913, kPointOnCurve = 507,
                     kPointSequence = 508;
inline constexpr int kHideShowPoints = 820;
}

class TPlotAWin : public TPlot11Win {
public:
    using TPlot11Win::TPlot11Win;

    // Begins an example of the kind, lets the user edit it and keeps it on OK. Returns the
    // slot, or -1 when the inventory is full or the user cancelled.
    // Segments and points given in polar coordinates start with polarInput.
    int AddExample(std::uint16_t kind, bool polarInput = false);
    bool EditExample(int index) override;

    bool EvCommand(int id) override;
    bool EvCommandEnable(int id, fw::TCommandEnabler& ce) override;

private:
    // Runs the dialog of the example's kind on its slot; true when accepted. A segment's
    // dialog tells whether its end points are to become point examples.
    bool RunExampleDialog(int index, bool& endPoints);
    // A new example's kind-specific start: a sequence's start point, the curve a point on a
    // curve starts from (the selected one).
    void PrepareNewExample(int index);
    // The segment's two end points as point examples of their own.
    void AddSegmentEnds(int segment);
    // "Pontot": hides every point-like example, and shows them on the next use.
    void HideOrShowPoints();

    DlgPosition equationDialogPlace_;
    bool pointsHidden_ = false;
};

}  // namespace curvelo
