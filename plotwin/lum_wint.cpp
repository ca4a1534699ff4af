#include "plotwin/lum_wint.h"

#include "framework/kit_msg_dlg.h"
#include "resources/resources.h"

namespace curvelo {

void TLumWint::PaintPicture(DrawSurface& surface, fw::DC& dc, bool withBackground) {
    TGridWin::PaintPicture(surface, dc, withBackground);
    if (!labelsShown_ || labels_.empty()) return;
    const std::vector<WorldPoint> points = AnchorPoints();
    for (const TextLabel& label : labels_) DrawLabel(surface, label, -1, points);
}

void TLumWint::DrawLabel(DrawSurface& surface, const TextLabel& label, int colourIndex,
                         const std::vector<WorldPoint>& points) const {
    if (!label.shown || label.text.empty()) return;
    const FrameOutput out = CurrentOutput();
    const Rgb background = out.backgroundIndex >= 0 ? ColourOf(out.backgroundIndex) : out.measuredBackground;
    if (colourIndex < 0) {
        const int* drawing = const_cast<TLumWint*>(this)->ColourSlot(kColourKindDrawing);
        colourIndex = drawing ? *drawing : 0;
    }
    surface.Save();
    surface.SetFont(kFontLabels);
    surface.SetTextColour(ColourForOutput(colourIndex, out.colourOutput));
    surface.SetLabelBackground(label.opaque == 0, background);
    // The label's point is its upper left corner.
    surface.Label(AnchorToPlane(label, View(), points), label.text, 1, -1, LabelRole::kPlain);
    surface.Restore();
}

void TLumWint::DeleteAllLabels() {
    if (AskBox(this, std::string(res::String(2)), std::string(res::String(69)), 1) != 6) return;
    labels_.clear();
    SetModified(true);
    RepaintAll();
}

bool TLumWint::EvCommand(int id) {
    switch (id) {
    case labelcmd::kDeleteAll: DeleteAllLabels(); return true;
    case labelcmd::kShowHide:
        labelsShown_ = !labelsShown_;
        SetModified(true);
        RepaintAll();
        return true;
    default: return TGridWin::EvCommand(id);
    }
}

bool TLumWint::EvCommandEnable(int id, fw::TCommandEnabler& ce) {
    switch (id) {
    case labelcmd::kDeleteAll:
    case labelcmd::kShowHide: ce.Enable(!labels_.empty()); return true;
    default: return TGridWin::EvCommandEnable(id, ce);
    }
}

}  // namespace curvelo
