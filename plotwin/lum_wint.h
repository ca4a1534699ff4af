// The plot-window layer of the free text labels: their list, how they are anchored and
// drawn, and the commands that delete or hide them all.
#pragma once

#include <string>
#include <vector>

#include "plotwin/grid_win.h"
#include "plotwin/text_label.h"

namespace curvelo {

namespace labelcmd {
inline constexpr int kDeleteAll = 113, kShowHide = 360;
}

// Font kind of the labels a window draws.
inline constexpr int kFontLabels = 2;

class TLumWint : public TGridWin {
public:
    using TGridWin::TGridWin;

    std::vector<TextLabel>& Labels() { return labels_; }
    const std::vector<TextLabel>& Labels() const { return labels_; }
    bool LabelsShown() const { return labelsShown_; }
    void SetLabelsShown(bool on) { labelsShown_ = on; }
    // The points labels can be anchored to; windows with point examples supply them.
    virtual std::vector<WorldPoint> AnchorPoints() const { return {}; }

    // Rows of the label dialog's point list, one per anchor point.
    virtual std::vector<std::string> AnchorPointRows() const;

    // The label under a pixel of the client area (the last drawn wins), or -1.
    int LabelAt(fw::Point p) const;
    // The pixel box a label is drawn in.
    fw::Rect LabelRect(const TextLabel& label) const;
    // The label dialog for a new label at a pixel; the label is kept when accepted with a text.
    void NewLabelAt(fw::Point p);
    // The label dialog for an existing label; clearing its text deletes it.
    void EditLabel(int index);
    // A drag of the label by dx, dy pixels.
    void MoveLabel(int index, int dx, int dy);

    // Draws the grid, then the layers' own content, then the labels over everything.
    void PaintPicture(DrawSurface& surface, fw::DC& dc, bool withBackground) override;
    bool EvCommand(int id) override;
    bool EvCommandEnable(int id, fw::TCommandEnabler& ce) override;

protected:
    // What the layers above draw between the grid and the labels (curves and their marks).
    virtual void PaintContent(DrawSurface& /*surface*/) {}
    // Draws a shown label in the window's label font, in a colour of the table (-1: the
    // window's drawing colour); for the layers that keep labels of their own too.
    void DrawLabel(DrawSurface& surface, const TextLabel& label, int colourIndex,
                   const std::vector<WorldPoint>& points) const;

private:
    void DeleteAllLabels();
    // Runs the dialog on a copy; true when accepted (the copy then keeps its place in the plane).
    bool RunTextDialog(TextLabel& label, fw::Point at);
    const fw::LogFont& FontOf(const TextLabel& label) const;

    std::vector<TextLabel> labels_;
    bool labelsShown_ = true;
};

}  // namespace curvelo
