#include "plot2d/geometry_measures.h"

#include <cmath>

#include "expr/differentiate.h"
#include "expr/math_functions.h"
#include "plot2d/example_kinds.h"
#include "plot2d/measure_integrand.h"

namespace curvelo {
namespace {


ExprNode* Num(long double v) { return NewNumber(v); }
ExprNode* Times(ExprNode* a, ExprNode* b) { return NewBinary(nk::TIMES, a, b); }
ExprNode* Plus(ExprNode* a, ExprNode* b) { return NewBinary(nk::PLUS, a, b); }
ExprNode* Minus(ExprNode* a, ExprNode* b) { return NewBinary(nk::MINUS, a, b); }
ExprNode* Copy(const ExprNode* t) { return CloneTree(t); }

// x(t), y(t) and their derivatives in the example's sampled letter, made for one computation.
struct CurveTrees {
    OwnedTree x, y, dx, dy;
    bool Complete() const { return x && y && dx && dy; }
};

void BuildCurveTrees(FormulaEngine& engine, const InventorySlot& slot, CurveTrees& out) {
    const std::uint16_t kind = slot.example.kind;
    const std::uint16_t letter = nk::LetterKind(SampledLetter(slot.example));
    if (kind == kKindExplicit) {
        out.x.reset(NewNode(letter));
        out.y.reset(Copy(slot.trees[1]));
        out.dx.reset(Num(1));
        out.dy.reset(Differentiate(engine, slot.trees[1], letter));
        return;
    }
    out.x.reset(Copy(slot.trees[0]));
    out.y.reset(Copy(slot.trees[1]));
    const bool cached = kind == kKindParametric && slot.trees[4] && slot.trees[5];
    out.dx.reset(cached ? Copy(slot.trees[4]) : Differentiate(engine, slot.trees[0], letter));
    out.dy.reset(cached ? Copy(slot.trees[5]) : Differentiate(engine, slot.trees[1], letter));
}

// Integrates `tree` (taking ownership) over the limits in the example's letter; the
// parabolic sum, or nothing when Q stopped it.
struct Integrator {
    FormulaEngine& engine;
    const GeometryRequest& request;
    const IntegratorHooks& hooks;
    int letter;
    GeometryResult& out;

