// The geometric measurements of the Egy and Két menus that rest on the six-sum integrator:
// solids and surfaces of revolution about a line ax + by = c, the sector area swept by a
// curve's radius vector, the centroid of a region and solids of known cross-section.
// Each quantity is the parabolic (Simpson) sum of its integrand; docs/measurements.md
// lists the integrands.
#pragma once

#include <cstdint>
#include <vector>

#include "expr/engine.h"
#include "plot2d/inventory.h"
#include "plot2d/measure_tools.h"
#include "plot2d/six_sum_integrator.h"

namespace curvelo {

namespace geometrycmd {
inline constexpr int kRevolution = 1171, kSector = 1172, kCentroid = 1173, kCrossSection = 1174,
                     kCentroidBetween = 1175, kCrossSectionBetween = 1176;
}

// Whether the command is one of the tools above.
bool IsGeometryCommand(int command);
// The Két-menu variants, measured between f and a second example g.
bool MeasuresBetweenTwo(int command);

// The axis of revolution ax + by = c; the default is the x axis.
struct AxisLine {
    long double a = 0, b = 1, c = 0;
};

// Shapes of the cross-sections perpendicular to the x axis, standing on the segment between
// the two graphs; the volume is factor · ∫ (f − g)² dx.
enum class CrossSectionShape {
    Square, SemicircleOnDiameter, DiscOnDiameter, EquilateralTriangle, RightIsoscelesOnLeg,
    RightIsoscelesOnHypotenuse, Count
};
long double CrossSectionFactor(CrossSectionShape shape);

struct GeometryRequest {
    int command = geometrycmd::kRevolution;
    int f = -1;
    int g = -1;  // the second example; -1: the x axis
    AxisLine axis;
    CrossSectionShape shape = CrossSectionShape::Square;
    MeasureLimits limits;
};

// One number a tool reports, with the string id of its caption.
struct GeometryQuantity {
    int captionId = 0;
    long double value = 0;
    bool defined = true;  // false: the quantity does not exist (a centroid of zero area)
};

struct GeometryResult {
    std::vector<GeometryQuantity> quantities;
    int lastKey = 0;               // kKeyStopSum when Q stopped a sum
    std::int64_t undefinedPoints = 0;
};

// Caption string ids of the quantities.
inline constexpr int kCaptionArea = 189, kCaptionVolume = 190, kCaptionSurface = 191, kCaptionCentroidX = 192,
                     kCaptionCentroidY = 193, kCaptionSolidVolume = 194;

// Message code (400 + code) of an axis with a = b = 0.
inline constexpr std::uint16_t kMsgInconsistent = 6;

// Whether example `index` suits the tool (curves for revolutions and sectors, explicit
// functions for regions and cross-sections).
bool CanMeasureGeometry(const ExampleInventory& inventory, int index, int command);

// Computes the tool's quantities; 0, kMsgChoose when an example does not suit it, or
// kMsgInconsistent for a degenerate axis.
std::uint16_t MeasureGeometry(FormulaEngine& engine, const ExampleInventory& inventory, const GeometryRequest& request,
                              const IntegratorHooks& hooks, GeometryResult& out);

}  // namespace curvelo
