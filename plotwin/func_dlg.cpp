#include "plotwin/func_dlg.h"

#include "expr/user_function.h"
#include "framework/kit_services.h"

namespace curvelo {

TFuncDlg::TFuncDlg(fw::TWindow* parent, FormulaEngine& engine, std::function<void()> functionsChanged)
    : TDlg(parent, "FNLIB"), engine_(engine), functionsChanged_(std::move(functionsChanged)) {}

void TFuncDlg::SetupWindow() {
    TDlg::SetupWindow();
    SetItemLimit(fnid::kName, 9);
    SetItemLimit(fnid::kDefinitionX, 60);
    SetItemLimit(fnid::kDefinitionXY, 60);
    CheckItem(fnid::kOneVariable, true);
    FillList();
    SetItemFocus(fnid::kName);
}

void TFuncDlg::FillList() {
    ClearList(fnid::kList);
    for (const UserFunction& f : engine_.userFunctions.Items()) AddString(fnid::kList, UserFunctionListLine(f));
}

int TFuncDlg::Chosen() {
    std::uint16_t code = 0;
    const int index = ChooseUserFunction(engine_.userFunctions.Size(), GetSelIndex(fnid::kList), code);
    if (index < 0 && code) ShowMessage(this, code);
    return index;
}

void TFuncDlg::Define() {
    const bool two = IsItemChecked(fnid::kTwoVariables);
    const int definitionId = two ? fnid::kDefinitionXY : fnid::kDefinitionX;
    const DefinitionOutcome outcome = DefineUserFunction(engine_, GetItemText(fnid::kName),
                                                         GetItemText(definitionId), two ? 2 : 1, editIndex_);
    if (outcome.code) {
        ShowMessage(this, outcome.code);
        SetItemFocus(outcome.focus == DefinitionFocus::Name ? fnid::kName : definitionId);
        return;
    }
    if (outcome.warnNoX) ShowMessage(this, 140);
    if (outcome.warnNoY) ShowMessage(this, 141);
    editIndex_ = -1;
    FillList();
    SetItemText(fnid::kName, "");
    SetItemText(fnid::kDefinitionX, "");
    SetItemText(fnid::kDefinitionXY, "");
    SetItemFocus(fnid::kName);
    if (functionsChanged_) functionsChanged_();
}

void TFuncDlg::ShowFunction(bool edit) {
    const int index = Chosen();
    if (index < 0) return;
    const UserFunction& f = engine_.userFunctions[static_cast<std::size_t>(index)];
    const bool two = f.argCount == 2;
    SetItemText(fnid::kName, std::string(f.Name()));
    SetItemText(two ? fnid::kDefinitionXY : fnid::kDefinitionX, std::string(f.Definition()));
    SetItemText(two ? fnid::kDefinitionX : fnid::kDefinitionXY, "");
    CheckItem(fnid::kOneVariable, !two);
    CheckItem(fnid::kTwoVariables, two);
    editIndex_ = edit ? index : -1;
}

void TFuncDlg::Delete() {
    const int index = Chosen();
    if (index < 0) return;
    engine_.userFunctions.Remove(static_cast<std::size_t>(index));
    if (editIndex_ == index) editIndex_ = -1;
    else if (editIndex_ > index) --editIndex_;
    FillList();
    SetItemFocus(fnid::kName);
}

bool TFuncDlg::EvCommand(int id) {
    switch (id) {
    case fnid::kDefine: Define(); return true;
    case fnid::kShow: ShowFunction(true); return true;
    case fnid::kCopy: ShowFunction(false); return true;
    case fnid::kDelete: Delete(); return true;
    case fnid::kOneVariable: SetItemFocus(fnid::kDefinitionX); return true;
    case fnid::kTwoVariables: SetItemFocus(fnid::kDefinitionXY); return true;
    // Enter in any field defines, as the default button does.
    case fw::kIdOk: Define(); return true;
    default: return TDlg::EvCommand(id);
    }
}

}  // namespace curvelo
