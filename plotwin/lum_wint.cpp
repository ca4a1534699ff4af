#include "plotwin/lum_wint.h"

#include <algorithm>
#include <random>

#include "framework/bitmap.h"
#include "framework/dc.h"
#include "framework/kit_msg_dlg.h"
#include "plotwin/text_dlg.h"
#include "resources/resources.h"

namespace curvelo {

void TLumWint::PaintPicture(DrawSurface& surface, fw::DC& dc, bool withBackground) {
    TGridWin::PaintPicture(surface, dc, withBackground);
    PaintContent(surface);
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
    if (label.font.faceName.empty()) surface.SetFont(kFontLabels);
    else surface.SetLogFont(label.font);
    surface.SetTextColour(ColourForOutput(colourIndex, out.colourOutput));
    surface.SetLabelBackground(label.opaque == 0, background);
    // The label's point is its upper left corner.
    surface.Label(AnchorToPlane(label, View(), points), label.text, 1, -1, LabelRole::kPlain);
    surface.Restore();
}

const fw::LogFont& TLumWint::FontOf(const TextLabel& label) const {
    return label.font.faceName.empty() ? Font(kFontLabels) : label.font;
}

std::vector<std::string> TLumWint::AnchorPointRows() const {
    std::vector<std::string> rows;
    for (const WorldPoint& p : AnchorPoints())
        rows.push_back("(" + Format().Format(p.x) + "; " + Format().Format(p.y) + ")");
    return rows;
}

fw::Rect TLumWint::LabelRect(const TextLabel& label) const {
    fw::Bitmap probe(1, 1);
    fw::DC dc(probe);
    dc.SelectFont(FontOf(label));
    const fw::Size size = dc.GetTextExtent(label.text.empty() ? std::string(" ") : label.text);
    const WorldPoint at = AnchorToPlane(label, View(), AnchorPoints());
    const int x = View().ToPixelX(at.x), y = View().ToPixelY(at.y);
    return {x, y, x + size.cx, y + size.cy};
}

int TLumWint::LabelAt(fw::Point p) const {
    if (!labelsShown_) return -1;
    for (int i = static_cast<int>(labels_.size()) - 1; i >= 0; --i) {
        const TextLabel& l = labels_[static_cast<std::size_t>(i)];
        if (l.shown && LabelRect(l).Contains(p)) return i;
    }
    return -1;
}

bool TLumWint::RunTextDialog(TextLabel& label, fw::Point at) {
    TextLabel edited = label;
    // The dialog opens at the mouse, a little lower by chance so repeated ones do not cover
    // each other exactly.
    static std::minstd_rand rng{std::random_device{}()};
    const fw::Point screen = ClientToScreen(at);
    DlgPosition where{screen.x, screen.y + 10 * static_cast<int>(rng() % 6)};
    if (TTextDlg(this, edited, AnchorPointRows(), std::max(0, static_cast<int>(label.anchor)), where,
                 Font(kFontLabels)).Execute() != 1)
        return false;
    const std::int16_t anchor = edited.anchor;
    edited.anchor = label.anchor;
    Reanchor(edited, anchor, View(), AnchorPoints());
    label = edited;
    return true;
}

void TLumWint::NewLabelAt(fw::Point p) {
    TextLabel label;
    const WorldPoint at = View().PixelToWorld(p.x, p.y);
    label.x = at.x;
    label.y = at.y;
    label.key = labels_.empty() ? 0 : static_cast<std::int16_t>(labels_.back().key + 1);
    if (!RunTextDialog(label, p) || label.text.empty()) return;
    labels_.push_back(label);
    labelsShown_ = true;
    SetModified(true);
    RepaintAll();
}

void TLumWint::EditLabel(int index) {
    if (index < 0 || index >= static_cast<int>(labels_.size())) return;
    TextLabel& label = labels_[static_cast<std::size_t>(index)];
    const fw::Rect box = LabelRect(label);
    if (!RunTextDialog(label, {box.left, box.top})) return;
    // A label whose text was cleared is gone.
    if (label.text.empty()) labels_.erase(labels_.begin() + index);
    SetModified(true);
    RepaintAll();
}

void TLumWint::MoveLabel(int index, int dx, int dy) {
    if (index < 0 || index >= static_cast<int>(labels_.size()) || (dx == 0 && dy == 0)) return;
    MoveByPixels(labels_[static_cast<std::size_t>(index)], View(), dx, dy);
    SetModified(true);
    RepaintAll();
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
