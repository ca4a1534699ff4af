// The drawing interface over a framework device context: screen, layer bitmap, printer page
// and vector pictures all draw through this.
#pragma once

#include <array>
#include <functional>
#include <vector>

#include "framework/dc.h"
#include "framework/log_font.h"
#include "plotwin/draw_surface.h"

namespace curvelo {

class DcSurface : public DrawSurface {
public:
    // The font of a window's font kind (tick numbers, axis titles, ...).
    using FontLookup = std::function<fw::LogFont(int kind)>;

    DcSurface(fw::DC& dc, const PlotView& view, FontLookup fonts = {});
    ~DcSurface() override;

    fw::DC& Dc() { return dc_; }
    // Polylines hand the device fewer points where the picture stays the same: a point
    // that lies in line with its neighbours (within a fraction of a pixel) is left out.
    // Off draws every distinct pixel point, for comparing.
    void SetSimplify(bool on) { simplify_ = on; }
    // Off hides the device's pixels, so that every shape goes through the device's calls
    // (for comparing).
    void SetDirectRaster(bool on) { directRaster_ = on; }

    void Save() override;
    void Restore() override;
    void SetPen(Rgb colour, int width, LineStyle style) override;
    void SetBrush(Rgb colour) override;
    void SetFont(int kind) override;
    void SetLogFont(const fw::LogFont& font) override;
    void SetTextColour(Rgb colour) override;
    void SetLabelBackground(bool opaque, Rgb background) override;
    void Segment(WorldPoint a, WorldPoint b) override;
    void BeginPolyline() override;
    void PolylineTo(WorldPoint p) override;
    void EndPolyline() override;
    void Dot(WorldPoint p, int radiusPixels) override;
    void FilledPolygon(const WorldPoint* points, int n) override;
    void Label(WorldPoint p, std::string_view utf8, int a, int b, LabelRole role) override;
    fw::RasterTarget Raster() override;

private:
    struct State {
        fw::Pen pen;
        fw::Brush brush;
        Rgb textColour;
        bool opaque = false;
        Rgb background{255, 255, 255};
        int font = -1;
    };
    fw::Point Device(WorldPoint p) const;
    // True when d can replace the polyline's last point: that point and the ones it
    // already replaced stay within the tolerance of the straight piece to d.
    bool Extends(fw::Point d) const;
    void FlushPolyline();
    void Select();

    fw::DC& dc_;
    FontLookup fonts_;
    State state_;
    std::vector<State> stack_;
    // Polyline points gathered without allocating; flushed when full.
    static constexpr int kPolylineChunk = 512;
    std::array<fw::Point, kPolylineChunk> line_{};
    int lineCount_ = 0;
    bool inPolyline_ = false;
    bool simplify_ = true;
    bool directRaster_ = true;
    // Points left out since the last kept corner; a long straight run starts a new corner.
    static constexpr int kMaxLeftOut = 16;
    std::array<fw::Point, kMaxLeftOut> leftOut_{};
    int leftOutCount_ = 0;
    // Polygon corners: small shapes stay on the stack-like buffer, large ones grow it once.
    std::vector<fw::Point> polygon_;
};

}  // namespace curvelo
