// The domain window of a plane mapping: the plane (real xy or complex z) whose grid and
// curves the linked range window shows mapped.
#pragma once

#include "plotwin/grid_win.h"

namespace curvelo {

class TRan2Win;

class TDom2Win : public TGridWin {
public:
    TDom2Win(fw::TWindow* parent, const std::string& caption, bool complexPlane);
    ~TDom2Win() override;

    bool ComplexPlane() const { return complexPlane_; }
    // Links both ways; null unlinks.
    void LinkRange(TRan2Win* range);
    TRan2Win* Range() const { return range_; }

    // Closing the domain closes its range window too: the pair belongs together.
    void Destroy(int retVal = 0) override;

private:
    friend class TRan2Win;
    bool complexPlane_;
    TRan2Win* range_ = nullptr;
};

}  // namespace curvelo
