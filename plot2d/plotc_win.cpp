#include "plot2d/plotc_win.h"

#include <cstdlib>

#include "framework/command_enabler.h"
#include "framework/dc.h"
#include "plot2d/curve_pick.h"

namespace curvelo {

namespace {
// A press and release this close together is a click, not a drag.
constexpr int kClickSlop = 3;
}

void TPlotCWin::EvPictureClick(fw::Point p) {
    const int picked = PickExample(Inventory(), Engine().letters, View(), p.x, p.y);
    if (picked < 0) return;
    Inventory().Select(picked);
    RefreshInventoryView();
}

bool TPlotCWin::EvCommand(int id) {
    if (id != mousecmd::kTextMode) return TPlotBWin::EvCommand(id);
    textMode_ = !textMode_;
    pressed_ = false;
    SetCursorShape(textMode_ ? CursorShape::kText : CursorShape::kArrow);
    return true;
}

bool TPlotCWin::EvCommandEnable(int id, fw::TCommandEnabler& ce) {
    if (id != mousecmd::kTextMode) return TPlotBWin::EvCommandEnable(id, ce);
    ce.SetCheck(textMode_);
    return true;
}

void TPlotCWin::Paint(fw::DC& dc, bool erase, const fw::Rect& rect) {
    TPlotBWin::Paint(dc, erase, rect);
    if (!pressed_ || dragged_ < 0 || dragged_ >= static_cast<int>(Labels().size())) return;
    // The outline of the dragged label at the place it would be dropped.
    const fw::Rect r = LabelRect(Labels()[static_cast<std::size_t>(dragged_)]);
    const int dx = dragAt_.x - pressAt_.x, dy = dragAt_.y - pressAt_.y;
    dc.SelectPen({{0, 0, 0}, 1, fw::PenStyle::Dot});
    dc.SelectBrush({{255, 255, 255}, fw::BrushStyle::Null});
    dc.Rectangle(r.left + dx - 1, r.top + dy - 1, r.right + dx + 1, r.bottom + dy + 1);
}

void TPlotCWin::EvLButtonDown(unsigned modifiers, fw::Point p) {
    if (!textMode_) return TPlotBWin::EvLButtonDown(modifiers, p);
    pressed_ = true;
    dragged_ = LabelAt(p);
    pressAt_ = dragAt_ = p;
}

void TPlotCWin::EvMouseMove(unsigned modifiers, fw::Point p) {
    if (!textMode_ || !pressed_) return TPlotBWin::EvMouseMove(modifiers, p);
    if (!(modifiers & fw::kLeftButton)) {
        pressed_ = false;  // released outside the window
        Invalidate(false);
        return;
    }
    dragAt_ = p;
    if (dragged_ >= 0) Invalidate(false);
}

void TPlotCWin::EvLButtonUp(unsigned modifiers, fw::Point p) {
    if (!textMode_) return TPlotBWin::EvLButtonUp(modifiers, p);
    if (!pressed_) return;
    pressed_ = false;
    const int dx = p.x - pressAt_.x, dy = p.y - pressAt_.y;
    const bool click = std::abs(dx) <= kClickSlop && std::abs(dy) <= kClickSlop;
    if (dragged_ < 0) {
        if (click) NewLabelAt(p);
    } else if (click) {
        Invalidate(false);
        EditLabel(dragged_);
    } else {
        MoveLabel(dragged_, dx, dy);
    }
    dragged_ = -1;
}

}  // namespace curvelo
