// The dialog of the window's own functions ("FNLIB"): define, show, copy and delete
// functions of x or of x and y. Every successful definition is reported to the window,
// which compiles its equations again.
#pragma once

#include <functional>

#include "expr/engine.h"
#include "framework/kit_dlg.h"

namespace curvelo {

namespace fnid {
inline constexpr int kName = 211, kDefinitionX = 212, kDefinitionXY = 213, kOneVariable = 251,
                     kTwoVariables = 252, kDefine = 91, kList = 293, kShow = 51, kDelete = 52,
                     kCopy = 95;
}

class TFuncDlg : public TDlg {
public:
    TFuncDlg(fw::TWindow* parent, FormulaEngine& engine, std::function<void()> functionsChanged);

    bool EvCommand(int id) override;
    // The record "megad" overwrites, or -1 for a new function.
    int EditIndex() const { return editIndex_; }

protected:
    void SetupWindow() override;

private:
    void Define();
    void FillList();
    // Puts a function into the fields; editing makes the next "megad" overwrite it.
    void ShowFunction(bool edit);
    void Delete();
    int Chosen();

    FormulaEngine& engine_;
    std::function<void()> functionsChanged_;
    int editIndex_ = -1;
};

}  // namespace curvelo
