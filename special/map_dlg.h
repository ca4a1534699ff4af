// The two dialogs of a plane-mapping pair: the map (U and V, or F) and the grid (spacing and
// extent). Each changes its object only when "ok" finds the fields usable.
#pragma once

#include "framework/kit_dlg.h"
#include "special/plane_map.h"

namespace curvelo {

namespace mapid {
inline constexpr int kFirst = 211, kSecond = 212, kFirstLabel = 261, kSecondLabel = 262;
inline constexpr int kSpacing = 211, kXMin = 212, kXMax = 213, kYMin = 214, kYMax = 215;
}

class TMapFnDlg : public TDlg {
public:
    TMapFnDlg(fw::TWindow* parent, PlaneMap& map) : TDlg(parent, "MAPFN"), map_(map) {}

protected:
    void SetupWindow() override;
    bool CanClose() override;

private:
    PlaneMap& map_;
};

class TMapGridDlg : public TDlg {
public:
    TMapGridDlg(fw::TWindow* parent, MapGrid& grid) : TDlg(parent, "MAPGRID"), grid_(grid) {}

protected:
    void SetupWindow() override;
    bool CanClose() override;

private:
    MapGrid& grid_;
};

}  // namespace curvelo
