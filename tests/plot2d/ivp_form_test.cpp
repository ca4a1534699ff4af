// Initial conditions: the stored node, the dialog's reading of its fields, conditions kept
// as formula texts, and what a click adds.
#include <gtest/gtest.h>

#include "expr/byte_io.h"
#include "expr/engine.h"
#include "expr/letters.h"
#include "plot2d/example_kinds.h"
#include "plot2d/initial_condition.h"
#include "plot2d/ivp_form.h"
#include "plot2d/ode_form.h"

using namespace curvelo;

TEST(InitialConditionNode, NamedFieldsSitAtTheirOffsetsAndUnknownBytesSurvive) {
    Cv2InitialCondition stored;
    for (std::size_t i = 0; i < kInitialConditionSize; ++i) stored.record[i] = static_cast<std::uint8_t>(i * 7 + 3);
    PutU32(stored.record.data() + TInitialCondition::kOffLink, 0);
    PutU16(stored.record.data() + TInitialCondition::kOffTextFlag, kConditionAsText);
    stored.texts = {"a", "b+1", "0.1", "100"};
    const TInitialCondition c = TInitialCondition::Load(stored);
    EXPECT_TRUE(c.AsText());
    EXPECT_EQ(c.Store(), stored);  // byte for byte, texts too

    TInitialCondition n;
    n.x0 = 1.5L;
    n.y0 = -2;
    n.t0 = 3;
    n.steps = 250;
    n.methodCode = 1;
    n.directionCode = 0;
    n.step = -0.25L;
    n.colour = 7;
    n.width = 3;
    const Cv2InitialCondition out = n.Store();
    const std::uint8_t* r = out.record.data();
    EXPECT_EQ(LoadExt80(r + 0), 1.5L);
    EXPECT_EQ(LoadExt80(r + 10), -2);
    EXPECT_EQ(GetU16(r + 30), kConditionPlain);
    EXPECT_EQ(LoadExt80(r + 43), 250);
    EXPECT_EQ(GetU16(r + 53), 1);
    EXPECT_EQ(LoadExt80(r + 67), -0.25L);
    EXPECT_EQ(GetU16(r + 79), 7);
    EXPECT_EQ(GetU16(r + 83), 3);
    EXPECT_EQ(GetU32(r + 91), 0u);
    EXPECT_FALSE(out.HasTexts());
    EXPECT_TRUE(out.texts[0].empty());

    // Hostile counts and codes are read safely.
    TInitialCondition odd = n;
    odd.methodCode = 9;
    odd.directionCode = 77;
    odd.steps = 1e30L;
    EXPECT_EQ(odd.Method(), SlopeMethod::kRungeKutta);
    EXPECT_EQ(odd.Direction(), TraceDirection::kBoth);
    EXPECT_EQ(odd.StepLimit(), static_cast<long long>(kMaxSlopeSteps));
    odd.steps = -5;
    EXPECT_EQ(odd.StepLimit(), 0);
}

TEST(IvpForm, FieldsAreCheckedAndTextsFollowTheLetters) {
    FormulaEngine engine;
    NumberFormat format;
    TInitialCondition c;
    IvpForm form = IvpFormOf(kKindSlope, c, format);
    form.edits[ivpid::kX] = "pi/2";
    form.edits[ivpid::kY] = "a+1";
    form.edits[ivpid::kStep] = "0.05";
    form.edits[ivpid::kSteps] = "0";
    EXPECT_EQ(ApplyIvpForm(kKindSlope, form, engine, c).code, 14);  // "pozitív érték?"
    form.edits[ivpid::kSteps] = "200";
    form.edits[ivpid::kStep] = "0";
    EXPECT_EQ(ApplyIvpForm(kKindSlope, form, engine, c).focusId, ivpid::kStep);
    form.edits[ivpid::kStep] = "-0.05";
    form.edits[ivpid::kX] = "pi/";
    EXPECT_NE(ApplyIvpForm(kKindSlope, form, engine, c).code, 0);
    EXPECT_EQ(c.x0, 0);  // nothing taken from a bad form
    form.edits[ivpid::kX] = "pi/2";
    form.asText = true;
    form.method = 0;
    ASSERT_EQ(ApplyIvpForm(kKindSlope, form, engine, c).code, 0);
    EXPECT_NEAR(static_cast<double>(c.x0), 1.5707963267948966, 1e-15);
    EXPECT_EQ(c.y0, 1);
    EXPECT_EQ(c.step, -0.05L);
    EXPECT_EQ(c.steps, 200);
    EXPECT_EQ(c.Method(), SlopeMethod::kEuler);
    EXPECT_EQ(c.textFlag, kConditionAsText);
    EXPECT_EQ(c.texts[TInitialCondition::kTextY0], "a+1");

    SetLetter(engine.letters, 1, 4);  // A
    UpdateFromTexts(kKindSlope, engine, c);
    EXPECT_EQ(c.y0, 5);
    // A text that no longer evaluates keeps the last value.
    c.texts[TInitialCondition::kTextY0] = "a+";
    UpdateFromTexts(kKindSlope, engine, c);
    EXPECT_EQ(c.y0, 5);

    // A system reads t0 and its direction; plain numbers drop the texts.
    TInitialCondition s;
    IvpForm sys = IvpFormOf(kKindSystem, s, format);
    sys.edits[ivpid::kT] = "2";
    sys.direction = 1;
    ASSERT_EQ(ApplyIvpForm(kKindSystem, sys, engine, s).code, 0);
    EXPECT_EQ(s.t0, 2);
    EXPECT_EQ(s.Direction(), TraceDirection::kBackward);
    EXPECT_FALSE(s.AsText());
    EXPECT_NE(IvpListLine(kKindSystem, s, format).find("hátra"), std::string::npos);
}

