// The common part of the text exports (PiCTeX, TikZ): the pen and text state with its
// nesting, and everything cut to the view, so an export never writes a coordinate outside
// the picture (curves leave the view in runs that end at its edge).
#pragma once

#include <string_view>
#include <vector>

#include "plotwin/draw_surface.h"

namespace curvelo {

class ExportSurface : public DrawSurface {
public:
    // widthCm is the picture's width; its height keeps the view's proportions.
    ExportSurface(const PlotView& view, long double widthCm);

    bool IsExport() const override { return true; }

    void Save() override { stack_.push_back(state_); }
    void Restore() override;
    void SetPen(Rgb colour, int width, LineStyle style) override;
    void SetBrush(Rgb colour) override { state_.brush = colour; }
    void SetFont(int kind) override { state_.font = kind; }
    void SetLogFont(const fw::LogFont&) override { state_.font = kOwnFont; }
    void SetTextColour(Rgb colour) override { state_.text = colour; }
    void SetLabelBackground(bool opaque, Rgb background) override;
    void Segment(WorldPoint a, WorldPoint b) override;
    void BeginPolyline() override;
    void PolylineTo(WorldPoint p) override;
    void EndPolyline() override;
    void Dot(WorldPoint p, int radiusPixels) override;
    void FilledPolygon(const WorldPoint* points, int n) override;
    void Label(WorldPoint p, std::string_view utf8, int a, int b, LabelRole role) override;

    // Ends what is still open; called once after the picture was painted.
    virtual void Finish() { FlushRun(); }

    // Larger polygons are left out: their shading would not end (they come from hostile
    // documents only).
    static constexpr int kMaxPolygonCorners = 4096;
    // A run longer than this is written as several joined runs.
    static constexpr std::size_t kMaxRunPoints = 2000;

protected:
    struct State {
        Rgb pen{0, 0, 0};
        int width = 1;
        LineStyle style = LineStyle::kSolid;
        Rgb brush{0, 0, 0};
        Rgb text{0, 0, 0};
        bool opaque = false;
        Rgb background{255, 255, 255};
        int font = 0;
    };
    const State& Current() const { return state_; }
    // Centimetres per world unit across and up.
    long double CmPerUnitX() const { return u_; }
    long double CmPerUnitY() const { return v_; }

    // Tick numbers stay inside the picture, as the screen keeps them: the box of a text of
    // w x h points placed at p by a, b is moved inside the view; true, with the box's upper
    // left corner, when it had to move.
    bool MovedInside(WorldPoint p, int a, int b, long double wPt, long double hPt, WorldPoint& corner) const;
    // The width of a tick number in points, digits and point of a seven-point face, with the
    // minus sign as wide as given.
    static long double NumberWidthPt(std::string_view text, long double minusPt);

    // Each gets shapes inside the view only.
    virtual void EmitSegment(WorldPoint a, WorldPoint b) = 0;
    // At least two points.
    virtual void EmitRun(const std::vector<WorldPoint>& points) = 0;
    virtual void EmitDot(WorldPoint p, int radiusPixels) = 0;
    // At least three corners.
    virtual void EmitPolygon(const std::vector<WorldPoint>& corners) = 0;
    virtual void EmitLabel(WorldPoint p, std::string_view utf8, int a, int b, LabelRole role) = 0;

private:
    void FlushRun();

    long double u_ = 1, v_ = 1;
    State state_;
    std::vector<State> stack_;
    bool havePrevious_ = false;
    WorldPoint previous_;
    std::vector<WorldPoint> run_;
};

// The part of a polygon inside the view (Sutherland-Hodgman against the four edges).
std::vector<WorldPoint> ClipPolygonToView(const PlotView& view, const WorldPoint* points, int n);

// The polygon's area cut into trapezoids between consecutive corner abscissas: for each,
// the two abscissas and the lower and upper ordinate at each. Polygons with more than
// ExportSurface::kMaxPolygonCorners corners give none.
struct Trapezoid {
    long double xa = 0, loA = 0, hiA = 0, xb = 0, loB = 0, hiB = 0;
};
std::vector<Trapezoid> Trapezoids(const std::vector<WorldPoint>& polygon);

}  // namespace curvelo
