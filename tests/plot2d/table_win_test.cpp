#include "framework/automation.h"
#include "framework/clipboard.h"
#include "framework/controls.h"
#include "framework/dialog.h"
#include "framework/kit_inp_dlg.h"
#include "plot2d/example_kinds.h"
#include "plot2d/fn_list_dlg.h"
#include "plot2d/plot2_win.h"
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
