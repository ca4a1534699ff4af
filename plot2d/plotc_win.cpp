#include "plot2d/plotc_win.h"

#include <cstdlib>

#include "framework/command_enabler.h"
#include "framework/dc.h"
#include "plot2d/curve_pick.h"
#include "plot2d/example_kinds.h"
#include "plot2d/ode_drawer.h"
#include "textwin/text_win.h"

namespace curvelo {

namespace {
// A press and release this close together is a click, not a drag.
constexpr int kClickSlop = 3;
}

void TPlotCWin::EvPictureClick(fw::Point p) {
    if (solutionMode_) {
        AddConditionsAtPixel(p);
        return;
    }
    const int picked = PickExample(Inventory(), Engine().letters, View(), p.x, p.y);
    if (picked < 0) return;
    Inventory().Select(picked);
    RefreshInventoryView();
}

bool TPlotCWin::EvCommand(int id) {
    switch (id) {
    case mousecmd::kTextMode:
        textMode_ = !textMode_;
        solutionMode_ = false;
        pressed_ = false;
        SetCursorShape(textMode_ ? CursorShape::kText : CursorShape::kArrow);
        return true;
    case mousecmd::kSolutionMode:
        solutionMode_ = !solutionMode_;
        textMode_ = false;
        pressed_ = false;
        SetCursorShape(CursorShape::kArrow);
        return true;
    case mousecmd::kSystemConditions: EditConditions(kKindSystem); return true;
    case mousecmd::kSlopeConditions: EditConditions(kKindSlope); return true;
    default: return TPlotBWin::EvCommand(id);
    }
}

bool TPlotCWin::EvCommandEnable(int id, fw::TCommandEnabler& ce) {
    if (id == mousecmd::kTextMode) {
        ce.SetCheck(textMode_);
        return true;
    }
    if (id == mousecmd::kSolutionMode) {
        ce.SetCheck(solutionMode_);
        return true;
    }
    return TPlotBWin::EvCommandEnable(id, ce);
}

int TPlotCWin::CurrentOdeExample(std::uint16_t kind) const {
    const ExampleInventory& inv = Inventory();
    auto is = [&](int i) { return i >= 0 && i < inv.Count() && inv.Slot(i).example.kind == kind; };
    const int remembered = kind == kKindSystem ? currentSystem_ : currentSlope_;
    if (is(remembered)) return remembered;
    if (is(inv.Selected())) return inv.Selected();
    for (int i = inv.Count() - 1; i >= 0; --i)
        if (is(i)) return i;
    return -1;
}

void TPlotCWin::SetCurrentOdeExample(std::uint16_t kind, int index) {
    (kind == kKindSystem ? currentSystem_ : currentSlope_) = index;
    lastOdeKind_ = kind;
}

void TPlotCWin::EditConditions(std::uint16_t kind) {
    if (!Authorised(Lock().protectInventory)) return;
    int example = CurrentOdeExample(kind);
    if (example < 0) example = AddExample(kind);
    if (example < 0) return;
    SetCurrentOdeExample(kind, example);
    TIvpDlg dialog(this, *this, kind, example);
    dialog.Execute();
}

void TPlotCWin::AddConditionsAtPixel(fw::Point p) {
    if (!Authorised(Lock().protectInventory)) return;
    const ExampleInventory& inv = Inventory();
    const int selected = inv.Selected();
    std::uint16_t kind = 0;
    int example = -1;
    if (selected >= 0 && IsOdeKind(inv.Slot(selected).example.kind)) {
        example = selected;
        kind = inv.Slot(selected).example.kind;
    } else {
        for (std::uint16_t k : {lastOdeKind_, std::uint16_t{kKindSlope}, std::uint16_t{kKindSystem}}) {
            if (k && CurrentOdeExample(k) >= 0) {
                kind = k;
                example = CurrentOdeExample(k);
                break;
            }
        }
    }
    if (example < 0) example = AddExample(kind = kKindSlope);
    if (example < 0) return;
    SetCurrentOdeExample(kind, example);
    const WorldPoint w = View().PixelToWorld(p.x, p.y);
    auto& list = Inventory().Slot(example).initialConditions;
    const std::vector<TInitialCondition> existing = list.empty() ? std::vector<TInitialCondition>{}
                                                                 : std::vector<TInitialCondition>{TInitialCondition::Load(list.back())};
    for (const TInitialCondition& c : ConditionsAtClick(kind, w.x, w.y, existing, View().xmax - View().xmin)) {
        if (list.size() >= kMaxInitialConditions) break;
        list.push_back(c.Store());
    }
    ConditionsChanged(example, -1, -1);
}

void TPlotCWin::ConditionsChanged(int example, int observed, int delayMs) {
    if (observed >= 0) ObserveCondition(example, observed, delayMs);
    ExamplesChanged();
}

bool TPlotCWin::SolutionEnd(int example, const TInitialCondition& c, std::array<long double, 3>& end) {
    long double& x = end[0];
    long double& y = end[1];
    if (example < 0 || example >= Inventory().Count()) return false;
    InventorySlot& slot = Inventory().Slot(example);
    const PlotView& v = View();
    if (slot.example.kind == kKindSystem) {
        // The end of a trajectory in both directions is where the forward run ends.
        TInitialCondition one = c;
        if (one.Direction() == TraceDirection::kBoth) one.directionCode = static_cast<std::uint16_t>(TraceDirection::kForward);
        TraceSettings settings = Tracing().Settings();
        settings.stopAtBorder = slot.example.flags52[0] != 0;
        settings.density = std::max<int>(slot.example.density, 1);
        TrajectoryTracer tracer(v, settings);
        CurveTrees trees;
        for (int t = 0; t < TExample::kTexts; ++t) trees.tree[t] = slot.trees[static_cast<std::size_t>(t)];
        SystemField field(Engine().letters, slot.example, trees);
        struct NoSink : TraceSink {
            void MoveTo(WorldPoint) override {}
            void LineTo(WorldPoint) override {}
        } sink;
        const TraceResult r = TraceSystem(tracer, field, one, sink);
        if (r.steps == 0) return false;
        x = r.last.x;
        y = r.last.y;
        return true;
    }
    if (slot.example.kind != kKindSlope) return false;
    const SlopeRunSettings run = SlopeRunFor(slot.example, c, v, Tracing().suddenAngles);
    SlopeEvaluator f(Engine().letters, slot.trees[2]);
    const SlopeRunResult r = RunSlopeSolution(f.Function(), run, [](long double, long double, long double, long double, bool) { return true; });
    if (r.stepsMade == 0) return false;
    x = r.x;
    y = r.y;
    return true;
}

void TPlotCWin::ShowText(const std::string& caption, const std::string& text) {
    ShowHelp(1, text);
    if (TTextWin* w = HelpWindow(1)) w->SetCaption(caption);
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