    bool Run(ExprNode* made, long double& value) {
        OwnedTree tree(made);
        if (!tree) return false;
        TreeIntegrand integrand(engine.letters, tree.get(), letter);
        const SixSums sums =
            IntegrateSixWays(integrand.AsIntegrand(), request.limits.low, request.limits.high, request.limits.steps, hooks);
        out.undefinedPoints += sums.undefinedPoints;
        out.lastKey = sums.lastKey;
        value = sums.value[kSumParabolic];
        return sums.lastKey != kKeyStopSum;
    }
};

void MeasureRevolution(const CurveTrees& c, const AxisLine& axis, Integrator& integrate) {
    const long double norm = std::hypot(axis.a, axis.b);
    // Signed distance from the axis and the speed along it: d = (ax + by - c)/|n|,
    // p' = (a y' - b x')/|n|. The volume swept by the region between the curve and the axis is
    // pi |∫ d² p'|, the surface 2 pi ∫ |d| |r'|.
    auto distance = [&] {
        return Times(Num(1 / norm), Minus(Plus(Times(Num(axis.a), Copy(c.x.get())), Times(Num(axis.b), Copy(c.y.get()))),
                                          Num(axis.c)));
    };
    ExprNode* alongAxis =
        Times(Num(1 / norm), Minus(Times(Num(axis.a), Copy(c.dy.get())), Times(Num(axis.b), Copy(c.dx.get()))));
    ExprNode* d = distance();
    long double volume = 0, surface = 0;
    if (!integrate.Run(Times(Times(Num(kPi), Times(d, CloneTree(d))), alongAxis), volume)) return;
    integrate.out.quantities.push_back({kCaptionVolume, std::fabs(volume)});
    ExprNode* speed = NewBinary(nk::ABS2, Copy(c.dx.get()), Copy(c.dy.get()));
    if (!integrate.Run(Times(Times(Num(2 * kPi), NewUnary(nk::ABS, distance())), speed), surface)) return;
    integrate.out.quantities.push_back({kCaptionSurface, surface});
}

void MeasureSector(const CurveTrees& c, Integrator& integrate) {
    // Half the cross product of the radius vector and the velocity: r²/2 for a polar curve,
    // the enclosed area (counter-clockwise positive) for a closed curve.
    long double area = 0;
    ExprNode* cross = BuildDeterminant(c.x.get(), c.y.get(), c.dx.get(), c.dy.get());
    if (integrate.Run(Times(Num(0.5L), cross), area)) integrate.out.quantities.push_back({kCaptionArea, area});
}

// The region between f and g (g null: the x axis), weighted by its height |f - g|.
void MeasureCentroid(const ExprNode* f, const ExprNode* g, int letter, Integrator& integrate) {
    auto height = [&] { return NewUnary(nk::ABS, Minus(Copy(f), g ? Copy(g) : Num(0))); };
    auto middle = [&] { return Times(Num(0.5L), Plus(Copy(f), g ? Copy(g) : Num(0))); };
    long double area = 0, momentY = 0, momentX = 0;
    if (!integrate.Run(height(), area)) return;
    if (!integrate.Run(Times(NewNode(nk::LetterKind(letter)), height()), momentY)) return;
    if (!integrate.Run(Times(middle(), height()), momentX)) return;
    const bool exists = area != 0 && std::isfinite(area);
    integrate.out.quantities.push_back({kCaptionArea, area});
    integrate.out.quantities.push_back({kCaptionCentroidX, exists ? momentY / area : 0, exists});
    integrate.out.quantities.push_back({kCaptionCentroidY, exists ? momentX / area : 0, exists});
}

void MeasureCrossSection(const ExprNode* f, const ExprNode* g, CrossSectionShape shape, Integrator& integrate) {
    ExprNode* side = Minus(Copy(f), g ? Copy(g) : Num(0));
    long double volume = 0;
    if (integrate.Run(Times(Num(CrossSectionFactor(shape)), Times(side, CloneTree(side))), volume))
        integrate.out.quantities.push_back({kCaptionSolidVolume, volume});
}

}  // namespace

bool IsGeometryCommand(int command) {
    return command >= geometrycmd::kRevolution && command <= geometrycmd::kCrossSectionBetween;
}

bool MeasuresBetweenTwo(int command) {
    return command == geometrycmd::kCentroidBetween || command == geometrycmd::kCrossSectionBetween;
}

long double CrossSectionFactor(CrossSectionShape shape) {
    switch (shape) {
    case CrossSectionShape::Square: return 1;
    case CrossSectionShape::SemicircleOnDiameter: return kPi / 8;
    case CrossSectionShape::DiscOnDiameter: return kPi / 4;
    case CrossSectionShape::EquilateralTriangle: return std::sqrt(3.0L) / 4;
    case CrossSectionShape::RightIsoscelesOnLeg: return 0.5L;
    case CrossSectionShape::RightIsoscelesOnHypotenuse: return 0.25L;
    case CrossSectionShape::Count: break;
    }
    return 0;
}

bool CanMeasureGeometry(const ExampleInventory& inventory, int index, int command) {
    const bool curve = command == geometrycmd::kRevolution || command == geometrycmd::kSector;
    return CanMeasure(inventory, index, curve ? Measure::ArcLength : Measure::Integral);
}

std::uint16_t MeasureGeometry(FormulaEngine& engine, const ExampleInventory& inventory, const GeometryRequest& request,
                              const IntegratorHooks& hooks, GeometryResult& out) {
    out = GeometryResult();
    if (!CanMeasureGeometry(inventory, request.f, request.command)) return kMsgChoose;
    if (MeasuresBetweenTwo(request.command) && !CanMeasureGeometry(inventory, request.g, request.command))
        return kMsgChoose;
    const InventorySlot& slot = inventory.Slot(request.f);
    Integrator integrate{engine, request, hooks, SampledLetter(slot.example), out};
    const ExprNode* g = MeasuresBetweenTwo(request.command) ? inventory.Slot(request.g).trees[1] : nullptr;
    switch (request.command) {
    case geometrycmd::kRevolution:
    case geometrycmd::kSector: {
        if (request.command == geometrycmd::kRevolution && !(std::hypot(request.axis.a, request.axis.b) > 0))
            return kMsgInconsistent;
        CurveTrees curve;
        BuildCurveTrees(engine, slot, curve);
        if (!curve.Complete()) return kMsgChoose;
        if (request.command == geometrycmd::kRevolution) MeasureRevolution(curve, request.axis, integrate);
        else MeasureSector(curve, integrate);
        break;
    }
    case geometrycmd::kCentroid:
    case geometrycmd::kCentroidBetween:
        if (!slot.trees[1]) return kMsgChoose;
        MeasureCentroid(slot.trees[1], g, integrate.letter, integrate);
        break;
    default:
        if (!slot.trees[1]) return kMsgChoose;
        MeasureCrossSection(slot.trees[1], g, request.shape, integrate);
        break;
    }
    return 0;
}

}  // namespace curvelo
