#include "plot2d/plot1_win.h"

#include <algorithm>

#include "expr/eval.h"
#include "framework/kit_inp_dlg.h"
#include "framework/kit_services.h"
#include "plot2d/example_table.h"
#include "plot2d/fn_list_dlg.h"
#include "plot2d/solution_rows.h"
#include "plot2d/table_range_dlg.h"
#include "resources/resources.h"
#include "textwin/value_table.h"

namespace curvelo {

TPlot1Win::~TPlot1Win() {
    if (inventoryDialog_) inventoryDialog_->Detach();
}

void TPlot1Win::ShowInventory() {
    if (!inventoryDialog_) {
        inventoryDialog_ = new TFnListDlg(this);
        if (!inventoryDialog_->Create()) return;
    } else {
        inventoryDialog_->Refresh();
    }
    inventoryDialog_->Show();
}

void TPlot1Win::InventoryDialogGone(TFnListDlg* dialog) {
    if (inventoryDialog_ == dialog) inventoryDialog_ = nullptr;
}

void TPlot1Win::RefreshInventoryView() {
    if (inventoryDialog_) inventoryDialog_->Refresh();
}

void TPlot1Win::DocumentRenamed() {
    TPlot0Win::DocumentRenamed();
    if (inventoryDialog_) inventoryDialog_->UpdateCaption();
}

void TPlot1Win::AskInventorySize() {
    std::string text = std::to_string(Inventory().Capacity());
    TInpDlg ask(this, std::string(res::String(165)) + DocumentTitle(), std::string(res::String(287)), &text, 10);
    if (ask.Execute() != 1) return;
    std::int32_t n = 0;
    if (std::uint16_t code = EvaluateInteger(Engine(), text, 1, kMaxInventoryCapacity, n)) {
        ShowMessage(this, code);
        return;
    }
    // Fewer places than examples would lose some: refused.
    if (!Inventory().Resize(n)) return ShowMessage(this, 17);
    SetModified(true);
}

void TPlot1Win::ShowTable(int index) {
    if (!tableWindow_) {
        tableWindow_ = new TTableWin(this, *this, index, 0);
        tableWindow_->SetHideOnClose(true);
        if (!tableWindow_->Create()) return;
    } else {
        tableWindow_->ShowEquation(index);
    }
    tableWindow_->Show();
    tableWindow_->Raise();
}

bool TPlot1Win::HasTable(int index) const {
    return index >= 0 && index < Inventory().Count() && ExampleHasTable(Inventory().Slot(index));
}

int TPlot1Win::EquationCount() const { return Inventory().Count(); }

int TPlot1Win::SolutionCount(int index) const { return curvelo::SolutionCount(Inventory().Slot(index)); }

std::string TPlot1Win::TableText(int index, int solution) {
    ExampleTableOptions options{ColumnWidth(), Format(), {}, solution, {View(), Tracing()}};
    options.stopRequested = [this] { return PollKey(this) == kKeyQuit; };
    return ExampleTableText(Engine(), Inventory().Slot(index), options);
}

std::string TPlot1Win::TableMethod(int index, int solution) const {
    return SolutionMethodName(Inventory().Slot(index), solution);
}

std::string TPlot1Win::TableLabel(int index) const { return DescribeExample(Inventory().Slot(index).example); }

int TPlot1Win::ColumnWidth() const { return kDefaultTableColumnWidth; }

bool TPlot1Win::HasTableRange(int index) const { return IsEvaluatedTableKind(Inventory().Slot(index).example.kind); }

bool TPlot1Win::EditTableRange(fw::TWindow* parent, int index) {
    TTableRangeDlg dlg(parent, Inventory().At(index), Engine(), Format());
    if (dlg.Execute() != 1) return false;
    SetModified(true);
    return true;
}

bool TPlot1Win::EvCommand(int id) {
    switch (id) {
    case invcmd::kTable: ShowTable(std::max(Inventory().Selected(), 0)); return true;
    case invcmd::kInventory: ShowInventory(); return true;
    case invcmd::kResizeInventory: AskInventorySize(); return true;
    default: return TPlot0Win::EvCommand(id);
    }
}

}  // namespace curvelo
