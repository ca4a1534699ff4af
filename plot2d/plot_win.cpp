#include "plot2d/plot_win.h"

#include <algorithm>

#include "framework/kit_services.h"
#include "plot2d/curve_pick.h"
#include "plot2d/curve_sampler.h"
#include "plot2d/example_kinds.h"
#include "plot2d/object_geometry.h"

namespace curvelo {

bool TPlotWin::HasRoomOrSays() {
    if (Inventory().HasRoom()) return true;
    ShowMessage(this, 4);
    return false;
}

void TPlotWin::RemoveExample(int index) {
    if (!IsSlot(index) || !Authorised(Lock().protectInventory)) return;
    Inventory().Remove(index);
    // The example's label goes with it; the labels of the later slots move up.
    std::erase_if(equationLabels_, [index](const TextLabel& l) { return l.key == index; });
    for (TextLabel& l : equationLabels_)
        if (l.key > index) --l.key;
    ExamplesChanged();
}

int TPlotWin::DuplicateExample(int index) {
    if (!IsSlot(index) || !Authorised(Lock().protectInventory) || !HasRoomOrSays()) return -1;
    const int copy = Inventory().Duplicate(index, Engine());
    if (copy >= 0) {
        Inventory().Select(copy);
        ExamplesChanged();
    }
    return copy;
}

void TPlotWin::ToggleVisible(int index) {
    if (!IsSlot(index) || !Authorised(Lock().protectInventory)) return;
    TExample& e = Inventory().At(index);
    e.visible = e.visible ? 0 : 1;
    ExamplesChanged();
}

void TPlotWin::NameExample(int index, const std::string& name) {
    if (!IsSlot(index) || !Authorised(Lock().protectInventory)) return;
    Inventory().Slot(index).name = name.substr(0, kExampleNameLength);
    SetModified(true);
    RefreshInventoryView();
}

TextLabel* TPlotWin::EquationLabelOf(int index) {
    for (TextLabel& l : equationLabels_)
        if (l.key == index) return &l;
    return nullptr;
}

void TPlotWin::ToggleEquationLabel(int index) {
    if (!IsSlot(index) || !Authorised(Lock().protectInventory)) return;
    if (TextLabel* label = EquationLabelOf(index)) {
        label->shown = label->shown ? 0 : 1;
    } else {
        TextLabel l;
        l.key = static_cast<std::int16_t>(index);
        l.text = DescribeExample(Inventory().At(index)).substr(0, TextLabel::kTextCapacity);
        WorldPoint at;
        if (!CurveLabelPlace(Inventory().Slot(index), Engine().letters, View(), at)) {
            // Nothing of the curve in view: near the upper left corner, kept there on panning.
            l.anchor = TextLabel::kAnchorWindow;
            at = {View().xmin + (View().xmax - View().xmin) / 20 - View().cx,
                  View().ymax - (View().ymax - View().ymin) / 20 - View().cy};
        }
        l.x = at.x;
        l.y = at.y;
        equationLabels_.push_back(l);
    }
    equationLabelsHidden_ = false;
    SetModified(true);
    RepaintAll();
}

std::vector<WorldPoint> TPlotWin::AnchorPoints() const {
    // Evaluating a point only refreshes the values its trees cache.
    LetterStore& letters = const_cast<TPlotWin*>(this)->Engine().letters;
    std::vector<WorldPoint> points;
    const ExampleInventory& inventory = Inventory();
    for (int i = 0; i < inventory.Count(); ++i) {
        const InventorySlot& slot = inventory.Slot(i);
        if (slot.example.kind != kKindPoint) continue;
        CurveTrees trees;
        for (int t = 0; t < TExample::kTexts; ++t) trees.tree[t] = slot.trees[static_cast<std::size_t>(t)];
        WorldPoint p;
        if (PointOf(slot.example, trees, letters, p)) points.push_back(p);
    }
    return points;
}

void TPlotWin::DrawEquationLabels(DrawSurface& surface) {
    if (equationLabelsHidden_) return;
    const std::vector<WorldPoint> points = AnchorPoints();
    for (TextLabel& l : equationLabels_) {
        if (!IsSlot(l.key)) continue;
        const TExample& e = Inventory().At(l.key);
        if (!e.visible) continue;
        l.text = DescribeExample(e).substr(0, TextLabel::kTextCapacity);
        DrawLabel(surface, l, e.penColour, points);
    }
}

bool TPlotWin::EvCommand(int id) {
    if (id == exmpcmd::kHideAllEquationLabels) {
        equationLabelsHidden_ = !equationLabelsHidden_;
        RepaintAll();
        return true;
    }
    return TFuncWin::EvCommand(id);
}

bool TPlotWin::EvCommandEnable(int id, fw::TCommandEnabler& ce) {
    switch (id) {
    case exmpcmd::kHideAllEquationLabels:
        ce.Enable(!equationLabels_.empty());
        ce.SetCheck(equationLabelsHidden_);
        return true;
    default: return TFuncWin::EvCommandEnable(id, ce);
    }
}

}  // namespace curvelo
