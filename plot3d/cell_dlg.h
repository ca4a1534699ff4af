// The cell dialog of one example: its box and whether the box is fixed.
#pragma once

#include "framework/kit_dlg.h"
#include "plot3d/cell_form.h"

namespace curvelo {

class TPlotRWin;

namespace cellid {
inline constexpr int kFirstEdit = 221, kAtWalls = 271, kFixed = 272;
}

class TCellDlg : public TDlg {
public:
    TCellDlg(TPlotRWin* window, int index);
    // What the accepted dialog did to the example: 0 stored, -1 nothing changed.
    int Outcome() const { return outcome_; }

    bool EvCommand(int id) override;

protected:
    void SetupWindow() override;

private:
    // Reads the fields into the example; false (message shown) when refused.
    bool Store();
    TPlotRWin* window_;
    int index_;
    int outcome_ = -1;
};

}  // namespace curvelo
