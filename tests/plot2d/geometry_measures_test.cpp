#include <cmath>
#include <numbers>
#include <string>
#include <vector>

#include "expr/engine.h"
#include "plot2d/example_kinds.h"
#include "plot2d/geometry_measures.h"
#include "plot2d/inventory.h"

#include <gtest/gtest.h>

using namespace curvelo;

namespace {

constexpr double kPiD = std::numbers::pi;

class GeometryMeasuresTest : public ::testing::Test {
protected:
    int Add(std::uint16_t kind, std::vector<std::string> texts) {
        const int i = inventory.Begin(kind, -5, 5);
        for (std::size_t k = 0; k < texts.size(); ++k) inventory.At(i).texts[k] = texts[k];
        inventory.Commit(i, engine);
        return i;
    }
    GeometryResult Measure(int command, int f, long double low, long double high, int steps = 2000) {
        request.command = command;
        request.f = f;
        request.limits = {low, high, steps};
        GeometryResult out;
        code = MeasureGeometry(engine, inventory, request, {}, out);
        return out;
    }
    static double Value(const GeometryResult& r, int caption) {
        for (const GeometryQuantity& q : r.quantities)
            if (q.captionId == caption) return static_cast<double>(q.value);
        ADD_FAILURE() << "no quantity " << caption;
        return NAN;
    }

    FormulaEngine engine;
    ExampleInventory inventory;
    GeometryRequest request;
    std::uint16_t code = 0;
};

}  // namespace

TEST_F(GeometryMeasuresTest, UnitBallAndSphereAboutTheXAxisFromAGraphAndFromACurve) {
    const int half = Add(kKindExplicit, {"", "sqrt(1-x^2)"});
    const GeometryResult ball = Measure(geometrycmd::kRevolution, half, -1, 1);
    ASSERT_EQ(code, 0);
    EXPECT_NEAR(Value(ball, kCaptionVolume), 4 * kPiD / 3, 1e-9);
    // The half circle as a curve: the sphere and its surface, with no infinite slope at the ends.
    const int arc = Add(kKindParametric, {"cos(t)", "sin(t)"});
    const GeometryResult sphere = Measure(geometrycmd::kRevolution, arc, 0, kPiD, 1000);
    EXPECT_NEAR(Value(sphere, kCaptionVolume), 4 * kPiD / 3, 1e-9);
    EXPECT_NEAR(Value(sphere, kCaptionSurface), 4 * kPiD, 1e-9);
}

TEST_F(GeometryMeasuresTest, AxisPresetsAndShiftedAxesGiveTheTextbookSolids) {
    // y = x on [0, 1] about the y axis sweeps the region left of the line: a cone turned
    // upside down, pi r^2 h / 3 with r = h = 1, and its lateral surface pi r sqrt(2).
    const int line = Add(kKindExplicit, {"", "x"});
    request.axis = {1, 0, 0};
    GeometryResult r = Measure(geometrycmd::kRevolution, line, 0, 1);
    EXPECT_NEAR(Value(r, kCaptionVolume), kPiD / 3, 1e-12);
    EXPECT_NEAR(Value(r, kCaptionSurface), kPiD * std::sqrt(2.0), 1e-12);
    // y = 1 on [0, 2] about y = -1: a cylinder of radius 2 and length 2.
    const int constant = Add(kKindExplicit, {"", "1"});
    request.axis = {0, 1, -1};
    r = Measure(geometrycmd::kRevolution, constant, 0, 2);
    EXPECT_NEAR(Value(r, kCaptionVolume), kPiD * 4 * 2, 1e-12);
    EXPECT_NEAR(Value(r, kCaptionSurface), 2 * kPiD * 2 * 2, 1e-12);
    // A scaled normal (0, 3) is the same axis.
    request.axis = {0, 3, -3};
    EXPECT_NEAR(Value(Measure(geometrycmd::kRevolution, constant, 0, 2), kCaptionVolume), kPiD * 8, 1e-12);
    // a = b = 0 is no line.
    request.axis = {0, 0, 1};
    Measure(geometrycmd::kRevolution, constant, 0, 2);
    EXPECT_EQ(code, kMsgInconsistent);
}

TEST_F(GeometryMeasuresTest, SectorAreaOfPolarAndClosedCurves) {
    // r = 2 over a quarter turn: a quarter of the disc of radius 2.
    const int polar = Add(kKindPolar, {"", "", "2"});
    EXPECT_NEAR(Value(Measure(geometrycmd::kSector, polar, 0, kPiD / 2, 10), kCaptionArea), kPiD, 1e-12);
    // The cardioid r = 1 + cos t encloses 3 pi / 2.
    const int cardioid = Add(kKindPolar, {"", "", "1+cos(t)"});
    EXPECT_NEAR(Value(Measure(geometrycmd::kSector, cardioid, 0, 2 * kPiD), kCaptionArea), 1.5 * kPiD, 1e-9);
    // An ellipse traced counter-clockwise encloses pi a b; clockwise, the sign turns.
    const int ellipse = Add(kKindParametric, {"3cos(t)", "2sin(t)"});
    EXPECT_NEAR(Value(Measure(geometrycmd::kSector, ellipse, 0, 2 * kPiD), kCaptionArea), 6 * kPiD, 1e-9);
    EXPECT_NEAR(Value(Measure(geometrycmd::kSector, ellipse, 2 * kPiD, 0), kCaptionArea), -6 * kPiD, 1e-9);
    // An explicit example is refused: it is not a curve of the tool's kind? It is: y = 1 on
    // [0, 1] seen from the origin sweeps the triangle of area 1/2 (x f' - f = -1).
    const int flat = Add(kKindExplicit, {"", "1"});
    EXPECT_NEAR(Value(Measure(geometrycmd::kSector, flat, 1, 0, 4), kCaptionArea), 0.5, 1e-15);
}

