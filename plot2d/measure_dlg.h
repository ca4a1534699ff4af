// The modeless dialogs of the integration tools: "RIEM" (the six sums of f, or of f - g in
// the Két-menu variant, the strips of the first checked method, and the antiderivative of f
// as a new example), "ARCLEN" (the arc length of a curve), "AREA" (the area between a graph
// and the x axis), and the geometric tools "REVOLVE", "SECTOR", "CENTROID" and "XSECTION".
// Each computation is archived in the example's result list.
#pragma once

#include <vector>

#include "framework/kit_dlg.h"
#include "plot2d/measure_result.h"
#include "plot2d/geometry_measures.h"
#include "plot2d/six_sum_integrator.h"

namespace curvelo {

class TPlot11Win;

namespace measureid {
inline constexpr int kSecondLabel = 297, kFirstCheck = 271, kDrawStrips = 277, kColour = 278,
                     kFirstResult = 231, kDefinite = 761, kIndefinite = 760, kAxisA = 214, kAxisB = 215,
                     kAxisC = 216, kXAxis = 762, kYAxis = 763, kShape = 298;
}

class TMeasureDlg : public TDlg {
public:
    // command: measurecmd::kIntegral, kIntegralOfDifference, kArcLength, kArea or a
    // geometrycmd tool.
    TMeasureDlg(TPlot11Win* window, int command);
    ~TMeasureDlg() override;
    void Detach() { window_ = nullptr; }
    int Command() const { return command_; }
    // Rewrites the example choosers after the inventory changed.
    void Refresh();
    // Reads the fields and computes; false when a field or the example was refused (the
    // message was shown).
    bool Compute();
    // The sums of the last computation.
    const SixSums& Sums() const { return sums_; }
    // The quantities of the last computation of a geometric tool.
    const GeometryResult& Geometry() const { return geometry_; }

    bool EvCommand(int id) override;

protected:
    void SetupWindow() override;

private:
    // The arc-length and area dialogs show the parabolic sum alone.
    bool ShowsOneSum() const;
    int ChosenSlot(int combo, const std::vector<int>& slots) const;
    void FillChooser(int combo, std::vector<int>& slots);
    void ShowSums(std::uint16_t mask);
    bool ComputeGeometry(const MeasureLimits& limits, int f, int g);
    bool SuitsTool(int index) const;
    void Archive(int f, const MeasurementResult& result);

    TPlot11Win* window_;
    int command_;
    std::vector<int> slotsF_, slotsG_;  // chooser line -> inventory slot
    SixSums sums_;
    GeometryResult geometry_;
};

}  // namespace curvelo
