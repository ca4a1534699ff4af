#include "plotwin/pre_win.h"

#include "framework/dc.h"

namespace curvelo {

TPreWin::TPreWin(fw::TWindow* parent, const std::string& caption) : TFontWin(parent, caption) {}

void TPreWin::SetCurrentLayer(int layer) { currentLayer_ = Clamp(layer); }

bool TPreWin::LayerValid(int layer) const { return valid_[Clamp(layer)]; }

const fw::Bitmap& TPreWin::LayerBitmap(int layer) const { return layers_[Clamp(layer)]; }

void TPreWin::InvalidateLayer(int layer) { valid_[Clamp(layer)] = false; }

void TPreWin::InvalidateAllLayers() { valid_.fill(false); }

void TPreWin::RenderLayer(int layer) {
    layer = Clamp(layer);
    // A long drawing polls the keyboard, which may deliver a paint or a resize of this very
    // window: the bitmap being drawn must not be replaced under its painter. The request
    // is remembered and served once the drawing has ended.
    if (rendering_) {
        renderAgain_ = true;
        return;
    }
    const fw::Size client = GetClientSize();
    const int w = client.cx > 0 ? client.cx : 1, h = client.cy > 0 ? client.cy : 1;
    for (int i = 0; i <= layer; ++i) {
        layers_[i].Create(w, h);
        valid_[i] = false;
    }
    if (layers_[layer].IsNull()) return;
    rendering_ = true;
    renderingLayer_ = layer;
    renderAgain_ = false;
    {
        fw::DC dc(layers_[layer]);
        PaintLayer(layer, dc);
    }
    rendering_ = false;
    valid_[layer] = !renderAgain_;
    Invalidate(false);
}

void TPreWin::BlitLayer(int layer, fw::DC& dc, int x0, int y0) const {
    const fw::Bitmap& b = layers_[Clamp(layer)];
    if (!b.IsNull()) dc.BitBlt(x0, y0, b.Width(), b.Height(), b, 0, 0);
}

void TPreWin::ShowDrawingSoFar() {
    if (!rendering_) return;
    showingSoFar_ = true;
    UpdateWindow();
    showingSoFar_ = false;
}

void TPreWin::Paint(fw::DC& dc, bool, const fw::Rect&) {
    // The layer being drawn is shown once it is complete (RenderLayer invalidates then),
    // or when the drawing asks to show what it has so far.
    if (rendering_) {
        if (showingSoFar_) BlitLayer(renderingLayer_, dc);
        return;
    }
    // An out-of-date layer is drawn just after this paint, from the event loop: a long
    // drawing there polls the keyboard, so Q stops it and the program stays responsive.
    // Meanwhile the picture as it was is shown.
    if (CurrentLayerOutOfDate() && !drawLater_) {
        drawLater_ = true;
        PostCommand(kCmdDrawLayerLater);
    }
    BlitLayer(currentLayer_, dc);
}

bool TPreWin::EvCommand(int id) {
    if (id != kCmdDrawLayerLater) return TFontWin::EvCommand(id);
    drawLater_ = false;
    if (CurrentLayerOutOfDate()) RenderLayer(currentLayer_);
    return true;
}

bool TPreWin::CurrentLayerOutOfDate() const {
    const fw::Size client = GetClientSize();
    const fw::Bitmap& b = layers_[currentLayer_];
    return !valid_[currentLayer_] || b.Width() != client.cx || b.Height() != client.cy;
}

void TPreWin::EvSize(int, int) {
    if (rendering_) renderAgain_ = true;
    InvalidateAllLayers();
    Invalidate(false);
}

void TPreWin::PaintLayer(int, fw::DC& dc) {
    const fw::Size client = GetClientSize();
    dc.FillRect({0, 0, client.cx, client.cy}, {255, 255, 255});
}

}  // namespace curvelo
