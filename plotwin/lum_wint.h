// The plot-window layer of the free text labels: their list, how they are anchored and
// drawn, and the commands that delete or hide them all.
#pragma once

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

    void PaintPicture(DrawSurface& surface, fw::DC& dc, bool withBackground) override;
    bool EvCommand(int id) override;
    bool EvCommandEnable(int id, fw::TCommandEnabler& ce) override;

protected:
    // Draws a shown label in the window's label font, in a colour of the table (-1: the
    // window's drawing colour); for the layers that keep labels of their own too.
    void DrawLabel(DrawSurface& surface, const TextLabel& label, int colourIndex,
                   const std::vector<WorldPoint>& points) const;

private:
    void DeleteAllLabels();

    std::vector<TextLabel> labels_;
    bool labelsShown_ = true;
};

}  // namespace curvelo
