// The initial-condition dialogs "IVP11" (dy/dx) and "IVP10" (systems, in the plane and in
// space, where z and the restriction are added): the window's examples
// of the kind in a combo box, the fields of a new condition, "rajzol" (with "megfigyel" each
// step is shown after a pause), the list of the example's conditions with "töröl", "mind
// törli" and "végpont" (the end point of the chosen solution becomes the new start), and for
// dy/dx the comparison table of the three methods.
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <vector>

#include "framework/kit_dlg.h"
#include "plot2d/inventory.h"
#include "plot2d/ivp_form.h"
#include "plotwin/plot_view.h"

namespace curvelo {

// What the dialogs ask of the window they work on.
class IvpHost {
public:
    virtual ~IvpHost() = default;
    virtual ExampleInventory& IvpInventory() = 0;
    virtual FormulaEngine& IvpEngine() = 0;
    virtual NumberFormat IvpFormat() const = 0;
    // The example's conditions changed: the picture is drawn again; observed >= 0 is the
    // condition to show step by step with a pause of delayMs.
    virtual void ConditionsChanged(int example, int observed, int delayMs) = 0;
    // Where the condition's solution ends (x, y and, in space, z); false when it makes no step.
    virtual bool SolutionEnd(int example, const TInitialCondition& c, std::array<long double, 3>& end) = 0;
    virtual void ShowText(const std::string& caption, const std::string& text) = 0;
    virtual void SetCurrentOdeExample(std::uint16_t kind, int index) = 0;
};

// Lists the host's examples of the kind in the dialog's example combo box and selects
// `example`, or the first of them when it is not one (-1 when there is none). Returns the
// slots listed, in the combo box's order.
std::vector<int> ListExamplesOfKind(TDlg& dialog, IvpHost& host, std::uint16_t kind, int& example);

class TIvpDlg : public TDlg {
public:
    // kind is 210, 211 or 310; example the slot to start with (an example of that kind).
    TIvpDlg(fw::TWindow* parent, IvpHost& host, std::uint16_t kind, int example);

    bool EvCommand(int id) override;
    void EvNotify(int controlId, fw::Notify code) override;

    int Example() const { return example_; }

protected:
    void SetupWindow() override;

private:
    IvpForm ReadForm() const;
    void ShowCondition(const TInitialCondition& c);
    void FillList();
    // Reads the fields into a condition; shows the message and returns false when one is bad.
    bool TakeFields(TInitialCondition& c);
    void Draw();
    void DeleteSelected();
    void DeleteAll();
    void TakeEndPoint();
    void Compare();
    // A system in space: its restriction as the dialog shows it; false (with the message)
    // when the formula does not compile.
    void ShowRestriction();
    bool TakeRestriction();
    // The stored list of the example worked on; null when there is none.
    std::vector<Cv2InitialCondition>* Conditions();

    IvpHost& host_;
    std::uint16_t kind_;
    int example_;
    std::vector<int> examples_;  // slots listed in the combo box
};

}  // namespace curvelo
