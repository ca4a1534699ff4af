// The plot-window layer of the axes and grid commands: show/hide, the grid dialog, colours,
// pen widths, axis titles, label background, arrowheads, minus and pi characters.
#pragma once

#include "plotwin/lum_wing.h"

#include "framework/kit_dlg.h"

namespace curvelo {

class TGridDlg;

// Colour kinds of the frame (colour command = 200 + kind).
inline constexpr int kColourKindAxes = 3;
inline constexpr int kColourKindGrid = 10;

class TGridWin : public TLumWing {
public:
    TGridWin(fw::TWindow* parent, const std::string& caption);
    ~TGridWin() override;

    int* ColourSlot(int kind) override;
    // Axes with numbers on both axes: what a new window of the launcher shows.
    void ShowDefaultFrame();
    // The modeless grid dialog once it was opened.
    TDlg* GridDialog() const;

    bool EvCommand(int id) override;
    bool EvCommandEnable(int id, fw::TCommandEnabler& ce) override;

private:
    friend class TGridDlg;
    void AskWidth(int id);
    void AskMinusChar();
    void AskPiChar();
    void AskAxisTitles();
    void ShowGridDialog();

    TGridDlg* gridDialog_ = nullptr;
};

}  // namespace curvelo
