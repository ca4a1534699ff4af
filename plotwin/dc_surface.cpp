#include "plotwin/dc_surface.h"

#include <algorithm>
#include <cstdint>

#include "plotwin/tick_labels.h"

namespace curvelo {
namespace {

fw::Color ToColor(Rgb c) { return {c.r, c.g, c.b}; }

fw::PenStyle ToPenStyle(LineStyle s) {
    switch (s) {
        case LineStyle::kDotted: return fw::PenStyle::Dot;
        case LineStyle::kDashed: return fw::PenStyle::Dash;
        case LineStyle::kDashDot: return fw::PenStyle::DashDot;
        case LineStyle::kDashDotDot: return fw::PenStyle::DashDotDot;
        case LineStyle::kSolid: break;
    }
    return fw::PenStyle::Solid;
}

}  // namespace

DcSurface::DcSurface(fw::DC& dc, const PlotView& view, FontLookup fonts)
    : DrawSurface(view), dc_(dc), fonts_(std::move(fonts)) {
    dc_.SaveState();
    Select();
}

DcSurface::~DcSurface() {
    if (inPolyline_) FlushPolyline();
    dc_.RestoreState();
}

void DcSurface::Select() {
    dc_.SelectPen(state_.pen);
    dc_.SelectBrush(state_.brush);
    dc_.SetTextColor(ToColor(state_.textColour));
    dc_.SetBkMode(state_.opaque ? fw::BkMode::Opaque : fw::BkMode::Transparent);
    dc_.SetBkColor(ToColor(state_.background));
}

void DcSurface::Save() {
    stack_.push_back(state_);
    dc_.SaveState();
}

void DcSurface::Restore() {
    if (stack_.empty()) return;
    state_ = stack_.back();
    stack_.pop_back();
    dc_.RestoreState();
    Select();
}

void DcSurface::SetPen(Rgb colour, int width, LineStyle style) {
    state_.pen = {ToColor(colour), width < 1 ? 1 : width, ToPenStyle(style)};
    dc_.SelectPen(state_.pen);
}

void DcSurface::SetBrush(Rgb colour) {
    state_.brush = {ToColor(colour), fw::BrushStyle::Solid};
    dc_.SelectBrush(state_.brush);
}

void DcSurface::SetFont(int kind) {
    state_.font = kind;
    if (fonts_) dc_.SelectFont(fonts_(kind));
}

void DcSurface::SetLogFont(const fw::LogFont& font) {
    state_.font = kOwnFont;
    dc_.SelectFont(font);
}

void DcSurface::SetTextColour(Rgb colour) {
    state_.textColour = colour;
    dc_.SetTextColor(ToColor(colour));
}

void DcSurface::SetLabelBackground(bool opaque, Rgb background) {
    state_.opaque = opaque;
    state_.background = background;
    dc_.SetBkMode(opaque ? fw::BkMode::Opaque : fw::BkMode::Transparent);
    dc_.SetBkColor(ToColor(background));
}

fw::Point DcSurface::Device(WorldPoint p) const { return {View().DeviceX(p.x), View().DeviceY(p.y)}; }

void DcSurface::Segment(WorldPoint a, WorldPoint b) {
    const fw::Point pa = Device(a), pb = Device(b);
    dc_.MoveTo(pa.x, pa.y);
    dc_.LineTo(pb.x, pb.y);
}

void DcSurface::BeginPolyline() {
    if (inPolyline_) FlushPolyline();
    inPolyline_ = true;
    lineCount_ = 0;
    leftOutCount_ = 0;
}

bool DcSurface::Extends(fw::Point d) const {
    // A point q lies on the piece a-d within the tolerance t when its distance from the
    // line, |cross| / |d - a|, is at most t and it projects between a and d; in integers,
    // with t = 1 / kToleranceDivisor.
    constexpr std::int64_t kToleranceDivisor = 4;
    const fw::Point a = line_[lineCount_ - 2];
    const std::int64_t dx = d.x - a.x, dy = d.y - a.y;
    const std::int64_t length2 = dx * dx + dy * dy;
    const auto near = [&](fw::Point q) {
        const std::int64_t qx = q.x - a.x, qy = q.y - a.y;
        const std::int64_t cross = dx * qy - dy * qx;
        const std::int64_t along = dx * qx + dy * qy;
        return along > 0 && along < length2 &&
               cross * cross * (kToleranceDivisor * kToleranceDivisor) <= length2;
    };
    if (!near(line_[lineCount_ - 1])) return false;
    for (int k = 0; k < leftOutCount_; ++k)
        if (!near(leftOut_[k])) return false;
    return true;
}

void DcSurface::PolylineTo(WorldPoint p) {
    if (!inPolyline_) BeginPolyline();
    const fw::Point d = Device(p);
    if (lineCount_ > 0 && line_[lineCount_ - 1] == d) return;
    if (simplify_ && lineCount_ >= 2 && leftOutCount_ < kMaxLeftOut && Extends(d)) {
        leftOut_[leftOutCount_++] = line_[lineCount_ - 1];
        line_[lineCount_ - 1] = d;
        return;
    }
    leftOutCount_ = 0;
    if (lineCount_ == kPolylineChunk) {
        FlushPolyline();
        // The next chunk continues from the last point drawn.
        line_[0] = line_[kPolylineChunk - 1];
        lineCount_ = 1;
    }
    line_[lineCount_++] = d;
}

void DcSurface::FlushPolyline() {
    if (lineCount_ >= 2)
        dc_.Polyline(line_.data(), lineCount_);
    else if (lineCount_ == 1)
        dc_.SetPixel(line_[0].x, line_[0].y, state_.pen.color);
}

void DcSurface::EndPolyline() {
    if (!inPolyline_) return;
    FlushPolyline();
    inPolyline_ = false;
    lineCount_ = 0;
    leftOutCount_ = 0;
}

void DcSurface::Dot(WorldPoint p, int radiusPixels) {
    const fw::Point d = Device(p);
    if (radiusPixels <= 0 && !IsPrinting()) {
        dc_.SetPixel(d.x, d.y, state_.pen.color);
        return;
    }
    radiusPixels = std::max(radiusPixels, 0);
    dc_.SelectBrush({state_.pen.color, fw::BrushStyle::Solid});
    dc_.SelectPen({state_.pen.color, 1, fw::PenStyle::Solid});
    dc_.Ellipse(d.x - radiusPixels, d.y - radiusPixels, d.x + radiusPixels + 1, d.y + radiusPixels + 1);
    dc_.SelectBrush(state_.brush);
    dc_.SelectPen(state_.pen);
}

void DcSurface::FilledPolygon(const WorldPoint* points, int n) {
    if (n < 3 || !points) return;
    polygon_.resize(static_cast<std::size_t>(n));
    for (int i = 0; i < n; ++i) polygon_[static_cast<std::size_t>(i)] = Device(points[i]);
    dc_.Polygon(polygon_.data(), n);
}

fw::RasterTarget DcSurface::Raster() {
    // Pixels written during a polyline would lie under its pending points.
    if (!directRaster_ || IsPrinting() || inPolyline_) return {};
    return dc_.Raster();
}

void DcSurface::Label(WorldPoint p, std::string_view utf8, int a, int b, LabelRole role) {
    if (utf8.empty()) return;
    const fw::Point d = Device(p);
    const fw::Size size = dc_.GetTextExtent(utf8);
    LabelBox box = PlaceLabel(d.x, d.y, size.cx, size.cy, a, b);
    if (role == LabelRole::kNumberX || role == LabelRole::kNumberY) {
        // A number of a tick on the picture's edge is pushed inside rather than cut off, with
        // a little room: glyphs such as the long minus reach past their advance box.
        constexpr int kMargin = 2;
        const PlotView& v = View();
        box.left = std::max(std::min(box.left, v.x0 + v.W - size.cx - kMargin), v.x0 + kMargin);
        box.top = std::max(std::min(box.top, v.y0 + v.H - size.cy), static_cast<int>(v.y0));
    }
    dc_.SetTextAlign(fw::kAlignLeft | fw::kAlignTop);
    dc_.TextOut(box.left, box.top, utf8);
}

}  // namespace curvelo
