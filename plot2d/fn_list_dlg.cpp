#include "plot2d/fn_list_dlg.h"

#include "framework/clipboard.h"
#include "framework/kit_inp_dlg.h"
#include "plot2d/example_table.h"
#include "plot2d/plot1_win.h"
#include "resources/resources.h"
#include "textwin/value_table.h"

namespace curvelo {

TFnListDlg::TFnListDlg(TPlot1Win* window) : TDlg(window, "INVENT"), window_(window) {}

TFnListDlg::~TFnListDlg() {
    if (window_) window_->InventoryDialogGone(this);
}

void TFnListDlg::SetupWindow() {
    TDlg::SetupWindow();
    for (int id : {invid::kDerive, invid::kIteration})
        if (const std::string text = window_->InventoryButtonText(id); !text.empty()) SetItemText(id, text);
    Refresh();
}

void TFnListDlg::UpdateCaption() {
    if (window_) SetCaption(std::string(res::String(165)) + window_->DocumentTitle());
}

void TFnListDlg::Refresh() {
    if (!window_) return;
    UpdateCaption();
    ExampleInventory& inv = window_->Inventory();
    // Emptying the list reports a lost selection; the inventory's own stays.
    const int selected = inv.Selected();
    refreshing_ = true;
    ClearList(invid::kList);
    for (const std::string& line : inv.ListLines(window_->Format().Pattern())) AddString(invid::kList, line);
    SetSelIndex(invid::kList, selected);
    refreshing_ = false;
    inv.Select(selected);
    UpdateButtons();
}

void TFnListDlg::UpdateButtons() {
    const int selected = window_->Inventory().Selected();
    EnableItem(invid::kDerive, window_->CanDerive(selected));
    EnableItem(invid::kFamily, window_->CanHaveFamily(selected));
    EnableItem(invid::kIteration, window_->CanIterate(selected));
    EnableItem(invid::kTable, window_->HasTable(selected));
}

void TFnListDlg::EvNotify(int controlId, fw::Notify code) {
    if (!window_ || controlId != invid::kList || refreshing_) return;
    if (code == fw::Notify::SelChange) {
        window_->Inventory().Select(GetSelIndex(invid::kList));
        UpdateButtons();
    }
    if (code == fw::Notify::DoubleClick) EvCommand(invid::kModify);
}

namespace {

// The buttons that act on the selected example; without a selection they do nothing.
bool ActsOnSelection(int id) {
    switch (id) {
    case invid::kModify: case invid::kDelete: case invid::kDuplicate: case invid::kCopy:
    case invid::kHide: case invid::kDerive: case invid::kShowEquation: case invid::kIteration:
    case invid::kFamily: case invid::kName: case invid::kTable:
        return true;
    default:
        return false;
    }
}

}  // namespace

bool TFnListDlg::EvCommand(int id) {
    if (!window_ || !ActsOnSelection(id)) return TDlg::EvCommand(id);
    const int selected = window_->Inventory().Selected();
    if (selected >= 0) ActOn(id, selected);
    return true;
}

void TFnListDlg::ActOn(int id, int selected) {
    switch (id) {
    case invid::kModify: window_->EditExample(selected); break;
    case invid::kDelete: window_->RemoveExample(selected); break;
    case invid::kDuplicate: window_->DuplicateExample(selected); break;
    case invid::kCopy: fw::clipboard::SetText(DescribeExample(window_->Inventory().At(selected))); break;
    case invid::kHide: window_->ToggleVisible(selected); break;
    case invid::kDerive: window_->DeriveExample(selected); break;
    case invid::kShowEquation: window_->ToggleEquationLabel(selected); break;
    case invid::kIteration: window_->EditIteration(selected); break;
    case invid::kFamily: window_->EditFamily(selected); break;
    case invid::kTable: window_->ShowTable(selected); break;
    case invid::kName: {
        std::string name = window_->Inventory().Slot(selected).name;
        TInpDlg ask(this, std::string(res::String(322)), std::string(res::String(323)), &name,
                    static_cast<int>(kExampleNameLength));
        if (ask.Execute() == 1) window_->NameExample(selected, name);
        break;
    }
    default:
        break;
    }
}

}  // namespace curvelo
