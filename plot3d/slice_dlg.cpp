#include "plot3d/slice_dlg.h"

#include <chrono>
#include <thread>

#include "framework/kit_services.h"
#include "plot3d/plot3_win.h"

namespace curvelo {
namespace {

constexpr int kFrameDelayMs = 30;
constexpr int kPollSliceMs = 5;

}  // namespace

TSliceDlg::TSliceDlg(TPlot3Win* window, int index) : TDlg(window, "SLICES"), window_(window), index_(index) {}

TSliceDlg::~TSliceDlg() {
    window_->Slices() = SliceOverlay{};
    window_->ShowSlices();
}

void TSliceDlg::SetupWindow() {
    TDlg::SetupWindow();
    quiet_ = true;
    for (int id : {sliceid::kBarX, sliceid::kBarY}) {
        SetScrollRange(id, 0, kSliceSteps);
        SetScrollPage(id, kSliceSteps / 10);
        SetScrollPos(id, kSliceSteps / 2);
    }
    quiet_ = false;
    CheckItem(sliceid::kAnimated, true);
    window_->Slices().example = index_;
    BarsMoved(true);
}

long double TSliceDlg::ValueAt(int axis, int position) const {
    const TExample& e = window_->Inventory().Slot(index_).example;
    const auto a = static_cast<std::size_t>(axis);
    if (position >= kSliceSteps) return e.values191[a];
    return e.values161[a] + (e.values191[a] - e.values161[a]) * position / kSliceSteps;
}

void TSliceDlg::BarsMoved(bool repaint) {
    SliceOverlay& overlay = window_->Slices();
    overlay.hx = ValueAt(0, GetScrollPos(sliceid::kBarX));
    overlay.hy = ValueAt(1, GetScrollPos(sliceid::kBarY));
    overlay.tangent = IsItemChecked(sliceid::kTangent);
    const NumberFormat& format = window_->Format();
    SetItemText(sliceid::kValueX, format.FormatForField(overlay.hx));
    SetItemText(sliceid::kValueY, format.FormatForField(overlay.hy));
    const TangentPlane t =
        TangentAt(window_->Inventory().Slot(index_), window_->Engine().letters, overlay.hx, overlay.hy);
    SetItemText(sliceid::kHeight, t.defined ? format.FormatForField(t.point.z) : std::string("-"));
    if (repaint) window_->ShowSlices();
}

long TSliceDlg::Sweep(bool repeat) {
    SliceOverlay& overlay = window_->Slices();
    const bool keep = IsItemChecked(sliceid::kStatic);
    const int bar = lastAxis_ == 0 ? sliceid::kBarX : sliceid::kBarY;
    long frames = 0;
    bool stopped = false;
    do {
        overlay.keptX.clear();
        overlay.keptY.clear();
        for (int pos = 0; pos <= kSliceSteps && !stopped && frames < kMaxSweepFrames; pos += kSweepStride, ++frames) {
            quiet_ = true;
            SetScrollPos(bar, pos);
            quiet_ = false;
            BarsMoved(false);
            auto& kept = lastAxis_ == 0 ? overlay.keptX : overlay.keptY;
            if (keep && static_cast<int>(kept.size()) < kMaxKeptSections)
                kept.push_back(lastAxis_ == 0 ? overlay.hx : overlay.hy);
            window_->ShowSlices();
            for (int waited = 0; waited < kFrameDelayMs && !stopped; waited += kPollSliceMs) {
                std::this_thread::sleep_for(std::chrono::milliseconds(kPollSliceMs));
                stopped = PollKey(this) == kKeyQuit || PollKey(window_) == kKeyQuit;
            }
        }
    } while (repeat && !stopped && frames < kMaxSweepFrames);
    return frames;
}

bool TSliceDlg::EvCommand(int id) {
    switch (id) {
    case sliceid::kPlay: Sweep(false); return true;
    case sliceid::kRepeat: Sweep(true); return true;
    case sliceid::kTangent: BarsMoved(true); return true;
    case sliceid::kStatic:
    case sliceid::kAnimated:
        window_->Slices().keptX.clear();
        window_->Slices().keptY.clear();
        window_->ShowSlices();
        return true;
    default: return TDlg::EvCommand(id);
    }
}

void TSliceDlg::EvNotify(int id, fw::Notify code) {
    if ((id == sliceid::kBarX || id == sliceid::kBarY) && code == fw::Notify::ScrollChange) {
        if (quiet_) return;
        lastAxis_ = id == sliceid::kBarX ? 0 : 1;
        BarsMoved(false);
        SliceOverlay& overlay = window_->Slices();
        auto& kept = lastAxis_ == 0 ? overlay.keptX : overlay.keptY;
        if (IsItemChecked(sliceid::kStatic) && static_cast<int>(kept.size()) < kMaxKeptSections)
            kept.push_back(lastAxis_ == 0 ? overlay.hx : overlay.hy);
        window_->ShowSlices();
        return;
    }
    if (id == sliceid::kTangent && code == fw::Notify::Toggled) {
        BarsMoved(true);
        return;
    }
    TDlg::EvNotify(id, code);
}

}  // namespace curvelo
