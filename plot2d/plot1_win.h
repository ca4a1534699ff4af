// The plot-window layer of the inventory dialog (Ctrl+I) and the inventory's size.
#pragma once

#include "plot2d/plot0_win.h"

namespace curvelo {

class TFnListDlg;

namespace invcmd {
inline constexpr int kInventory = 504, kResizeInventory = 628;
}

class TPlot1Win : public TPlot0Win {
public:
    using TPlot0Win::TPlot0Win;
    ~TPlot1Win() override;

    // The modeless inventory dialog, created on first use.
    void ShowInventory();
    TFnListDlg* InventoryDialog() const { return inventoryDialog_; }
    void InventoryDialogGone(TFnListDlg* dialog);
    // Asks how many examples the list may hold (at least as many as it holds).
    void AskInventorySize();

    bool EvCommand(int id) override;

protected:
    void RefreshInventoryView() override;
    void DocumentRenamed() override;

private:
    TFnListDlg* inventoryDialog_ = nullptr;
};

}  // namespace curvelo
