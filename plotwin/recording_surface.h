// A drawing surface that only records what was drawn, in order; for checking routines
// without a device.
#pragma once

#include <string>
#include <vector>

#include "plotwin/draw_surface.h"

namespace curvelo {

struct DrawOp {
    enum Kind { kSegment, kPolyline, kDot, kPolygon, kLabel };
    Kind kind = kSegment;
    std::vector<WorldPoint> points;
    std::string text;
    int a = 0, b = 0;
    LabelRole role = LabelRole::kPlain;
    int radius = 0;
    // State in force when the shape was drawn.
    Rgb pen, brush, textColour;
    int penWidth = 1;
    LineStyle style = LineStyle::kSolid;
    int font = 0;
    bool opaque = false;
    // Pixel box of a label by the fixed metrics below.
    int left = 0, top = 0, width = 0, height = 0;
};

class RecordingSurface : public DrawSurface {
public:
    static constexpr int kCharWidth = 7;
    static constexpr int kCharHeight = 12;

    using DrawSurface::DrawSurface;

    const std::vector<DrawOp>& Ops() const { return ops_; }
    void Clear() { ops_.clear(); }
    int SaveDepth() const { return static_cast<int>(stack_.size()); }

    void Save() override;
    void Restore() override;
    void SetPen(Rgb colour, int width, LineStyle style) override;
    void SetBrush(Rgb colour) override { state_.brush = colour; }
    void SetFont(int kind) override { state_.font = kind; }
    void SetLogFont(const fw::LogFont&) override { state_.font = kOwnFont; }
    void SetTextColour(Rgb colour) override { state_.textColour = colour; }
    void SetLabelBackground(bool opaque, Rgb) override { state_.opaque = opaque; }
    void Segment(WorldPoint a, WorldPoint b) override;
    void BeginPolyline() override;
    void PolylineTo(WorldPoint p) override;
    void EndPolyline() override;
    void Dot(WorldPoint p, int radiusPixels) override;
    void FilledPolygon(const WorldPoint* points, int n) override;
    void Label(WorldPoint p, std::string_view utf8, int a, int b, LabelRole role) override;

private:
    struct State {
        Rgb pen, brush, textColour;
        int penWidth = 1;
        LineStyle style = LineStyle::kSolid;
        int font = 0;
        bool opaque = false;
    };
    DrawOp Begin(DrawOp::Kind kind) const;

    State state_;
    std::vector<State> stack_;
    std::vector<DrawOp> ops_;
    bool inPolyline_ = false;
};

}  // namespace curvelo
