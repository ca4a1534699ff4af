#include "plot2d/func_win.h"

#include "expr/eval.h"
#include "framework/kit_pwd_dlg.h"
#include "plotwin/func_dlg.h"

namespace curvelo {

bool TFuncWin::Authorised(bool protectedByLock) {
    if (!protectedByLock || !Lock().Protected() || unlocked_) return true;
    unlocked_ = AskDocumentPassword(this, Lock());
    return unlocked_;
}

FieldEvaluator TFuncWin::Evaluator() const {
    return [this](std::string_view text, long double* value) {
        long double v = 0;
        if (EvaluateText(engine_, text, v) != 0) return false;
        if (value) *value = v;
        return true;
    };
}

void TFuncWin::ExamplesChanged() {
    SetModified(true);
    RefreshInventoryView();
    RepaintAll();
}

void TFuncWin::EditUserFunctions() {
    if (!Authorised(Lock().protectInventory)) return;
    TFuncDlg dialog(this, engine_, [this] {
        inventory_.CompileAll(engine_);
        ExamplesChanged();
    });
    dialog.Execute();
}

bool TFuncWin::EvCommand(int id) {
    switch (id) {
    case funccmd::kUserFunctions: EditUserFunctions(); return true;
    case funccmd::kBlackGraphs:
        inventory_.SetBlackGraphs(!inventory_.BlackGraphs());
        SetModified(true);  // new curves take black
        return true;
    default: return TLumWinm::EvCommand(id);
    }
}

bool TFuncWin::EvCommandEnable(int id, fw::TCommandEnabler& ce) {
    switch (id) {
    case funccmd::kBlackGraphs: ce.SetCheck(inventory_.BlackGraphs()); return true;
    default: return TLumWinm::EvCommandEnable(id, ce);
    }
}

}  // namespace curvelo
