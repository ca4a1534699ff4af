#include "plot2d/plot1_win.h"

#include "expr/eval.h"
#include "framework/kit_inp_dlg.h"
#include "framework/kit_services.h"
#include "plot2d/fn_list_dlg.h"
#include "resources/resources.h"

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

bool TPlot1Win::EvCommand(int id) {
    switch (id) {
    case invcmd::kInventory: ShowInventory(); return true;
    case invcmd::kResizeInventory: AskInventorySize(); return true;
    default: return TPlot0Win::EvCommand(id);
    }
}

}  // namespace curvelo
