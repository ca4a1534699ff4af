// The first 2D layer: the kinds of the Equation menu (explicit, polar, parametric and
// implicit curves, segments, lines, points, sequences and the other objects), created and
// edited through their equation dialogs.
#pragma once

#include <cstdint>

#include "plot2d/plot11_win.h"

namespace curvelo {

namespace eqcmd {
inline constexpr int kExplicit = 901, kPolar = 902, kParametric = 903, kImplicit = 904;
inline constexpr int kSegment = 905, kSegmentPolar = 916, kLine = 908, kPoint = 909, kPointPolar = 914,
                     kSequence = 912, kRollingCircle = 789, kInterpolation = 913, kPointOnCurve = 507,
                     kPointSequence = 508;
inline constexpr int kHideShowPoints = 820;
inline constexpr int kSystem = 910, kSlope = 911;
}

class TPlotAWin : public TPlot11Win {
public:
    using TPlot11Win::TPlot11Win;

    bool EvCommand(int id) override;
    bool EvCommandEnable(int id, fw::TCommandEnabler& ce) override;

protected:
    // Segments and points given in polar coordinates start with polarInput.
    int BeginExample(std::uint16_t kind, bool polarInput) override;
    bool HasExampleDialog(const TExample& example) const override;
    // A segment's dialog also tells whether its end points are to become point examples.
    bool RunExampleDialog(int index) override;
    void AcceptExample(int index, bool isNew) override;

private:
    // A new example's kind-specific start: a sequence's start point, the curve a point on a
    // curve starts from (the selected one).
    void PrepareNewExample(int index);
    // The segment's two end points as point examples of their own.
    void AddSegmentEnds(int segment);
    // "Pontot": hides every point-like example, and shows them on the next use.
    void HideOrShowPoints();

    bool pointsHidden_ = false;
    bool endPointsAsked_ = false;
};

}  // namespace curvelo
