// The two dialogs of the surface-surface tool: the choice of the two surfaces
// ("EQUA317", `TSurfSelDlg`) and the intersection curves of a kind-317 example ("INTERC",
// `TIntCDlg`), whose search runs in the trace window beside the 3D window.
#pragma once

#include <vector>

#include "framework/kit_dlg.h"
#include "plot2d/inventory.h"

namespace curvelo {

class TPlot3Win;

namespace pairid {
inline constexpr int kFirst = 295, kSecond = 296, kText = 230, kShow = 779, kSearch = 353, kColour = 208,
                     kList = 294, kDeleteOne = 52, kDeleteAll = 54;
}

class TSurfSelDlg : public TDlg {
public:
    explicit TSurfSelDlg(TPlot3Win* window);
    // After OK: the two inventory indices and their combination code.
    int First() const { return first_; }
    int Second() const { return second_; }
    std::uint16_t Code() const { return code_; }

    bool CanClose() override;

protected:
    void SetupWindow() override;

private:
    TPlot3Win* window_;
    std::vector<int> firstSlots_, secondSlots_;
    int first_ = -1, second_ = -1;
    std::uint16_t code_ = 0;
};

class TIntCDlg : public TDlg {
public:
    TIntCDlg(TPlot3Win* window, int index);
    // "módosít. kihagyása": the example's record and curves as they were when it opened.
    void Revert();
    bool EvCommand(int id) override;
    void EvNotify(int id, fw::Notify code) override;

protected:
    void SetupWindow() override;

private:
    InventorySlot& Slot();
    void FillList();
    void Show();
    void Search();

    TPlot3Win* window_;
    int index_;
    TExample before_;
    std::vector<Cv2InitialCondition> listBefore_;
};

}  // namespace curvelo
