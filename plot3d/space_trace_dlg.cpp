#include "plot3d/space_trace_dlg.h"

#include <cmath>

#include "expr/letters.h"
#include "plot2d/example_chooser.h"
#include "plot2d/object_geometry.h"
#include "plot3d/plot3_win.h"
#include "plot3d/space_kinds.h"
#include "plot3d/view3d.h"

namespace curvelo {
namespace {

constexpr int kDotRadius = 3;
// The tangent drawn is this part of the cell's diagonal long on either side.
constexpr long double kTangentShare = 0.08L;

}  // namespace

TSpaceTraceDlg::TSpaceTraceDlg(TPlot3Win* window) : TDlg(window, "TRACE3"), window_(window) {}

TSpaceTraceDlg::~TSpaceTraceDlg() {
    if (window_) window_->RunningPointGone(this);
}

void TSpaceTraceDlg::SetupWindow() {
    TDlg::SetupWindow();
    CheckItem(trace3id::kTangent, true);
    Refresh();
}

void TSpaceTraceDlg::Refresh() {
    if (!window_) return;
    slots_ = FillExampleChooser(*this, trace3id::kCurve, window_->Inventory(), window_->Format().Pattern(),
                                IsSpaceCurveKind, ChosenExample(*this, trace3id::kCurve, slots_),
                                window_->Inventory().Selected());
    Rebuild();
}

void TSpaceTraceDlg::Rebuild() {
    const int chosen = ChosenExample(*this, trace3id::kCurve, slots_);
    const long double t = point_.T();
    if (chosen >= 0) {
        const TExample& e = window_->Inventory().At(chosen);
        point_.Reset(e.low, e.high, std::clamp<int>(space::Samples(e), 1, RunningPoint::kMaxSteps));
        if (chosen == example_) point_.SetT(t);
    }
    example_ = chosen;
    Update();
}

void TSpaceTraceDlg::Update() {
    hasPoint_ = hasTangent_ = false;
    if (example_ >= 0 && window_) {
        InventorySlot& slot = window_->Inventory().Slot(example_);
        LetterStore& letters = window_->Engine().letters;
        const long double keptT = GetLetter(letters, kLetterT);
        long double p[3];
        hasPoint_ = EvalCurvePoint(slot, letters, point_.T(), p);
        if (hasPoint_) {
            p_ = {p[0], p[1], p[2]};
            // A segment's direction is its end less its start.
            long double d[3] = {0, 0, 0};
            if (slot.example.kind == kKindSpaceSegment) {
                long double a[3], b[3];
                hasTangent_ = EvalCurvePoint(slot, letters, 0, a) && EvalCurvePoint(slot, letters, 1, b);
                for (int i = 0; i < 3; ++i) d[i] = b[i] - a[i];
            } else {
                SetLetter(letters, kLetterT, point_.T());
                hasTangent_ = true;
                for (int i = 0; i < 3 && hasTangent_; ++i)
                    hasTangent_ = EvalReal(letters, slot.trees[static_cast<std::size_t>(4 + i)], d[i]);
            }
            d_ = {d[0], d[1], d[2]};
            hasTangent_ = hasTangent_ && d_.L1() > 0;
        }
        SetLetter(letters, kLetterT, keptT);
    }
    const NumberFormat& f = window_ ? window_->Format() : NumberFormat{};
    auto show = [&](int id, bool known, long double v) { SetItemText(id, known ? f.FormatForField(v) : std::string()); };
    show(trace3id::kX, hasPoint_, p_.x);
    show(trace3id::kY, hasPoint_, p_.y);
    show(trace3id::kZ, hasPoint_, p_.z);
    show(trace3id::kT, example_ >= 0, point_.T());
    if (window_) window_->RunningPointMoved();
}

void TSpaceTraceDlg::Step(int n) {
    if (!window_ || example_ < 0) return;
    point_.Step(n);
    Update();
}

void TSpaceTraceDlg::Draw(DrawSurface& surface, const View3D& space) const {
    if (!hasPoint_) return;
    const WorldPoint at = space.ProjectPoint(p_);
    surface.Save();
    if (hasTangent_ && IsItemChecked(trace3id::kTangent)) {
        const long double len = std::sqrt(d_.x * d_.x + d_.y * d_.y + d_.z * d_.z);
        const long double k = kTangentShare * space.CellDiagonalL1() / len;
        const Vec3 along{d_.x * k, d_.y * k, d_.z * k};
        surface.SetPen({200, 0, 0}, 1, LineStyle::kSolid);
        surface.Segment(space.ProjectPoint(p_ - along), space.ProjectPoint(p_ + along));
    }
    surface.SetPen({0, 0, 0}, 1, LineStyle::kSolid);
    surface.Dot(at, kDotRadius + 2);
    surface.SetPen({255, 0, 0}, 1, LineStyle::kSolid);
    surface.Dot(at, kDotRadius);
    surface.Restore();
}

void TSpaceTraceDlg::EvNotify(int controlId, fw::Notify code) {
    if (window_ && controlId == trace3id::kCurve && code == fw::Notify::SelChange) Rebuild();
    TDlg::EvNotify(controlId, code);
}

bool TSpaceTraceDlg::EvCommand(int id) {
    if (!window_) return TDlg::EvCommand(id);
    switch (id) {
    case trace3id::kBack: Step(-1); return true;
    case trace3id::kForward: Step(1); return true;
    case trace3id::kFastBack: Step(-trace3id::kFastSteps); return true;
    case trace3id::kFastForward: Step(trace3id::kFastSteps); return true;
    case trace3id::kTangent: window_->RunningPointMoved(); return true;
    default: return TDlg::EvCommand(id);
    }
}

}  // namespace curvelo
