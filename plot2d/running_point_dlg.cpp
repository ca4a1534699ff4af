#include "plot2d/running_point_dlg.h"

#include <cmath>

#include "expr/math_functions.h"
#include "plot2d/example_chooser.h"
#include "plot2d/plote_win.h"

namespace curvelo {
namespace {

constexpr int kCircleSegments = 180;
constexpr int kDotRadius = 4;

// A line through p along (ux, uy), across the whole view.
void DrawLineThrough(DrawSurface& surface, long double px, long double py, long double ux, long double uy) {
    const PlotView& view = surface.View();
    const long double len = std::hypot(ux, uy);
    if (!(len > 0)) return;
    const long double reach = 4 * (view.hw + view.hh) / len;
    WorldPoint a{px - ux * reach, py - uy * reach}, b{px + ux * reach, py + uy * reach};
    if (view.ClipSegment(a, b)) surface.Segment(a, b);
}

}  // namespace

TRunningPointDlg::TRunningPointDlg(TPlotEWin* window) : TDlg(window, "TRACE2"), window_(window) {}

TRunningPointDlg::~TRunningPointDlg() {
    if (window_) window_->RunningPointGone(this);
}

void TRunningPointDlg::SetupWindow() {
    TDlg::SetupWindow();
    CheckItem(traceid::kTangent, true);
    Refresh();
}

int TRunningPointDlg::Chosen() const { return ChosenExample(*this, traceid::kCurve, slots_); }

void TRunningPointDlg::Refresh() {
    if (!window_) return;
    slots_ = FillExampleChooser(*this, traceid::kCurve, window_->Inventory(), window_->Format().Pattern(), HasCurveForm,
                                Chosen(), window_->Inventory().Selected());
    Rebuild();
}

void TRunningPointDlg::Rebuild() {
    const int chosen = Chosen();
    const bool sameCurve = chosen == example_ && formOk_;
    const long double t = point_.T();
    formOk_ = chosen >= 0 &&
              BuildCurveForm(window_->Engine(), window_->Inventory().Slot(chosen), window_->View(), form_);
    example_ = chosen;
    if (formOk_) {
        point_.Reset(form_.lo, form_.hi);
        if (sameCurve) point_.SetT(t);
    }
    Update();
}

void TRunningPointDlg::Update() {
    hasPicture_ = formOk_ && LocalPictureAt(window_->Engine().letters, form_, point_.T(), picture_);
    const NumberFormat& f = window_->Format();
    auto show = [&](int id, bool known, long double v) { SetItemText(id, known ? f.FormatForField(v) : std::string()); };
    show(traceid::kX, hasPicture_, picture_.x);
    show(traceid::kY, hasPicture_, picture_.y);
    show(traceid::kT, formOk_, point_.T());
    show(traceid::kSlope, hasPicture_ && picture_.hasSlope, picture_.slope);
    show(traceid::kRadius, hasPicture_ && picture_.hasCircle, picture_.radius);
    window_->RunningPointMoved();
}

void TRunningPointDlg::Step(int n) {
    if (!window_ || !formOk_) return;
    point_.Step(n);
    Update();
}

void TRunningPointDlg::MoveToward(int px, int py) {
    if (!window_ || !formOk_) return;
    const PlotView& view = window_->View();
    const WorldPoint w = view.PixelToWorld(px, py);
    LetterStore& letters = window_->Engine().letters;
    point_.MoveNearest(
        [&](long double t, long double& d2) {
            long double x = 0, y = 0;
            if (!CurvePointAt(letters, form_, t, x, y)) return false;
            const long double dx = (x - w.x) * view.ppx, dy = (y - w.y) * view.ppy;
            d2 = dx * dx + dy * dy;
            return true;
        },
        2 * view.ClientWidth() + 2);
    Update();
}

void TRunningPointDlg::Draw(DrawSurface& surface) const {
    if (!hasPicture_) return;
    const LocalPicture& p = picture_;
    surface.Save();
    if (IsItemChecked(traceid::kTangent)) {
        surface.SetPen({200, 0, 0}, 1, LineStyle::kSolid);
        DrawLineThrough(surface, p.x, p.y, p.dx, p.dy);
    }
    if (IsItemChecked(traceid::kNormal)) {
        surface.SetPen({0, 0, 200}, 1, LineStyle::kDashed);
        DrawLineThrough(surface, p.x, p.y, -p.dy, p.dx);
    }
    // A circle far larger than the view is as good as the tangent.
    const PlotView& view = surface.View();
    if (IsItemChecked(traceid::kCircle) && p.hasCircle && p.radius < 1000 * (view.hw + view.hh)) {
        surface.SetPen({0, 140, 0}, 1, LineStyle::kSolid);
        surface.BeginPolyline();
        for (int i = 0; i <= kCircleSegments; ++i) {
            const long double a = 2 * kPi * i / kCircleSegments;
            surface.PolylineTo({p.cx + p.radius * std::cos(a), p.cy + p.radius * std::sin(a)});
        }
        surface.EndPolyline();
        surface.Dot({p.cx, p.cy}, 2);
    }
    surface.SetPen({0, 0, 0}, 1, LineStyle::kSolid);
    surface.Dot({p.x, p.y}, kDotRadius + 2);
    surface.SetPen({255, 0, 0}, 1, LineStyle::kSolid);
    surface.Dot({p.x, p.y}, kDotRadius);
    surface.Restore();
}

void TRunningPointDlg::EvNotify(int controlId, fw::Notify code) {
    if (window_ && controlId == traceid::kCurve && code == fw::Notify::SelChange) Rebuild();
    TDlg::EvNotify(controlId, code);
}

bool TRunningPointDlg::EvCommand(int id) {
    if (!window_) return TDlg::EvCommand(id);
    switch (id) {
    case traceid::kBack: Step(-1); return true;
    case traceid::kForward: Step(1); return true;
    case traceid::kTangent:
    case traceid::kNormal:
    case traceid::kCircle: window_->RunningPointMoved(); return true;
    default: return TDlg::EvCommand(id);
    }
}

}  // namespace curvelo
