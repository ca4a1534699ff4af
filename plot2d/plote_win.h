// The 2D layer of what is made from a curve: its derivative curve, its family and the
// iteration (web) diagram of an explicit function.
#pragma once

#include "plot2d/plotc_win.h"

namespace curvelo {

inline constexpr int kCmdSurfaceOfRevolution = 1007;
// The launcher's "new 3D window" command.
inline constexpr int kCmdLauncherNew3D = 403;

class TPlotEWin : public TPlotCWin {
public:
    using TPlotCWin::TPlotCWin;

    // Appends the derivative curve of a curve example (y' of y = f(x), r' of a polar curve,
    // (x', y') of a parametric one); the new slot, or -1.
    int DeriveExample(int index) override;
    bool EditFamily(int index) override;
    bool CanDerive(int index) const override;
    // Every kind made from formulas may be drawn as a family of its letter.
    bool CanHaveFamily(int index) const override;
    bool EditIteration(int index) override;
    bool CanIterate(int index) const override;
    bool EvCommand(int id) override;
    bool EvCommandEnable(int id, fw::TCommandEnabler& ce) override;

protected:
    // The examples first, then the iteration diagrams over them.
    void PaintContent(DrawSurface& surface) override;
    void PaintMovingExamples(DrawSurface& surface) override;

private:
    void DrawWebDiagrams(DrawSurface& surface);
    // "Forgási felület": the selected curve goes to a 3D window (the last one opened, or a
    // new one) as a surface of revolution.
    void TurnSelectedCurve();
    // Runs an example's dialog; an accepted dialog recompiles, marks and repaints.
    template <class Dialog>
    bool EditWithDialog(int index);
};

}  // namespace curvelo
