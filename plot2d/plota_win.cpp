#include "plot2d/plota_win.h"

#include "plot2d/edit_exmp_dlg.h"
#include "plot2d/equation_form.h"
#include "plot2d/example_kinds.h"
#include "plot2d/ode_exmp_dlg.h"
#include "plot2d/implicit_drawer.h"

namespace curvelo {

bool TPlotAWin::RunExampleDialog(TExample& example) {
    if (HasOdeForm(example.kind)) {
        TOdeExmpDlg dialog(this, example, Engine(), Format(), &equationDialogPlace_);
        return dialog.Execute() == 1;
    }
    TEditExmpDlg dialog(this, example, Engine(), Format(), &equationDialogPlace_);
    return dialog.Execute() == 1;
}

int TPlotAWin::AddExample(std::uint16_t kind) {
    if (!Authorised(Lock().protectInventory) || !HasRoomOrSays()) return -1;
    ExampleInventory& inventory = Inventory();
    long double start = 0, end = 0;
    DefaultRangeOf(kind, View().xmin, View().xmax, start, end);
    const int index = inventory.Begin(kind, start, end);
    if (!RunExampleDialog(inventory.At(index))) {
        inventory.Abandon(index);
        return -1;
    }
    inventory.Commit(index, Engine());
    RequestImplicitSearch(inventory.Slot(index));
    inventory.Select(index);
    ExamplesChanged();
    if (inventory.Count() == 1) ShowInventory();
    return index;
}

bool TPlotAWin::EditExample(int index) {
    if (!Authorised(Lock().protectInventory)) return false;
    if (!IsSlot(index)) return false;
    const std::uint16_t kind = Inventory().At(index).kind;
    if (!HasEquationForm(kind) && !HasOdeForm(kind)) return false;
    if (!RunExampleDialog(Inventory().At(index))) return false;
    Inventory().Compile(index, Engine());
    RequestImplicitSearch(Inventory().Slot(index));
    ExamplesChanged();
    return true;
}

bool TPlotAWin::EvCommand(int id) {
    switch (id) {
    case eqcmd::kExplicit: AddExample(kKindExplicit); return true;
    case eqcmd::kPolar: AddExample(kKindPolar); return true;
    case eqcmd::kParametric: AddExample(kKindParametric); return true;
    case eqcmd::kSystem: AddExample(kKindSystem); return true;
    case eqcmd::kSlope: AddExample(kKindSlope); return true;
    case eqcmd::kImplicit: AddExample(kKindImplicit); return true;
    default: return TPlot11Win::EvCommand(id);
    }
}

}  // namespace curvelo
