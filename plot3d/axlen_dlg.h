// The axis lengths dialog "AXLEN": the lower and upper end of each axis; "lerögzít" keeps
// them fixed, "felold" lets them follow the cell again.
#pragma once

#include "framework/kit_dlg.h"

namespace curvelo {

class TPlotRWin;

namespace axlenid {
inline constexpr int kFirstEdit = 221, kFix = 1, kRelease = 283;
}

class TAxLenDlg : public TDlg {
public:
    explicit TAxLenDlg(TPlotRWin* window);
    // The answer of the last accepted button: 0 stored, -1 nothing changed.
    int Outcome() const { return outcome_; }

    bool EvCommand(int id) override;

protected:
    void SetupWindow() override;

private:
    // Reads and stores; false (message shown) when refused.
    bool Store(bool fixed);
    TPlotRWin* window_;
    int outcome_ = -1;
};

}  // namespace curvelo
