// The last layer that 2D and 3D windows share: the integration tools of the Egy and Két
// menus, their modeless dialog, the strips it shows and the antiderivatives it adds.
#pragma once

#include <vector>

#include "framework/kit_placement.h"
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

    // The equation-dialog flow of both window families: a new example of the kind begun in
    // the next slot, the dialog of its kind run on it, kept on OK and abandoned otherwise.
    // Returns the slot, or -1 when the inventory is full or the user cancelled.
    int AddExample(std::uint16_t kind, bool polarInput = false);
    // "módosít": the dialog of the example's kind on its slot; true when confirmed.
    bool EditExample(int index) override;

    // Shows what is drawn so far and waits delayMs in slices, polling the keys; the last key
    // (observing a solution, the passes of a family).
    int ShowAndWait(int delayMs);

    int* ColourSlot(int kind) override;
    void PaintPicture(DrawSurface& surface, fw::DC& dc, bool withBackground) override;
    bool EvCommand(int id) override;

protected:
    void RefreshInventoryView() override;

    // A new example of the kind in the next slot with the range its kind starts with; -1
    // when none could be begun.
    virtual int BeginExample(std::uint16_t kind, bool polarInput);
    // Whether the window has a dialog for the example.
    virtual bool HasExampleDialog(const TExample& /*example*/) const { return false; }
    // Runs the dialog of the example's kind on its slot; true when it was confirmed.
    virtual bool RunExampleDialog(int /*index*/) { return false; }
    // A confirmed example made ready: a new one committed, an old one compiled again.
    virtual void AcceptExample(int index, bool isNew);
    // The dialog on a slot begun (new) or kept (old), and what follows a confirmation.
    bool RunExampleFlow(int index, bool isNew);
    // Where the equation dialogs open, kept from one to the next.
    DlgPosition* EquationDialogPlace() { return &equationDialogPlace_; }

private:
    void DrawAntiderivatives(DrawSurface& surface);

    TMeasureDlg* measureDialog_ = nullptr;
    DlgPosition equationDialogPlace_;
    std::vector<StripPolygon> strips_;
    int stripColour_ = 4;
};

}  // namespace curvelo
