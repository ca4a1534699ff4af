#include "framework/automation.h"
#include "framework/clipboard.h"
#include "framework/controls.h"
#include "framework/dialog.h"
#include "framework/kit_inp_dlg.h"
#include "plot2d/example_kinds.h"
#include "plot2d/example_table.h"
#include "plot2d/initial_condition.h"
#include "plot2d/start_points.h"
#include "plot2d/fn_list_dlg.h"
#include "plot2d/plot2_win.h"
#include "plot2d/table_range_form.h"
#include "textwin/table_win.h"
#include "textwin/value_table.h"

#include <gtest/gtest.h>

using namespace curvelo;
namespace au = curvelo::fw::automation;

namespace {

// 1/x on [-1, 1] in 4 steps, a sine with 3000 rows (several pages), an implicit curve.
void AddExamples(TPlot2Win& w) {
    ExampleInventory& inv = w.Inventory();
    int i = inv.Begin(kKindExplicit, -1, 1);
    inv.At(i).texts[1] = "1/x";
    inv.At(i).tableSteps = 4;
    inv.Commit(i, w.Engine());
    i = inv.Begin(kKindExplicit, 0, 3);
    inv.At(i).texts[1] = "sin(x)";
    inv.At(i).tableSteps = 3000;
    inv.Commit(i, w.Engine());
    i = inv.Begin(kKindImplicit, -5, 5);
    inv.Commit(i, w.Engine());
}

}  // namespace

TEST(TableWindow, InventoryButtonOpensTheTableAndCopyGivesTabbedCells) {
    au::EnsureApplication();
    TPlot2Win w(nullptr, "t.cv2");
    ASSERT_TRUE(w.Create());
    AddExamples(w);
    w.Inventory().Select(2);
    w.ShowInventory();
    ASSERT_NE(w.InventoryDialog(), nullptr);
    EXPECT_FALSE(w.InventoryDialog()->IsItemEnabled(invid::kTable));  // implicit: no table
    w.Inventory().Select(0);
    w.InventoryDialog()->Refresh();
    EXPECT_TRUE(w.InventoryDialog()->IsItemEnabled(invid::kTable));
    w.InventoryDialog()->EvCommand(invid::kTable);

    TTableWin* t = w.TableWindow();
    ASSERT_NE(t, nullptr);
    EXPECT_EQ(t->Pages(), 1);
    EXPECT_EQ(t->GetCaption(), "értéktábázat : y = 1/x]");
    const std::string text = t->Edit()->GetText();
    EXPECT_NE(text.find("nem definiált"), std::string::npos) << text;

    t->Edit()->SelectAll();
    t->EvCommand(textcmd::kCopy);
    const std::string copied = fw::clipboard::GetText();
    EXPECT_NE(copied.find("x\ty\n-1.00000\t-1.00000\n"), std::string::npos) << copied;
    EXPECT_NE(copied.find("0.00000\tnem definiált\n"), std::string::npos) << copied;
}

