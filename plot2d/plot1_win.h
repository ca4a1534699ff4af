// The plot-window layer of the inventory dialog (Ctrl+I) and the inventory's size.
#pragma once

#include "plot2d/plot0_win.h"
#include "textwin/table_win.h"

namespace curvelo {

class TFnListDlg;

namespace invcmd {
inline constexpr int kInventory = 504, kResizeInventory = 628, kTable = 757;
}

class TPlot1Win : public TPlot0Win, private TableSource {
public:
    using TPlot0Win::TPlot0Win;
    ~TPlot1Win() override;

    // The modeless inventory dialog, created on first use.
    void ShowInventory();
    TFnListDlg* InventoryDialog() const { return inventoryDialog_; }
    void InventoryDialogGone(TFnListDlg* dialog);
    // Asks how many examples the list may hold (at least as many as it holds).
    void AskInventorySize();
    // The table-of-values window of an example, made on first use and kept (hidden) after.
    void ShowTable(int index);
    // Whether the example has a table in this window.
    virtual bool HasTable(int index) const;
    // The window's tables as the table window reads them (also for batch use).
    TableSource& Tables() { return *this; }
    TTableWin* TableWindow() const { return tableWindow_; }

    bool EvCommand(int id) override;

protected:
    void RefreshInventoryView() override;
    void DocumentRenamed() override;

private:
    int EquationCount() const override;
    int SolutionCount(int index) const override;
    std::string TableText(int index, int solution) override;
    std::string TableLabel(int index) const override;
    std::string TableMethod(int index, int solution) const override;
    int ColumnWidth() const override;
    bool HasTableRange(int index) const override;
    bool EditTableRange(fw::TWindow* parent, int index) override;

    TFnListDlg* inventoryDialog_ = nullptr;
    TTableWin* tableWindow_ = nullptr;
};

}  // namespace curvelo
