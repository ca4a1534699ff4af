// The observer dialog "SETOBS": the eye of a 3D window in Cartesian or spherical form;
// "alkalmaz" moves the eye there, "bezár" only hides the dialog.
#pragma once

#include "framework/kit_dlg.h"
#include "plot3d/observer_form.h"

namespace curvelo {

class TPlotRWin;

namespace obsid {
inline constexpr int kFirstEdit = 211, kFirstLabel = 231, kSpherical = 271, kDegrees = 272, kApply = 91;
}

class TObsDlg : public TDlg {
public:
    explicit TObsDlg(TPlotRWin* window);
    ~TObsDlg() override;
    void Detach() { window_ = nullptr; }
    // Shows the window's eye in the chosen form.
    void Refresh();
    // Reads the fields and moves the eye; false (with the message shown) when refused.
    bool Apply();

    bool EvCommand(int id) override;
    void EvNotify(int controlId, fw::Notify code) override;

protected:
    void SetupWindow() override;

private:
    ObserverMode Mode() const;
    TPlotRWin* window_;
};

}  // namespace curvelo