TEST(TableWindow, PagesStepAndTheCaptionCountsThemThenNextEquationWraps) {
    au::EnsureApplication();
    TPlot2Win w(nullptr, "t.cv2");
    ASSERT_TRUE(w.Create());
    AddExamples(w);
    w.Inventory().Select(1);
    w.EvCommand(invcmd::kTable);
    TTableWin* t = w.TableWindow();
    ASSERT_NE(t, nullptr);
    ASSERT_EQ(t->Pages(), 4);  // 3001 rows of 30 characters
    EXPECT_EQ(t->GetCaption(), "értéktábázat : y = sin(x)] [ 1/4]");
    t->UpdateCommandStates();
    EXPECT_FALSE(t->IsMenuItemEnabled(tablecmd::kPreviousPage));
    EXPECT_TRUE(t->IsMenuItemEnabled(tablecmd::kGoToPage));

    t->EvCommand(tablecmd::kNextPage);
    EXPECT_EQ(t->GetCaption(), "értéktábázat : y = sin(x)] [ 2/4]");
    // Page 1 holds the heading and rows 0 ... 998 (1000 lines of 30 characters).
    EXPECT_EQ(t->Edit()->GetText().substr(0, 8), "0.99900 ");
    au::SetDialogHook([](fw::TDialog& d) {
        d.SetItemText(kIdFirstEdit, "4");
        return 1;
    });
    t->EvCommand(tablecmd::kGoToPage);
    EXPECT_EQ(t->Page(), 3);
    au::SetDialogHook([](fw::TDialog& d) {
        d.SetItemText(kIdFirstEdit, "9");  // no such page: ignored
        return 1;
    });
    t->EvCommand(tablecmd::kGoToPage);
    au::SetDialogHook({});
    EXPECT_EQ(t->Page(), 3);
    t->UpdateCommandStates();
    EXPECT_FALSE(t->IsMenuItemEnabled(tablecmd::kNextPage));
    t->EvCommand(tablecmd::kPreviousPage);
    EXPECT_EQ(t->Page(), 2);

    t->EvCommand(tablecmd::kNextEquation);
    EXPECT_EQ(t->Equation(), 2);
    EXPECT_EQ(t->Edit()->GetText(), "nem betáblázott erre a példára");
    t->EvCommand(tablecmd::kNextEquation);
    EXPECT_EQ(t->Equation(), 0);
    EXPECT_EQ(t->Pages(), 1);
}

TEST(TableWindow, RangeFormTakesFormulasAndRefusesInconsistentValuesUnchanged) {
    FormulaEngine engine;
    TExample e = NewExample(kKindExplicit, -5, 5, 0);
    EXPECT_EQ(ApplyTableRangeForm({"-pi", "2pi", "3*4"}, engine, e).code, 0);
    EXPECT_NEAR(static_cast<double>(e.high), 6.283185307, 1e-9);
    EXPECT_EQ(e.tableSteps, 12);
    const TExample kept = e;
    FormOutcome o = ApplyTableRangeForm({"1", "1", "4"}, engine, e);
    EXPECT_EQ(o.code, 6);
    EXPECT_EQ(o.focusId, tablerangeid::kHigh);
    o = ApplyTableRangeForm({"0", "1", "0.5"}, engine, e);
    EXPECT_EQ(o.code, 6);
    EXPECT_EQ(o.focusId, tablerangeid::kSteps);
    EXPECT_EQ(ApplyTableRangeForm({"0", "1", "70000"}, engine, e).code, 17);
    EXPECT_NE(ApplyTableRangeForm({"0", "(", "4"}, engine, e).code, 0);
    EXPECT_EQ(e, kept);
    EXPECT_EQ(TableRangeFormOf(e, NumberFormat{}).steps, "12");
}

TEST(TableWindow, ParametersDialogRebuildsTheTableAndIsOnlyForEvaluatedKinds) {
    au::EnsureApplication();
    TPlot2Win w(nullptr, "t.cv2");
    ASSERT_TRUE(w.Create());
    AddExamples(w);
    w.ShowTable(0);
    TTableWin* t = w.TableWindow();
    ASSERT_NE(t, nullptr);
    au::SetDialogHook([](fw::TDialog& d) {
        EXPECT_EQ(d.TemplateName(), "TABLELOHI");
        EXPECT_EQ(d.GetItemText(tablerangeid::kSteps), "4");
        d.SetItemText(tablerangeid::kLow, "0");
        d.SetItemText(tablerangeid::kHigh, "2");
        d.SetItemText(tablerangeid::kSteps, "2");
        return 1;
    });
    t->EvCommand(tablecmd::kParameters);
    au::SetDialogHook({});
    EXPECT_EQ(w.Inventory().At(0).tableSteps, 2);
    EXPECT_EQ(t->Edit()->GetText().substr(0, 5), "x    ");
    EXPECT_NE(t->Edit()->GetText().find("2.00000       0.50000"), std::string::npos) << t->Edit()->GetText();
    EXPECT_TRUE(w.IsModified());

    t->EvCommand(tablecmd::kNextEquation);
    t->EvCommand(tablecmd::kNextEquation);
    t->UpdateCommandStates();
    EXPECT_FALSE(t->IsMenuItemEnabled(tablecmd::kParameters));  // implicit
}

