// The plot-window layer that holds the coordinate frame's settings, keeps their world sizes
// in step with the view and draws the frame under everything else in the picture.
#pragma once

#include "plotwin/frame_settings.h"
#include "plotwin/lum_win.h"

namespace curvelo {

class TLumWing : public TLumWin {
public:
    TLumWing(fw::TWindow* parent, const std::string& caption);

    FrameSettings& Frame() { return frame_; }
    const FrameSettings& Frame() const { return frame_; }
    // Status of the last tick choice (0, 16 spacing changed, 4 overflow).
    int LastTickStatus() const { return tickStatus_; }

    void PaintPicture(DrawSurface& surface, fw::DC& dc, bool withBackground) override;
    void ResetView() override;
    void ViewApplied() override;

protected:
    // The plane frame under everything else; windows that draw a frame of their own
    // elsewhere in the picture leave it out.
    virtual void PaintFrame(DrawSurface& surface, fw::DC& dc);

private:
    FrameSettings frame_;
    int tickStatus_ = 0;
};

}  // namespace curvelo
