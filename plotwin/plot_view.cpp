#include "plotwin/plot_view.h"

#include <algorithm>
#include <cmath>

#include "plotwin/segment_clip.h"
#include "plotwin/to_int.h"

namespace curvelo {
namespace {

bool ValidExtent(long double v) { return std::isfinite(v) && v > kViewEpsilon; }
bool ValidCentre(long double v) { return std::isfinite(v); }

}  // namespace

PlotView::PlotView() { ApplyView(); }

void PlotView::SetClientSize(int width, int height) {
    clientW_ = std::max(width, 1);
    clientH_ = std::max(height, 1);
}

void PlotView::ApplyView() { ApplyViewTo(clientW_, clientH_, 0, 0); }

void PlotView::ApplyViewTo(int width, int height, int originX, int originY) {
    W = std::max(width, 1);
    H = std::max(height, 1);
    x0 = static_cast<std::int16_t>(std::clamp(originX, -32768, 32767));
    y0 = static_cast<std::int16_t>(std::clamp(originY, -32768, 32767));
    Derive();
    if (listener_) listener_->ViewApplied();
}

void PlotView::Derive() {
    // Views read from files may be broken; a view that cannot be mapped becomes the initial one.
    const bool edgesOk = std::isfinite(xmin) && std::isfinite(ymin) && ValidExtent(xmax - xmin) &&
                         ValidExtent(ymax - ymin);
    const bool centreOk = ValidCentre(cx) && ValidCentre(cy) && ValidExtent(hw) && ValidExtent(aspect);
    if (unequal ? !edgesOk : !centreOk) {
        unequal = 0;
        cx = cy = 0;
        hw = 5;
        aspect = 1;
    }
    if (unequal) {
        aspect = W * (ymax - ymin) / ((xmax - xmin) * H);
        cx = (xmin + xmax) * 0.5L;
        cy = (ymin + ymax) * 0.5L;
        hw = (xmax - xmin) * 0.5L;
        hh = (ymax - ymin) * 0.5L;
    } else {
        hh = H * aspect * hw / W;
        xmin = cx - hw;
        xmax = cx + hw;
        ymin = cy - hh;
        ymax = cy + hh;
    }
    upx = hw * 2 / W;
    upy = hh * 2 / H;
    ppx = 1 / upx;
    ppy = 1 / upy;
}

void PlotView::Changed() {
    if (!listener_) return;
    listener_->ViewRepaint();
    listener_->ViewModified();
}

bool PlotView::SetViewSquare(long double ncx, long double ncy, long double nhw) {
    if (!ValidCentre(ncx) || !ValidCentre(ncy) || !ValidExtent(nhw)) return false;
    PushView();
    cx = ncx;
    cy = ncy;
    hw = nhw;
    unequal = 0;
    aspect = 1;
    ApplyView();
    Changed();
    return true;
}

bool PlotView::SetViewFree(long double ncx, long double ncy, long double nhw, long double nhh,
                           bool unequalUnits) {
    if (!ValidCentre(ncx) || !ValidCentre(ncy) || !ValidExtent(nhw) || !ValidExtent(nhh)) return false;
    PushView();
    if (unequalUnits) {
        unequal = 1;
        xmin = ncx - nhw;
        xmax = ncx + nhw;
        ymin = ncy - nhh;
        ymax = ncy + nhh;
        ApplyView();
    } else {
        unequal = 0;
        cx = ncx;
        cy = ncy;
        hw = nhw;
        ApplyView();
        if (nhh > hh) {
            hw *= nhh / hh;
            ApplyView();
        }
    }
    Changed();
    return true;
}

bool PlotView::SetView(long double ncx, long double ncy, long double nhw, long double nhh, bool unequalUnits) {
    return unequalUnits ? SetViewFree(ncx, ncy, nhw, nhh, true) : SetViewSquare(ncx, ncy, nhw);
}

void PlotView::Zoom(bool out) {
    const long double f = zoomFactor;
    const long double nhw = out ? hw * f : hw / f;
    const long double nhh = out ? hh * f : hh / f;
    if (unequal)
        SetViewFree(cx, cy, nhw, nhh, true);
    else
        SetViewSquare(cx, cy, nhw);
}

void PlotView::Pan(long double fx, long double fy) {
    const long double ncx = cx + fx * 2 * hw;
    const long double ncy = cy + fy * 2 * hh;
    if (unequal)
        SetViewFree(ncx, ncy, hw, hh, true);
    else
        SetViewSquare(ncx, ncy, hw);
}

void PlotView::MakeSquare() {
    if (!unequal) return;
    const long double r = upx <= upy ? upy / upx : 1;
    aspect = 1;
    SetViewSquare(cx, cy, hw * r);
}

void PlotView::NormalizeStoredFactors() {
    if (!std::isfinite(zoomFactor) || zoomFactor <= kViewEpsilon) zoomFactor = kDefaultZoomFactor;
    if (!std::isfinite(panFraction) || panFraction <= kViewEpsilon) panFraction = kDefaultPanFraction;
}

void PlotView::ResetView() {
    ClearHistory();
    cx = cy = 0;
    hw = hh = 5;
    aspect = 1;
    unequal = 0;
    ApplyView();
}

void PlotView::PushView() {
    SavedView v;
    v.unequal = unequal;
    v.aspect = aspect;
    if (unequal) {
        v.a = xmin; v.b = xmax; v.c = ymin; v.d = ymax;
    } else {
        v.a = cx; v.b = cy; v.c = hw; v.d = hh;
    }
    history_.push_back(v);
    if (listener_) listener_->ViewHistoryChanged(true);
}

bool PlotView::PopView() {
    if (history_.empty()) return false;
    const SavedView v = history_.back();
    history_.pop_back();
    unequal = v.unequal;
    aspect = v.aspect;
    if (unequal) {
        xmin = v.a; xmax = v.b; ymin = v.c; ymax = v.d;
    } else {
        cx = v.a; cy = v.b; hw = v.c; hh = v.d;
    }
    ApplyView();
    if (listener_) {
        listener_->ViewHistoryChanged(!history_.empty());
        listener_->ViewRepaint();
    }
    return true;
}

void PlotView::ClearHistory() {
    history_.clear();
    if (listener_) listener_->ViewHistoryChanged(false);
}

bool PlotView::MapX(long double x, int* px) const {
    long double t = (x - xmin) * ppx;
    bool inside = true;
    if (t > W) {
        t = W + 1;
        inside = false;
    } else if (t < 0 || std::isnan(t)) {
        t = -1;
        inside = false;
    }
    *px = ToInt(t) + x0;
    return inside;
}

bool PlotView::MapY(long double y, int* py) const {
    long double t = (ymax - y) * ppy;
    bool inside = true;
    if (t > H) {
        t = H + 1;
        inside = false;
    } else if (t < 0 || std::isnan(t)) {
        t = -1;
        inside = false;
    }
    *py = ToInt(t) + y0;
    return inside;
}

int PlotView::ToPixelX(long double x) const {
    const long double t = (x - xmin) * ppx;
    if (t > W) return W + 1;
    if (t < 0 || std::isnan(t)) return -1;
    return ToInt(t) + x0;
}

int PlotView::ToPixelY(long double y) const {
    const long double t = (ymax - y) * ppy;
    if (t > H) return H + 1;
    if (t < 0 || std::isnan(t)) return -1;
    return ToInt(t) + y0;
}

WorldPoint PlotView::PixelToWorld(long double px, long double py) const {
    return {(px - x0) * upx + xmin, ymax - (py - y0) * upy};
}

bool PlotView::ClipSegment(WorldPoint& p, WorldPoint& q) const {
    if (InView(p.x, p.y) && InView(q.x, q.y)) return true;
    return ClipToRect(p, q, xmin + upx, xmax - upx, ymin + upy, ymax - upy);
}

WorldPoint PlotView::RandomPointInView() {
    std::uniform_real_distribution<long double> unit(0.0L, 1.0L);
    const long double u = unit(random_);
    const long double v = unit(random_);
    return {xmin + u * 2 * hw, ymin + v * 2 * hh};
}

bool PlotView::ZoomToPixelRect(int px1, int py1, int px2, int py2, int minPixels) {
    if (std::abs(px2 - px1) < minPixels || std::abs(py2 - py1) < minPixels) return false;
    const WorldPoint a = PixelToWorld(px1 + x0, py1 + y0);
    const WorldPoint b = PixelToWorld(px2 + x0, py2 + y0);
    const long double nhw = std::fabs(b.x - a.x) * 0.5L;
    const long double nhh = std::fabs(b.y - a.y) * 0.5L;
    return SetViewFree((a.x + b.x) * 0.5L, (a.y + b.y) * 0.5L, nhw, nhh, unequal != 0);
}

bool PlotView::ZoomAboutPixel(int px, int py, long double factor, bool saveView) {
    if (!ValidExtent(factor)) return false;
    const WorldPoint p = PixelToWorld(px + x0, py + y0);
    const long double ncx = p.x - (p.x - cx) * factor;
    const long double ncy = p.y - (p.y - cy) * factor;
    const std::size_t before = history_.size();
    const bool done = unequal ? SetViewFree(ncx, ncy, hw * factor, hh * factor, true)
                              : SetViewSquare(ncx, ncy, hw * factor);
    if (done && !saveView && history_.size() > before) {
        history_.pop_back();
        if (history_.empty() && listener_) listener_->ViewHistoryChanged(false);
    }
    return done;
}

void PlotView::CentreAtPixel(int px, int py) {
    const WorldPoint p = PixelToWorld(px + x0, py + y0);
    if (unequal)
        SetViewFree(p.x, p.y, hw, hh, true);
    else
        SetViewSquare(p.x, p.y, hw);
}

}  // namespace curvelo