TEST(TableWindow, SolutionsOfADyDxEquationAndOfASequenceAreListedOneAfterTheOther) {
    au::EnsureApplication();
    TPlot2Win w(nullptr, "t.cv2");
    ASSERT_TRUE(w.Create());
    ExampleInventory& inv = w.Inventory();
    // dy/dx = y from (0, 1): Euler with h = 0.1 gives 1.1^n; Runge-Kutta the same to 1e-6.
    int i = inv.Begin(kKindSlope, -5, 5);
    inv.At(i).texts[2] = "y";
    TInitialCondition c;
    c.x0 = 0;
    c.y0 = 1;
    c.step = 0.1L;
    c.steps = 10;
    c.methodCode = 0;
    inv.Slot(i).initialConditions.push_back(c.Store());
    c.methodCode = 2;
    inv.Slot(i).initialConditions.push_back(c.Store());
    inv.Commit(i, w.Engine());
    // x' = y, y' = x from (1, 2): the terms swap back and forth.
    i = inv.Begin(kKindSequence, -5, 5);
    inv.At(i).texts[0] = "y";
    inv.At(i).texts[1] = "x";
    StartPoint p;
    p.x = 1;
    p.y = 2;
    p.terms = 4;
    Cv2InitialCondition record{};
    WriteStartPoint(p, record);
    inv.Slot(i).initialConditions.push_back(record);
    inv.Commit(i, w.Engine());
    // An equation without solutions has no table.
    i = inv.Begin(kKindSlope, -5, 5);
    inv.Commit(i, w.Engine());
    // x' = -y, y' = x from (1, 0): the unit circle, time running with the arc.
    i = inv.Begin(kKindSystem, -5, 5);
    inv.At(i).texts[0] = "0-y";
    inv.At(i).texts[1] = "x";
    TInitialCondition around;
    around.x0 = 1;
    around.y0 = 0;
    around.directionCode = static_cast<std::uint16_t>(TraceDirection::kForward);
    inv.Slot(i).initialConditions.push_back(around.Store());
    inv.Commit(i, w.Engine());
    EXPECT_TRUE(ExampleHasTable(inv.Slot(0)));
    EXPECT_FALSE(ExampleHasTable(inv.Slot(2)));
    EXPECT_TRUE(ExampleHasTable(inv.Slot(3)));

    inv.Select(0);
    w.EvCommand(invcmd::kTable);
    TTableWin* t = w.TableWindow();
    ASSERT_NE(t, nullptr);
    EXPECT_NE(t->GetCaption().find("; Euler]"), std::string::npos) << t->GetCaption();
    std::string text = t->Edit()->GetText();
    EXPECT_NE(text.find("1.00000       2.59374"), std::string::npos) << text;  // 1.1^10
    t->EvCommand(tablecmd::kNextEquation);  // the second solution of the chain first
    EXPECT_EQ(t->Equation(), 0);
    EXPECT_EQ(t->Solution(), 1);
    EXPECT_NE(t->GetCaption().find("; Runge-Kutta]"), std::string::npos);
    EXPECT_NE(t->Edit()->GetText().find("1.00000       2.71828"), std::string::npos);  // e
    t->EvCommand(tablecmd::kNextEquation);
    EXPECT_EQ(t->Equation(), 1);
    text = t->Edit()->GetText();
    EXPECT_NE(text.find("n"), std::string::npos);
    EXPECT_NE(text.find("3.00000       2.00000       1.00000"), std::string::npos) << text;
    EXPECT_EQ(text.find("4.00000"), std::string::npos) << text;  // four terms: 0 ... 3
    t->EvCommand(tablecmd::kNextEquation);
    EXPECT_EQ(t->Edit()->GetText(), "nem betáblázott erre a példára");
    t->EvCommand(tablecmd::kNextEquation);
    text = t->Edit()->GetText();
    EXPECT_EQ(text.rfind("t             x             y", 0), 0u) << text.substr(0, 80);
    EXPECT_NE(text.find("0.00000       1.00000       0.00000"), std::string::npos);
    EXPECT_NE(text.find("6.28"), std::string::npos);  // back at the start after one turn
}