TEST(IvpForm, AClickGivesBothDirectionsOfADyDxSolutionAndOneSystemCondition) {
    TInitialCondition last;
    last.step = -0.3L;
    last.steps = 50;
    last.colour = 6;
    last.textFlag = kConditionAsText;
    last.texts = {"a", "b", "c", "d"};
    const auto slope = ConditionsAtClick(kKindSlope, 1, 2, {last}, 10);
    ASSERT_EQ(slope.size(), 2u);
    EXPECT_EQ(slope[0].step, 0.3L);
    EXPECT_EQ(slope[1].step, -0.3L);
    for (const auto& c : slope) {
        EXPECT_EQ(c.x0, 1);
        EXPECT_EQ(c.y0, 2);
        EXPECT_EQ(c.colour, 6);
        EXPECT_FALSE(c.AsText());
    }
    const auto first = ConditionsAtClick(kKindSlope, 0, 0, {}, 10);
    EXPECT_EQ(first[0].step, 0.05L);
    EXPECT_GE(first[0].steps * first[0].step, 20);  // crosses the view's width twice
    EXPECT_EQ(ConditionsAtClick(kKindSystem, 1, 2, {}, 10).size(), 1u);
}

TEST(OdeForm, TheSystemDialogKeepsItsRestrictionAndTheFieldSettings) {
    FormulaEngine engine;
    NumberFormat format;
    TExample e = NewExample(kKindSystem, 0, 1, 3);
    EXPECT_EQ(e.penColour, 4);
    OdeForm form = OdeFormOf(e, format);
    EXPECT_EQ(form.edits[odeid::kDxDt], "xx-yy");
    form.edits[odeid::kRestriction] = "x+";
    form.checks[odeid::kRestricted] = true;
    EXPECT_EQ(ApplyOdeForm(form, engine, e).focusId, odeid::kRestriction);
    form.edits[odeid::kRestriction] = "1-x*x-y*y";
    form.edits[odeid::kRows] = "0";
    EXPECT_EQ(ApplyOdeForm(form, engine, e).focusId, odeid::kRows);
    form.edits[odeid::kRows] = "12";
    form.edits[odeid::kSegment] = "2.5";
    form.fieldStyle = 2;
    form.checks[odeid::kTimeDependent] = true;
    form.checks[odeid::kBorders] = false;
    ASSERT_EQ(ApplyOdeForm(form, engine, e).code, 0);
    EXPECT_EQ(e.texts[3], "1-x*x-y*y");
    EXPECT_TRUE(Restricted(e));
    EXPECT_TRUE(TimeDependent(e));
    EXPECT_EQ(e.fieldRows, 12);
    EXPECT_EQ(e.fieldSegment, 25);
    EXPECT_EQ(e.reserved16, 2);
    EXPECT_EQ(e.flags52[0], 0);
    // A dy/dx field has no vectors.
    TExample s = NewExample(kKindSlope, 0, 1, 3);
    OdeForm sf = OdeFormOf(s, format);
    sf.fieldStyle = 2;
    ASSERT_EQ(ApplyOdeForm(sf, engine, s).code, 0);
    EXPECT_EQ(s.reserved16, 1);
}
