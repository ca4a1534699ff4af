// The last layer that 2D and 3D windows share: the integration tools of the Egy and Két
// menus, their modeless dialog, the strips it shows and the antiderivatives it adds.
#pragma once

#include <vector>

#include "plot2d/plot1_win.h"
#include "plot2d/riemann_strips.h"

namespace curvelo {

class TMeasureDlg;

// The colour kind of the strips (colour command = 200 + kind).
inline constexpr int kColourKindStrips = 14;

class TPlot11Win : public TPlot1Win {
public:
    using TPlot1Win::TPlot1Win;
    ~TPlot11Win() override;

    // Opens (or brings up) the dialog of a measurecmd or geometrycmd tool; an open dialog
    // of another tool is closed first.
    void ShowMeasureDialog(int command);
    TMeasureDlg* MeasureDialog() const { return measureDialog_; }
    void MeasureDialogGone(TMeasureDlg* dialog);

    // Appends the antiderivative through the origin of explicit example f (kind 206,
    // following the view); the new slot, or -1.
    int AddAntiderivative(int f);

    // Strips shown until the dialog closes or the next computation replaces them.
    void SetStrips(std::vector<StripPolygon> strips);
    const std::vector<StripPolygon>& Strips() const { return strips_; }

    int* ColourSlot(int kind) override;
    void PaintPicture(DrawSurface& surface, fw::DC& dc, bool withBackground) override;
    bool EvCommand(int id) override;

protected:
    void RefreshInventoryView() override;

private:
    void DrawAntiderivatives(DrawSurface& surface);

    TMeasureDlg* measureDialog_ = nullptr;
    std::vector<StripPolygon> strips_;
    int stripColour_ = 4;
};

}  // namespace curvelo
