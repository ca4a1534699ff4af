// The 2D layer of the mouse on the picture: a click on or near a curve selects its example;
// in the text mode a click places or edits a text label and a drag moves one; in the
// solution-curve mode a click adds an initial condition to the current differential
// equation and draws its solution. The initial-condition dialogs work on this layer.
#pragma once

#include "plot2d/ivp_dlg.h"
#include "plot2d/plotb_win.h"

namespace curvelo {

namespace mousecmd {
inline constexpr int kTextMode = 114, kSolutionMode = 122;
inline constexpr int kSystemConditions = 780, kSlopeConditions = 781;
}

class TPlotCWin : public TPlotBWin, public IvpHost {
public:
    using TPlotBWin::TPlotBWin;

    bool TextMode() const { return textMode_; }
    bool SolutionMode() const { return solutionMode_; }
    // The example of the kind (210 or 211) the tools act on: the one last used, else the
    // selected one, else the last of the kind; -1 when there is none.
    int CurrentOdeExample(std::uint16_t kind) const;
    // Adds the conditions a click at pixel p gives to the current differential equation
    // (making a dy/dx equation first when there is none) and draws them.
    void AddConditionsAtPixel(fw::Point p);
    // Opens the initial-condition dialog of the kind (making an example first if needed).
    void EditConditions(std::uint16_t kind);

    // IvpHost
    ExampleInventory& IvpInventory() override { return Inventory(); }
    FormulaEngine& IvpEngine() override { return Engine(); }
    NumberFormat IvpFormat() const override { return Format(); }
    void ConditionsChanged(int example, int observed, int delayMs) override;
    bool SolutionEnd(int example, const TInitialCondition& c, std::array<long double, 3>& end) override;
    void ShowText(const std::string& caption, const std::string& text) override;
    void SetCurrentOdeExample(std::uint16_t kind, int index) override;

    bool EvCommand(int id) override;
    bool EvCommandEnable(int id, fw::TCommandEnabler& ce) override;

protected:
    void EvPictureClick(fw::Point p) override;
    void Paint(fw::DC& dc, bool erase, const fw::Rect& rect) override;
    void EvLButtonDown(unsigned modifiers, fw::Point p) override;
    void EvMouseMove(unsigned modifiers, fw::Point p) override;
    void EvLButtonUp(unsigned modifiers, fw::Point p) override;

private:
    bool textMode_ = false;
    bool solutionMode_ = false;
    int currentSystem_ = -1, currentSlope_ = -1;
    std::uint16_t lastOdeKind_ = 0;
    bool pressed_ = false;
    int dragged_ = -1;  // the label under the press, or -1
    fw::Point pressAt_{}, dragAt_{};
};

}  // namespace curvelo
