// The plot-window layer of the operations on single examples that every window with an
// inventory shares: remove, duplicate, hide, name; and the hooks the inventory dialog calls
// for what only a window kind's own layers can do (edit, family, derive, iteration).
#pragma once

#include <string>
#include <vector>

#include "plot2d/func_win.h"

namespace curvelo {

namespace exmpcmd {
inline constexpr int kHideAllPoints = 820, kHideAllEquationLabels = 821;
}

class TPlotWin : public TFuncWin {
public:
    using TFuncWin::TFuncWin;

    void RemoveExample(int index);
    // A copy appended after the last example; its slot, or -1 (404 when there is no room).
    int DuplicateExample(int index);
    void ToggleVisible(int index);
    void NameExample(int index, const std::string& name);
    // Shows or hides the example's equation label (its description, at most 60 characters),
    // placing it on the curve the first time.
    void ToggleEquationLabel(int index);
    // One label per example that ever showed it; key = the example's slot.
    std::vector<TextLabel>& EquationLabels() { return equationLabels_; }
    bool EquationLabelsHidden() const { return equationLabelsHidden_; }

    // Opens the dialog the example was made with; true when the user confirmed it.
    virtual bool EditExample(int /*index*/) { return false; }
    // The family dialog; true when confirmed.
    virtual bool EditFamily(int /*index*/) { return false; }
    // Appends the derivative of the example; the new slot, or -1.
    virtual int DeriveExample(int /*index*/) { return -1; }
    // The iteration diagram dialog; true when confirmed.
    virtual bool EditIteration(int /*index*/) { return false; }
    // Whether the window kind offers the operation for the example (enables the buttons).
    virtual bool CanDerive(int /*index*/) const { return false; }
    virtual bool CanHaveFamily(int index) const { return CanDerive(index); }
    virtual bool CanIterate(int /*index*/) const { return false; }
    // The caption of an inventory button where the window kind names it differently;
    // empty keeps the template's.
    virtual std::string InventoryButtonText(int /*id*/) const { return {}; }

    bool EvCommand(int id) override;
    bool EvCommandEnable(int id, fw::TCommandEnabler& ce) override;

protected:
    bool IsSlot(int index) const { return index >= 0 && index <= Inventory().LastIndex(); }
    // The shown equation labels, in their examples' colours, with their texts up to date.
    void DrawEquationLabels(DrawSurface& surface);
    // Room for one more example; tells the user when there is none.
    bool HasRoomOrSays();
    // The window's point list for the "egyéb" label anchor: every point example whose
    // position is defined, in inventory order.
    std::vector<WorldPoint> AnchorPoints() const override;

private:
    TextLabel* EquationLabelOf(int index);

    std::vector<TextLabel> equationLabels_;
    bool equationLabelsHidden_ = false;  // by 821, until its next use
};

}  // namespace curvelo
