// The level-curve dialog of one example: the direction and the layers along it, the search
// of one layer or of every layer in the level window, what the level window shows, and the
// list of the curves found. Cancelling puts the example's layers back as they were.
#pragma once

#include <vector>

#include "framework/kit_dlg.h"
#include "plot3d/layer_curves.h"
#include "plot3d/level_grid.h"

namespace curvelo {

class TPlot3Win;

namespace levelid {
inline constexpr int kAxisX = 251, kAxisY = 252, kAxisZ = 253, kCurrent = 211, kCount = 212, kLower = 213,
                     kUpper = 214, kList = 294, kNext = 743, kPrevious = 843, kSearch = 353, kAuto = 844,
                     kShowCurrent = 778, kShowAll = 779, kDeleteOne = 52, kDeleteAll = 54, kColour = 208;
}

// What a layer search does (the example's long-search, observe and search bytes, and
// whether the level window then shows only the current layer).
struct LayerFlags {
    bool longSearch = false, observe = false, search = false, currentOnly = false;
};

class TLevelDlg : public TDlg {
public:
    TLevelDlg(TPlot3Win* window, int index);

    int Axis() const { return axis_; }
    long double Current() const { return current_; }
    // Prepares the level window for the slice at `value` and, when the flags ask, searches
    // it; true when a curve was found. Q stops the search.
    bool SearchLayer(long double value, const LayerFlags& flags);
    // "módosít. kihagyása": the example's record and layers as they were when it opened.
    void Revert();

    bool EvCommand(int id) override;
    void EvNotify(int id, fw::Notify code) override;

protected:
    void SetupWindow() override;

private:
    InventorySlot& Slot();
    void ChooseAxis(int axis);
    void ShowFields(const LevelFields& f);
    void FillList();
    // Reads and stores the fields; false (401 shown) when they are not valid. With
    // needInside the current value must lie between the bounds as well.
    bool ReadFields(LevelFields& f, bool needInside);
    void Step(bool next);
    void Auto();
    void DeleteSelected();

    TPlot3Win* window_;
    int index_;
    int axis_ = kLevelAxisZ;
    long double current_ = 0;
    std::uint16_t colour_ = 0;
    // What Cancel restores.
    TExample before_;
    std::vector<Cv2InitialCondition> listBefore_;
};

}  // namespace curvelo
