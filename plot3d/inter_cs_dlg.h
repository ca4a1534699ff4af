// The curve-surface dialog ("INTER"): a surface and a space curve, the next point where the
// curve pierces the surface on each press, marking it as a point example and saving one of
// its values into a letter. Made once per 3D window and kept.
#pragma once

#include <vector>

#include "framework/kit_dlg.h"
#include "plot2d/inventory.h"
#include "plot3d/piercing.h"

namespace curvelo {

class TPlot3Win;

namespace intercsid {
inline constexpr int kSurface = 295, kCurve = 296, kValue = 297, kLetter = 298, kText = 230, kDegrees = 271,
                     kSave = 57, kNext = 743, kMark = 712;
}

class TIntCSDlg : public TDlg {
public:
    explicit TIntCSDlg(TPlot3Win* window);
    ~TIntCSDlg() override;
    void Detach() { window_ = nullptr; }
    // Rewrites the choosers after the inventory changed.
    void Refresh();
    // Searches the next piercing point and shows it (or that there is none).
    bool FindNext();
    bool HasPoint() const { return hasPoint_; }
    const PiercingPoint& Point() const { return point_; }

    bool EvCommand(int id) override;

protected:
    void SetupWindow() override;

private:
    // The search is set again only when the chosen pair or the curve's range changed, so
    // that successive presses go on where the last one stopped.
    struct Choice {
        int surface = -1, curve = -1;
        long double lo = 0, hi = 0;
        bool operator==(const Choice&) const = default;
    };
    bool Prepare(const Choice& choice);
    void SaveValue();
    bool Degrees() const;

    TPlot3Win* window_;
    std::vector<int> surfaces_, curves_;
    PiercingSearch search_;
    Choice last_;
    bool prepared_ = false;
    bool hasPoint_ = false;
    PiercingPoint point_;
};

// The box a piercing point must lie in: the surface example's box.
PiercingBox BoxOf(const TExample& surface);
// S of a surface slot (explicit or implicit); null for other kinds.
ExprNode* SurfaceFunctionOf(const InventorySlot& surface);

}  // namespace curvelo
