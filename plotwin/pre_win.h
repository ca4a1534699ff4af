// The plot-window layer of cached pictures: up to three off-screen bitmaps of the client's
// size, one per drawing layer, each with a valid flag. Painting copies the current layer's
// bitmap in one block and renders it first when it is not valid.
#pragma once

#include <array>

#include "framework/bitmap.h"
#include "plotwin/font_win.h"

namespace curvelo {

inline constexpr int kLayerCount = 3;
// Posted by a paint that finds its layer out of date: the layer is drawn from the event loop,
// where a long drawing polls the keyboard. Not a menu command.
inline constexpr int kCmdDrawLayerLater = 30001;

class TPreWin : public TFontWin {
public:
    TPreWin(fw::TWindow* parent, const std::string& caption);

    int CurrentLayer() const { return currentLayer_; }
    void SetCurrentLayer(int layer);
    bool LayerValid(int layer) const;
    const fw::Bitmap& LayerBitmap(int layer) const;

    void InvalidateLayer(int layer);
    void InvalidateAllLayers();
    // Recreates the bitmaps of the layers up to this one at the client size (all of them
    // invalid), then paints the layer's picture into its bitmap.
    void RenderLayer(int layer);
    void BlitLayer(int layer, fw::DC& dc, int x0 = 0, int y0 = 0) const;
    // Puts the layer being drawn on the screen as far as it is drawn (a watched family
    // shows each pass); nothing when no drawing runs.
    void ShowDrawingSoFar();

    bool EvCommand(int id) override;

protected:
    void Paint(fw::DC& dc, bool erase, const fw::Rect& rect) override;
    void EvSize(int clientWidth, int clientHeight) override;
    // Draws the layer's whole picture into dc at the size of the client area.
    virtual void PaintLayer(int layer, fw::DC& dc);

private:
    static int Clamp(int layer) { return layer < 0 ? 0 : layer >= kLayerCount ? kLayerCount - 1 : layer; }
    // Not drawn yet, or drawn at another size than the client area's.
    bool CurrentLayerOutOfDate() const;
    std::array<fw::Bitmap, kLayerCount> layers_;
    std::array<bool, kLayerCount> valid_{};
    int currentLayer_ = 0;
    bool rendering_ = false;
    bool renderAgain_ = false;
    bool showingSoFar_ = false;
    bool drawLater_ = false;
    int renderingLayer_ = 0;
};

}  // namespace curvelo
