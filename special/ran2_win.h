// The range window of a plane mapping: shows the images of the linked domain window's grid
// and curves.
#pragma once

#include "plotwin/grid_win.h"

namespace curvelo {

class TDom2Win;

class TRan2Win : public TGridWin {
public:
    TRan2Win(fw::TWindow* parent, const std::string& caption, bool complexPlane);
    ~TRan2Win() override;

    bool ComplexPlane() const { return complexPlane_; }
    // Links both ways; null unlinks.
    void LinkDomain(TDom2Win* domain);
    TDom2Win* Domain() const { return domain_; }

    void Destroy(int retVal = 0) override;

    // The images of the domain's grid over the frame.
    void PaintPicture(DrawSurface& surface, fw::DC& dc, bool withBackground) override;
    // The map and grid commands belong to the domain.
    bool EvCommand(int id) override;
    bool EvCommandEnable(int id, fw::TCommandEnabler& ce) override;

private:
    friend class TDom2Win;
    bool complexPlane_;
    TDom2Win* domain_ = nullptr;
};

}  // namespace curvelo
