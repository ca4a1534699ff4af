#include <gtest/gtest.h>

#include "expr/engine.h"
#include "plot3d/surface_form.h"
#include "plot3d/surface_kinds.h"

namespace curvelo {
namespace {

class SurfaceFormTest : public ::testing::Test {
protected:
    FormulaEngine engine;
    NumberFormat format;
};

TEST_F(SurfaceFormTest, MeshSizeFollowsTheVertexRule) {
    TExample e = NewSurfaceExample(kKindSurfaceExplicit, 4, 5);
    EquationForm f = SurfaceFormOf(e, format);
    EXPECT_EQ(f.edits[surfid::kText2], "sin(xx+yy)/(xx+yy)");
    f.edits[surfid::kN1] = "54";
    f.edits[surfid::kN2] = "54";
    FormOutcome o = ApplySurfaceForm(f, engine, e);
    EXPECT_EQ(o.code, 17);
    EXPECT_EQ(o.focusId, surfid::kN1);
    EXPECT_EQ(surf::N1(e), 36);  // nothing written
    f.edits[surfid::kN1] = "53";
    f.edits[surfid::kN2] = "55";
    EXPECT_EQ(ApplySurfaceForm(f, engine, e).code, 17);
    f.edits[surfid::kN2] = "54";
    EXPECT_EQ(ApplySurfaceForm(f, engine, e).code, 0);
    EXPECT_EQ(surf::N1(e), 53);
    EXPECT_EQ(surf::N2(e), 54);
    f.edits[surfid::kSamples1] = "1";
    EXPECT_EQ(ApplySurfaceForm(f, engine, e).code, 17);
}

TEST_F(SurfaceFormTest, SwitchesColoursAndRangesAreRead) {
    TExample e = NewSurfaceExample(kKindSurfaceParametric, 4, 5);
    EquationForm f = SurfaceFormOf(e, format);
    EXPECT_TRUE(f.checks[surfid::kFast]);
    f.checks[surfid::kFast] = false;
    f.checks[surfid::kSpectrum] = true;
    f.combos[surfid::kColour2] = 9;
    f.edits[surfid::kHigh2] = "pi/2";
    ASSERT_EQ(ApplySurfaceForm(f, engine, e).code, 0);
    EXPECT_TRUE(surf::Slow(e));
    EXPECT_TRUE(surf::Spectrum(e));
    EXPECT_EQ(surf::Colour2(e), 9);
    EXPECT_NEAR(static_cast<double>(e.high2), 1.5707963267948966, 1e-15);
    f.edits[surfid::kHigh2] = "-1";
    const FormOutcome o = ApplySurfaceForm(f, engine, e);
    EXPECT_EQ(o.code, 17);
    EXPECT_EQ(o.focusId, surfid::kHigh2);
    f.edits[surfid::kHigh2] = "1";
    f.edits[surfid::kText1] = "sin(";
    EXPECT_NE(ApplySurfaceForm(f, engine, e).code, 0);
}

TEST_F(SurfaceFormTest, SphericalDialogWritesTheCoordinateTexts) {
    TExample e = NewSurfaceExample(kKindSpherical, 4, 5);
    EquationForm f = SurfaceFormOf(e, format);
    f.edits[surfid::kText3] = "2+cos(t)";
    ASSERT_EQ(ApplySurfaceForm(f, engine, e).code, 0);
    EXPECT_EQ(e.texts[3], "2+cos(t)");
    EXPECT_EQ(e.texts[0], "(2+cos(t))sin(u)cos(t)");
    EXPECT_EQ(e.texts[1], "(2+cos(t))sin(u)sin(t)");
    EXPECT_EQ(e.texts[2], "(2+cos(t))cos(u)");
}

TEST_F(SurfaceFormTest, PlaneAndRevolutionRefuseWhatCannotBeBuilt) {
    TExample p = NewSurfaceExample(kKindPlane, 4, 5);
    EquationForm f = SurfaceFormOf(p, format);
    f.edits[surfid::kText3] = "1,2";
    FormOutcome o = ApplySurfaceForm(f, engine, p);
    EXPECT_EQ(o.code, 1);
    EXPECT_EQ(o.focusId, surfid::kText3);
    f.edits[surfid::kText3] = "1,2,3";
    f.edits[surfid::kSquareSize] = "0";
    EXPECT_EQ(ApplySurfaceForm(f, engine, p).code, 6);
    f.edits[surfid::kSquareSize] = "3";
    ASSERT_EQ(ApplySurfaceForm(f, engine, p).code, 0);
    EXPECT_EQ(p.texts[5], "3");

    TExample r = NewSurfaceExample(kKindRevolution, 4, 5);
    EquationForm g = SurfaceFormOf(r, format);
    g.edits[surfid::kAxisA] = "0";
    g.edits[surfid::kAxisB] = "0";
    EXPECT_EQ(ApplySurfaceForm(g, engine, r).code, 6);
    // A polar curve needs only r; x and y may stay empty.
    g.edits[surfid::kAxisB] = "1";
    g.edits[surfid::kText0] = "";
    g.edits[surfid::kText1] = "";
    g.edits[surfid::kText2] = "1+cos(t)";
    EXPECT_EQ(ApplySurfaceForm(g, engine, r).code, 0);
}

}  // namespace
}  // namespace curvelo
