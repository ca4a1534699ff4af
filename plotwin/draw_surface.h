// The drawing interface of every plot routine: shapes in world coordinates of a view, so the
// same routine paints the screen, a layer bitmap, the printer, vector pictures or an export.
#pragma once

#include <string_view>

#include "framework/log_font.h"
#include "framework/quad_filler.h"
#include "plotwin/colour_table.h"
#include "plotwin/plot_view.h"

namespace curvelo {

enum class LineStyle { kSolid, kDotted, kDashed, kDashDot, kDashDotDot };

// What a label is, for outputs that place texts their own way (x numbers sit on top of
// their point, y numbers to its right, in an export).
enum class LabelRole { kPlain, kNumberX, kNumberY, kAxisTitle };

// Font kinds of a window; a font command's id is 60 + kind.
inline constexpr int kFontTickNumbers = 1;
inline constexpr int kFontAxisTitles = 5;
// The font state of a surface after SetLogFont.
inline constexpr int kOwnFont = -2;

class DrawSurface {
public:
    explicit DrawSurface(const PlotView& view) : view_(&view) {}
    virtual ~DrawSurface() = default;
    DrawSurface(const DrawSurface&) = delete;
    DrawSurface& operator=(const DrawSurface&) = delete;

    const PlotView& View() const { return *view_; }

    // Keeps pen, brush, font and text settings for a later Restore (nested).
    virtual void Save() = 0;
    virtual void Restore() = 0;

    // Width in device pixels; 0 or less is taken as 1.
    virtual void SetPen(Rgb colour, int width, LineStyle style) = 0;
    virtual void SetBrush(Rgb colour) = 0;
    virtual void SetFont(int kind) = 0;
    // A font of its own (a text label's), in place of the window's font kinds.
    virtual void SetLogFont(const fw::LogFont& font) = 0;
    virtual void SetTextColour(Rgb colour) = 0;
    // Opaque labels fill their box with the background colour.
    virtual void SetLabelBackground(bool opaque, Rgb background) = 0;

    virtual void Segment(WorldPoint a, WorldPoint b) = 0;
    // A connected line: Begin, then every point, then End (which draws what is pending).
    virtual void BeginPolyline() = 0;
    virtual void PolylineTo(WorldPoint p) = 0;
    virtual void EndPolyline() = 0;
    // A filled dot of the given radius in pixels around p (0: one pixel on the screen, a
    // one-pixel ellipse when printing). Marks go through DrawDot, which sizes them.
    virtual void Dot(WorldPoint p, int radiusPixels) = 0;
    // Filled with the brush, outlined with the pen; n is at least 3 to draw anything.
    virtual void FilledPolygon(const WorldPoint* points, int n) = 0;
    // A text of the current font at p: a, b in {-1, 0, 1} as PlaceLabel takes them.
    virtual void Label(WorldPoint p, std::string_view utf8, int a, int b, LabelRole role) = 0;

    // The output's pixels, for drawings of thousands of flat shapes that would cost far
    // more through the calls above; empty for vector outputs and exports. The pixels map to
    // the view's device coordinates.
    virtual fw::RasterTarget Raster() { return {}; }

    // True while the output is a text export rather than a picture.
    virtual bool IsExport() const { return false; }
    // A printed page draws even the smallest dot as an ellipse (a pixel there is too fine).
    bool IsPrinting() const { return printing_; }
    void SetPrinting(bool on) { printing_ = on; }

private:
    const PlotView* view_;
    bool printing_ = false;
};

}  // namespace curvelo
