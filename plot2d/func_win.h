// The plot-window layer that owns the formula engine (letters, user functions) and the
// inventory of examples, and guards their changes with the document lock.
#pragma once

#include "expr/engine.h"
#include "expr/eval_cancel.h"
#include "plot2d/inventory.h"
#include "plotwin/key_interrupt.h"
#include "plotwin/lum_winm.h"

namespace curvelo {

namespace funccmd {
inline constexpr int kUserFunctions = 506, kBlackGraphs = 796;
}

class TFuncWin : public TLumWinm {
public:
    using TLumWinm::TLumWinm;

    FormulaEngine& Engine() { return engine_; }
    ExampleInventory& Inventory() { return inventory_; }
    const ExampleInventory& Inventory() const { return inventory_; }
    // Q stops the engine's long evaluations; drawings poll the keyboard through it too.
    KeyInterrupt& Interrupt() { return interrupt_; }

    // Whether a change the document lock may protect can go on: asks for the password once
    // per window when the switch protects it.
    bool Authorised(bool protectedByLock);

    FieldEvaluator Evaluator() const override;
    bool EvCommand(int id) override;
    bool EvCommandEnable(int id, fw::TCommandEnabler& ce) override;

protected:
    // After any change of the examples: the document is modified, the inventory's view
    // refreshed and the picture drawn again.
    void ExamplesChanged();
    // The layer that shows the inventory refreshes its dialog.
    virtual void RefreshInventoryView() {}
    // Who set or gave the password may change what it protects.
    void SetUnlocked(bool unlocked) { unlocked_ = unlocked; }
    bool Unlocked() const { return unlocked_; }

private:
    void EditUserFunctions();

    // Evaluating number fields changes the engine's scratch state only.
    mutable FormulaEngine engine_;
    ExampleInventory inventory_;
    bool unlocked_ = false;
    KeyInterrupt interrupt_{this, [this] { return !Printing(); }};
    ScopedCancelCheck interruptOnEngine_{engine_.letters, &interrupt_};
};

}  // namespace curvelo
