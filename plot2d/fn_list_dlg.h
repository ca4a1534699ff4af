// The inventory dialog: one line per example; its buttons act on the selected line. It is
// modeless and single: the window keeps it and refreshes it after every change.
#pragma once

#include "framework/kit_dlg.h"

namespace curvelo {

class TPlot1Win;

namespace invid {
inline constexpr int kList = 293, kModify = 51, kDelete = 52, kDuplicate = 739, kCopy = 95,
                     kHide = 736, kName = 793, kFamily = 818, kDerive = 797, kIteration = 798,
                     kShowEquation = 744, kTable = 757;
}

class TFnListDlg : public TDlg {
public:
    explicit TFnListDlg(TPlot1Win* window);
    ~TFnListDlg() override;
    // The window goes before its dialog.
    void Detach() { window_ = nullptr; }
    // Rewrites the lines and the caption, keeping the selection.
    void Refresh();
    // "jegyzék : " and the document's current name.
    void UpdateCaption();

    bool EvCommand(int id) override;
    void EvNotify(int controlId, fw::Notify code) override;

protected:
    void SetupWindow() override;

private:
    // The buttons that only some kinds offer follow the selection.
    void UpdateButtons();
    // Runs a selection button on the selected example.
    void ActOn(int id, int selected);

    TPlot1Win* window_;
    bool refreshing_ = false;
};

}  // namespace curvelo
