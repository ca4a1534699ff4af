// The dialog of the allowed function types of the guessing game and the polynomial
// degree bounds; the caller's switches change only when "ok" accepts valid bounds.
#pragma once

#include "framework/kit_dlg.h"
#include "special/guess_problem.h"

namespace curvelo {

namespace switchid {
inline constexpr int kFirstCheck = 270, kMinEdit = 211, kMaxEdit = 212;
}

class TSwitchDlg : public TDlg {
public:
    TSwitchDlg(fw::TWindow* parent, GuessSwitches& switches) : TDlg(parent, "SWITCH"), switches_(switches) {}

protected:
    void SetupWindow() override;
    bool CanClose() override;

private:
    GuessSwitches& switches_;
};

}  // namespace curvelo
