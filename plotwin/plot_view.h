// The view of a plot window: the world rectangle shown in the client area, its mapping to
// pixels and every operation that changes it, with the stack of earlier views.
#pragma once

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <random>
#include <vector>

#include "plotwin/to_int.h"

namespace curvelo {

struct WorldPoint {
    long double x = 0;
    long double y = 0;
};

// What a window does when its view changes; the view itself never touches a window.
class ViewListener {
public:
    virtual ~ViewListener() = default;
    // Derived fields were recomputed (pixel-sized decorations follow the new scale).
    virtual void ViewApplied() {}
    // The whole client area is to be repainted without erasing it.
    virtual void ViewRepaint() {}
    // A user change of the view: the document counts as changed.
    virtual void ViewModified() {}
    // The history became empty or non-empty (enables "last view").
    virtual void ViewHistoryChanged(bool /*hasEntries*/) {}
};

// One saved view: the edges when unequal, otherwise centre and half-extents.
struct SavedView {
    std::uint8_t unequal = 0;
    long double aspect = 1;
    long double a = 0, b = 0, c = 0, d = 0;  // xmin, xmax, ymin, ymax  or  cx, cy, hw, hh
};

inline constexpr long double kViewEpsilon = 1e-18L;
inline constexpr long double kDefaultZoomFactor = 1.01L;
inline constexpr long double kDefaultPanFraction = 0.01L;

class PlotView {
public:
    PlotView();

    // Drawing rectangle in pixels and its origin on the device.
    std::int32_t W = 500, H = 500;
    std::int16_t x0 = 0, y0 = 0;
    // Centre and half-extents.
    long double cx = 0, cy = 0, hw = 5, hh = 5;
    // World rectangle, consistent with centre and half-extents after ApplyView.
    long double xmin = -5, xmax = 5, ymin = -5, ymax = 5;
    // Units per pixel and pixels per unit.
    long double upx = 0.02L, upy = 0.02L, ppx = 50, ppy = 50;
    // upy / upx kept while the units are equal-shaped.
    long double aspect = 1;
    // 0: defined by centre, hw and aspect; 1: defined by the four edges.
    std::uint8_t unequal = 0;
    long double zoomFactor = kDefaultZoomFactor;
    long double panFraction = kDefaultPanFraction;

    void SetListener(ViewListener* listener) { listener_ = listener; }

    // The client area in pixels; ApplyView reads it.
    void SetClientSize(int width, int height);
    int ClientWidth() const { return clientW_; }
    int ClientHeight() const { return clientH_; }

    // Recomputes the derived fields for the client area, origin (0, 0).
    void ApplyView();
    // The same for another output rectangle (printer, metafile, export).
    void ApplyViewTo(int width, int height, int originX, int originY);

    // The setters refuse (false, nothing changes) non-finite values and extents not
    // greater than 1e-18, which would make the mapping divide by zero.
    bool SetViewSquare(long double ncx, long double ncy, long double nhw);
    bool SetViewFree(long double ncx, long double ncy, long double nhw, long double nhh, bool unequalUnits);
    // Both input groups of the view dialog go through this.
    bool SetView(long double ncx, long double ncy, long double nhw, long double nhh, bool unequalUnits);
    void Zoom(bool out);
    void Pan(long double fx, long double fy);
    // Equal units with the coarser scale; only while the units are unequal.
    bool CanMakeSquare() const { return unequal != 0; }
    void MakeSquare();
    // A stored zoom factor or pan fraction not above 1e-18 is replaced by its default.
    void NormalizeStoredFactors();
    // The initial view with an empty history (tick settings are reset by the frame).
    void ResetView();

    // View history.
    bool HasHistory() const { return !history_.empty(); }
    std::size_t HistorySize() const { return history_.size(); }
    void PushView();
    bool PopView();
    void ClearHistory();

    // World to pixel with clamping to -1 or one past the edge; true when inside.
    bool MapX(long double x, int* px) const;
    bool MapY(long double y, int* py) const;
    int ToPixelX(long double x) const;
    int ToPixelY(long double y) const;
    // Linear map without clamping (saturating far away), for drawing already clipped shapes.
    int DeviceX(long double x) const { return DeviceClamp((x - xmin) * ppx + x0); }
    int DeviceY(long double y) const { return DeviceClamp((ymax - y) * ppy + y0); }
    WorldPoint PixelToWorld(long double px, long double py) const;
    bool InView(long double x, long double y) const { return x >= xmin && x <= xmax && y >= ymin && y <= ymax; }
    // Clips p-q to the view shrunk by one pixel unless both ends lie inside; false when
    // nothing remains.
    bool ClipSegment(WorldPoint& p, WorldPoint& q) const;
    WorldPoint RandomPointInView();
    void SeedRandom(std::uint64_t seed) { random_.seed(seed); }

    // Mouse view changes, in client pixels; they go through SetViewSquare/SetViewFree.
    // A rectangle smaller than minPixels on a side is ignored (a click, not a drag).
    bool ZoomToPixelRect(int px1, int py1, int px2, int py2, int minPixels = 4);
    // Scales both half-extents by factor (above 1 zooms out) keeping the point under the
    // pixel in place. Without saveView the view it replaces is not kept in the history.
    bool ZoomAboutPixel(int px, int py, long double factor, bool saveView = true);
    // The former form took a bool (zoom out); a call still written so must not compile.
    bool ZoomAboutPixel(int px, int py, bool out) = delete;
    void CentreAtPixel(int px, int py);

private:
    // Pixels far outside any device are pinned here so that drawing code never overflows.
    static constexpr long double kDeviceLimit = 16777216.0L;
    static int DeviceClamp(long double t) {
        if (std::isnan(t)) return 0;
        return ToInt(std::clamp(t, -kDeviceLimit, kDeviceLimit));
    }
    void Derive();
    void Changed();

    ViewListener* listener_ = nullptr;
    int clientW_ = 500, clientH_ = 500;
    std::vector<SavedView> history_;
    std::mt19937_64 random_{20260101u};
};

}  // namespace curvelo
