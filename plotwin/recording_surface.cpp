#include "plotwin/recording_surface.h"

#include "plotwin/tick_labels.h"
#include "textwin/text_codec.h"

namespace curvelo {

void RecordingSurface::Save() { stack_.push_back(state_); }

void RecordingSurface::Restore() {
    if (stack_.empty()) return;
    state_ = stack_.back();
    stack_.pop_back();
}

void RecordingSurface::SetPen(Rgb colour, int width, LineStyle style) {
    state_.pen = colour;
    state_.penWidth = width < 1 ? 1 : width;
    state_.style = style;
}

DrawOp RecordingSurface::Begin(DrawOp::Kind kind) const {
    DrawOp op;
    op.kind = kind;
    op.pen = state_.pen;
    op.brush = state_.brush;
    op.textColour = state_.textColour;
    op.penWidth = state_.penWidth;
    op.style = state_.style;
    op.font = state_.font;
    op.opaque = state_.opaque;
    return op;
}

void RecordingSurface::Segment(WorldPoint a, WorldPoint b) {
    DrawOp op = Begin(DrawOp::kSegment);
    op.points = {a, b};
    ops_.push_back(std::move(op));
}

void RecordingSurface::BeginPolyline() {
    ops_.push_back(Begin(DrawOp::kPolyline));
    inPolyline_ = true;
}

void RecordingSurface::PolylineTo(WorldPoint p) {
    if (!inPolyline_) BeginPolyline();
    ops_.back().points.push_back(p);
}

void RecordingSurface::EndPolyline() { inPolyline_ = false; }

void RecordingSurface::Dot(WorldPoint p, int radiusPixels) {
    DrawOp op = Begin(DrawOp::kDot);
    op.points = {p};
    op.radius = radiusPixels;
    ops_.push_back(std::move(op));
}

void RecordingSurface::FilledPolygon(const WorldPoint* points, int n) {
    if (n < 3) return;
    DrawOp op = Begin(DrawOp::kPolygon);
    op.points.assign(points, points + n);
    ops_.push_back(std::move(op));
}

void RecordingSurface::Label(WorldPoint p, std::string_view utf8, int a, int b, LabelRole role) {
    DrawOp op = Begin(DrawOp::kLabel);
    op.points = {p};
    op.text = std::string(utf8);
    op.a = a;
    op.b = b;
    op.role = role;
    op.width = static_cast<int>(CountChars(utf8)) * kCharWidth;
    op.height = kCharHeight;
    const LabelBox box = PlaceLabel(View().DeviceX(p.x), View().DeviceY(p.y), op.width, op.height, a, b);
    op.left = box.left;
    op.top = box.top;
    ops_.push_back(std::move(op));
}

}  // namespace curvelo
