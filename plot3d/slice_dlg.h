// "Síkmetszetek": the planes x = h and y = h moved through an explicit surface by two scroll
// bars, the section curves and their crossing point shown in the 3D window, the tangent plane
// there on request. "lejátszás" sweeps the plane last moved across the box once, "ismétlés"
// again and again until Q; "statikus" keeps every section a sweep passes, "animált" shows
// only the current one.
#pragma once

#include "framework/kit_dlg.h"
#include "plot3d/plane_slices.h"

namespace curvelo {

class TPlot3Win;

namespace sliceid {
inline constexpr int kValueX = 211, kValueY = 212, kHeight = 213, kBarX = 295, kBarY = 296, kStatic = 251,
                     kAnimated = 252, kTangent = 271, kPlay = 738, kRepeat = 740;
}

// Positions of a scroll bar across the box; a sweep moves kSweepStride at a time.
inline constexpr int kSliceSteps = 200, kSweepStride = 4;
// Sections a static sweep keeps, and frames a repeated sweep shows at most.
inline constexpr int kMaxKeptSections = 2000;
inline constexpr long kMaxSweepFrames = 1000000;

class TSliceDlg : public TDlg {
public:
    TSliceDlg(TPlot3Win* window, int index);
    ~TSliceDlg() override;

    // Plays a sweep of the plane last moved; repeat: until Q. Returns the frames shown.
    long Sweep(bool repeat);

    bool EvCommand(int id) override;
    void EvNotify(int id, fw::Notify code) override;

protected:
    void SetupWindow() override;

private:
    long double ValueAt(int axis, int position) const;
    // The bars' values into the overlay and the fields; the picture follows.
    void BarsMoved(bool repaint);

    TPlot3Win* window_;
    int index_;
    int lastAxis_ = 0;
    bool quiet_ = false;  // the program moves a bar, not the user
};

}  // namespace curvelo