TEST_F(GeometryMeasuresTest, CentroidOfRegionsAndWhenItDoesNotExist) {
    // Under y = x^2 on [0, 1]: area 1/3, centroid (3/4, 3/10).
    const int parabola = Add(kKindExplicit, {"", "x^2"});
    GeometryResult r = Measure(geometrycmd::kCentroid, parabola, 0, 1);
    EXPECT_NEAR(Value(r, kCaptionArea), 1.0 / 3, 1e-12);
    EXPECT_NEAR(Value(r, kCaptionCentroidX), 0.75, 1e-12);
    EXPECT_NEAR(Value(r, kCaptionCentroidY), 0.3, 1e-12);
    // Between y = x and y = x^2 (the Két variant): area 1/6, centroid (1/2, 2/5).
    const int line = Add(kKindExplicit, {"", "x"});
    request.g = parabola;
    r = Measure(geometrycmd::kCentroidBetween, line, 0, 1);
    EXPECT_NEAR(Value(r, kCaptionArea), 1.0 / 6, 1e-12);
    EXPECT_NEAR(Value(r, kCaptionCentroidX), 0.5, 1e-12);
    EXPECT_NEAR(Value(r, kCaptionCentroidY), 0.4, 1e-12);
    // sin on [-pi, pi]: the two lobes are a region of area 4 whose centroid is the origin,
    // not a signed integral of 0 with no centroid.
    const int sine = Add(kKindExplicit, {"", "sin(x)"});
    r = Measure(geometrycmd::kCentroid, sine, -kPiD, kPiD);
    EXPECT_NEAR(Value(r, kCaptionArea), 4, 1e-6);
    EXPECT_NEAR(Value(r, kCaptionCentroidX), 0, 1e-9);
    // y = 0 bounds no region.
    const int zero = Add(kKindExplicit, {"", "0"});
    r = Measure(geometrycmd::kCentroid, zero, 0, 1);
    ASSERT_EQ(r.quantities.size(), 3u);
    EXPECT_FALSE(r.quantities[1].defined);
    // A parametric curve is no function of x.
    const int curve = Add(kKindParametric, {"cos(t)", "sin(t)"});
    Measure(geometrycmd::kCentroid, curve, 0, 1);
    EXPECT_EQ(code, kMsgChoose);
}

TEST_F(GeometryMeasuresTest, CrossSectionSolidsOverTheRegionUnderAGraph) {
    // Base: under y = 1 - x^2 on [-1, 1]; ∫ (1 - x^2)^2 = 16/15.
    const int cap = Add(kKindExplicit, {"", "1-x^2"});
    const double integral = 16.0 / 15;
    const struct {
        CrossSectionShape shape;
        double factor;
    } cases[] = {{CrossSectionShape::Square, 1},
                 {CrossSectionShape::SemicircleOnDiameter, kPiD / 8},
                 {CrossSectionShape::DiscOnDiameter, kPiD / 4},
                 {CrossSectionShape::EquilateralTriangle, std::sqrt(3.0) / 4},
                 {CrossSectionShape::RightIsoscelesOnLeg, 0.5},
                 {CrossSectionShape::RightIsoscelesOnHypotenuse, 0.25}};
    for (const auto& c : cases) {
        request.shape = c.shape;
        EXPECT_NEAR(Value(Measure(geometrycmd::kCrossSection, cap, -1, 1, 400), kCaptionSolidVolume), c.factor * integral,
                    1e-10)
            << static_cast<int>(c.shape);
    }
    // Between two graphs the side is their distance, whichever lies above.
    const int line = Add(kKindExplicit, {"", "1"});
    request.g = line;
    request.shape = CrossSectionShape::Square;
    EXPECT_NEAR(Value(Measure(geometrycmd::kCrossSectionBetween, cap, -1, 1, 400), kCaptionSolidVolume), 0.4, 1e-9);
}

TEST_F(GeometryMeasuresTest, QStopsAndUndefinedPointsAreCounted) {
    const int f = Add(kKindExplicit, {"", "sqrt(x)"});
    request.command = geometrycmd::kCentroid;
    request.f = f;
    request.limits = {-1, 1, 100};
    GeometryResult out;
    ASSERT_EQ(MeasureGeometry(engine, inventory, request, {}, out), 0);
    EXPECT_GT(out.undefinedPoints, 0);
    IntegratorHooks stop;
    stop.pollKey = [] { return kKeyStopSum; };
    ASSERT_EQ(MeasureGeometry(engine, inventory, request, stop, out), 0);
    EXPECT_EQ(out.lastKey, kKeyStopSum);
    EXPECT_TRUE(out.quantities.empty());  // a stopped sum reports nothing
}
