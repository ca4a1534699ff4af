// A device context: drawing with pens, brushes and fonts on a window, a bitmap, a printer
// page or a vector picture. Coordinates are device pixels unless the target says otherwise.
#pragma once

#include <memory>
#include <string_view>

#include "framework/fw_types.h"
#include "framework/log_font.h"
#include "framework/quad_filler.h"

namespace curvelo::fw {

class Bitmap;
struct DcImpl;

enum class PenStyle { Solid, Dash, Dot, DashDot, DashDotDot, Null };

struct Pen {
    Color color;
    int width = 1;  // 0 draws one pixel wide
    PenStyle style = PenStyle::Solid;
};

enum class BrushStyle { Solid, Null, Horizontal, Vertical, Cross, DiagCross };

struct Brush {
    Color color{255, 255, 255};
    BrushStyle style = BrushStyle::Solid;
};

// Text alignment: one horizontal and one vertical flag.
enum TextAlign : unsigned {
    kAlignLeft = 0,
    kAlignRight = 2,
    kAlignCenter = 6,
    kAlignTop = 0,
    kAlignBottom = 8,
    kAlignBaseline = 24,
};

enum class BkMode { Transparent, Opaque };

struct TextMetrics {
    int height = 0, ascent = 0, descent = 0, averageCharWidth = 0;
};

class DC {
public:
    explicit DC(Bitmap& bitmap);  // draws into the bitmap until destroyed
    ~DC();
    DC(const DC&) = delete;
    DC& operator=(const DC&) = delete;

    void SelectPen(const Pen& pen);
    void SelectBrush(const Brush& brush);
    void SelectFont(const LogFont& font);
    void SetTextColor(Color c);
    void SetBkColor(Color c);
    void SetBkMode(BkMode mode);
    void SetTextAlign(unsigned align);
    void SetAntialias(bool on);
    // A bitmap's thin solid anti-aliased lines are drawn by the framework's own line
    // drawer (on by default); off hands them to the painter, for comparing.
    void SetDirectLines(bool on);

    void MoveTo(int x, int y);
    void LineTo(int x, int y);
    Point CurrentPosition() const;
    void Polyline(const Point* points, int count);
    void Polygon(const Point* points, int count);  // outlined with the pen, filled with the brush
    void Rectangle(int left, int top, int right, int bottom);
    void Ellipse(int left, int top, int right, int bottom);
    // Counter-clockwise from the ray towards (x1,y1) to the ray towards (x2,y2), on the ellipse
    // inscribed in the rectangle.
    void Arc(int left, int top, int right, int bottom, int x1, int y1, int x2, int y2);
    void FillRect(const Rect& r, Color c);
    void SetPixel(int x, int y, Color c);
    // UTF-8 text at (x, y) with the alignment, background mode and font escapement.
    void TextOut(int x, int y, std::string_view text);
    Size GetTextExtent(std::string_view text) const;
    TextMetrics GetTextMetrics() const;

    // Copies a block of the bitmap to (x, y).
    void BitBlt(int x, int y, int width, int height, const Bitmap& source, int srcX, int srcY);

    void SetClipRect(const Rect& r);
    void ResetClip();
    void SaveState();
    void RestoreState();

    // Logical pixels per inch of the target, and for printers the offset of the printable
    // area from the paper's corner in device pixels.
    int DpiX() const;
    int DpiY() const;
    Point PhysicalOffset() const;
    Size DeviceSize() const;
    bool IsPrinter() const;
    // Device pixels per screen pixel (above 1 on a printer page): what is sized in screen
    // pixels is enlarged by it to keep its size on paper.
    double ScreenScale() const;

    // The target's pixels for drawing straight into them, when it is a plain image drawn
    // without a transform, recording or a clip other than one rectangle; empty otherwise
    // (printers, vector pictures and windows draw only through the calls above).
    RasterTarget Raster() const;

    DcImpl* Impl() const { return impl_.get(); }
    explicit DC(std::unique_ptr<DcImpl> impl);  // for the framework's own targets

private:
    std::unique_ptr<DcImpl> impl_;
};

}  // namespace curvelo::fw
