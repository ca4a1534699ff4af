#include "plot2d/fn_list_dlg.h"

#include "framework/clipboard.h"
#include "framework/kit_inp_dlg.h"
#include "plot2d/plot1_win.h"
#include "resources/resources.h"

namespace curvelo {

TFnListDlg::TFnListDlg(TPlot1Win* window) : TDlg(window, "INVENT"), window_(window) {}

TFnListDlg::~TFnListDlg() {
    if (window_) window_->InventoryDialogGone(this);
}

void TFnListDlg::SetupWindow() {
    TDlg::SetupWindow();
    Refresh();
}

void TFnListDlg::Refresh() {
    if (!window_) return;
    SetCaption(std::string(res::String(165)) + window_->DocumentTitle());
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
    EnableItem(invid::kFamily, window_->CanDerive(selected));
    EnableItem(invid::kIteration, window_->CanIterate(selected));
}

void TFnListDlg::EvNotify(int controlId, fw::Notify code) {
    if (!window_ || controlId != invid::kList || refreshing_) return;
    if (code == fw::Notify::SelChange) {
        window_->Inventory().Select(GetSelIndex(invid::kList));
        UpdateButtons();
    }
    if (code == fw::Notify::DoubleClick) EvCommand(invid::kModify);
}

bool TFnListDlg::EvCommand(int id) {
    if (!window_) return TDlg::EvCommand(id);
    ExampleInventory& inv = window_->Inventory();
    const int selected = inv.Selected();
    switch (id) {
    case invid::kModify:
        if (selected >= 0) window_->EditExample(selected);
        return true;
    case invid::kDelete:
        if (selected >= 0) window_->RemoveExample(selected);
        return true;
    case invid::kDuplicate:
        if (selected >= 0) window_->DuplicateExample(selected);
        return true;
    case invid::kCopy:
        if (selected >= 0) fw::clipboard::SetText(DescribeExample(inv.At(selected)));
        return true;
    case invid::kHide:
        if (selected >= 0) window_->ToggleVisible(selected);
        return true;
    case invid::kDerive:
        if (selected >= 0) window_->DeriveExample(selected);
        return true;
    case invid::kShowEquation:
        if (selected >= 0) window_->ToggleEquationLabel(selected);
        return true;
    case invid::kIteration:
        if (selected >= 0) window_->EditIteration(selected);
        return true;
    case invid::kFamily:
        if (selected >= 0) window_->EditFamily(selected);
        return true;
    case invid::kName:
        if (selected >= 0) {
            std::string name = inv.Slot(selected).name;
            TInpDlg ask(this, std::string(res::String(322)), std::string(res::String(323)), &name,
                        static_cast<int>(kExampleNameLength));
            if (ask.Execute() == 1) window_->NameExample(selected, name);
        }
        return true;
    default:
        return TDlg::EvCommand(id);
    }
}

}  // namespace curvelo
