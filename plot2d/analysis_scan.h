// The zero, extremum and intersection tools without a window: which examples each takes,
// the function it scans, the point, value and angle of a hit, the text that shows it and
// the record that archives it. The dialogs and the batch command share all of it.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "expr/engine.h"
#include "plot2d/curve_form.h"
#include "plot2d/inventory.h"
#include "plot2d/measure_result.h"
#include "plot2d/root_scan.h"
#include "plotwin/number_format.h"

namespace curvelo {

namespace analysiscmd {
inline constexpr int kZeros = 701, kExtrema = 702, kRunningPoint = 708, kIntersections = 710;
}

// Messages (400 + code) of choices the tools refuse.
inline constexpr int kMsgChooseExample = 15;     // "válassz!"
inline constexpr int kMsgTwoParametric = 160;    // two curves given by a parameter
inline constexpr int kMsgSameExample = 161;      // a curve with itself
inline constexpr int kMsgUndefinedCurve = 1;     // "nem értem": a coefficient is undefined

// Kinds each tool offers in its choosers.
bool HasZeros(std::uint16_t kind);
bool CanIntersect(std::uint16_t kind);
// 0 when the two kinds can be intersected, else the message code.
int IntersectionRefusal(std::uint16_t first, std::uint16_t second);

struct AnalysisHit {
    long double t = 0, x = 0, y = 0;
    long double r = 0;      // extrema of polar and parametric curves: r(t) or |P|
    long double angle = 0;  // intersections: between the tangents, radians, 0 ... pi/2
    // Intersections: the unit tangents of the two curves there.
    WorldPoint tangent1, tangent2;
    int subinterval = 0;
};

// Holds the trees it scans; the scan refers to its own forms, so it stays where it was made.
class AnalysisScan {
public:
    AnalysisScan() = default;
    AnalysisScan(const AnalysisScan&) = delete;
    AnalysisScan& operator=(const AnalysisScan&) = delete;

    // Each returns 0 or a message code; the scan then starts at subinterval 0.
    int PrepareZeros(FormulaEngine& engine, const ExampleInventory& inventory, int index, const PlotView& view);
    int PrepareExtrema(FormulaEngine& engine, const ExampleInventory& inventory, int index, Quantity q,
                       const PlotView& view);
    int PrepareIntersections(FormulaEngine& engine, const ExampleInventory& inventory, int first, int second,
                             const PlotView& view);

    RootScan& Scan() { return scan_; }
    const CurveForm& Scanned() const { return scannedFirst_ ? first_ : second_; }

    // The next hit from the cursor on (at most maxTries subintervals).
    ScanOutcome Next(LetterStore& letters, AnalysisHit& hit, const std::function<int()>& pollKey = {},
                     int maxTries = kScanSubintervals);
    // Every hit of one round from subinterval 0, in scan order; outcome kFound when there was
    // one, else why not.
    ScanOutcome Round(LetterStore& letters, std::vector<AnalysisHit>& hits, const std::function<int()>& pollKey = {});

private:
    void Complete(LetterStore& letters, AnalysisHit& hit);

    int tool_ = 0;
    Quantity quantity_ = Quantity::kY;
    CurveForm first_, second_;
    bool scannedFirst_ = true;
    TreePtr h_, dh_;
    ScanTarget target_;
    RootScan scan_;
};

// "x = ...  y = ..." as the dialogs show a hit (and the batch command prints it).
std::string HitText(int tool, std::uint16_t kind, const AnalysisHit& hit, const NumberFormat& format,
                    bool degrees = true);

// The archived record of a hit: the tool, x and y of the point, and t (the angle for an
// intersection) with the subinterval.
MeasurementResult HitRecord(int tool, const AnalysisHit& hit);
bool IsHitRecord(const MeasurementResult& result);
// Archives a record in the example's list once; the oldest makes room when it is full.
void ArchiveResult(InventorySlot& slot, const MeasurementResult& result);

// A point example at the hit (its formula texts hold the coordinates); its slot, or -1 when
// the inventory is full or a coordinate has no short written form.
int AddHitPoint(ExampleInventory& inventory, FormulaEngine& engine, long double x, long double y);
// A coordinate as a point example's formula text; false when it has no short written form.
bool PointCoordinateText(long double v, std::string& out);

}  // namespace curvelo
