// The dialog of the orbit window: pick a body from the list, see where it starts or where the
// last run left it, add or remove bodies, keep one at the origin, clear the picture or run
// longer. Nothing reaches the window's system before "rajzol".
#pragma once

#include <array>
#include <functional>
#include <string>
#include <vector>

#include "framework/kit_dlg.h"
#include "plotwin/number_format.h"
#include "special/orbital_simulation.h"

namespace curvelo {

namespace bodyid {
inline constexpr int kList = 250, kInitial = 251, kCurrent = 252;
inline constexpr int kX = 211, kY = 212, kZ = 213, kVx = 214, kVy = 215, kVz = 216, kMass = 217, kName = 218,
                     kPen = 219, kColour = 220;
inline constexpr int kZLabel = 263, kVzLabel = 266;
inline constexpr int kPositions = 221, kInterval = 222, kComputations = 223, kG = 224, kMarkerSize = 225;
inline constexpr int kShow = 271, kStopAtBorder = 272, kMarkers = 273;
inline constexpr int kNew = 241, kDelete = 242, kAbsolute = 243, kToOrigin = 244, kClearPicture = 245,
                     kMore = 246;
}

class TBodyDlg : public TDlg {
public:
    // current: the state the last run ended in. clearPicture wipes the window's paths and
    // markers straight away.
    TBodyDlg(fw::TWindow* parent, OrbitalSystem& system, const OrbitalSimulation& current, const NumberFormat& format,
             bool plane, std::function<void()> clearPicture);

    // The entry shown (tests choose entries through the list).
    int Selected() const { return selected_; }

protected:
    void SetupWindow() override;
    bool EvCommand(int id) override;
    void EvNotify(int id, fw::Notify code) override;
    bool CanClose() override;

private:
    // What the fields of one body show: index 0 the start, index 1 the last run's end.
    struct Fields {
        std::array<std::array<std::string, 3>, 2> position, velocity;
        std::string mass, name, pen, colour;
    };
    Fields FieldsOf(int index) const;
    void StoreShown();
    void ShowEntry(int index);
    void FillList();
    void EnableButtons();
    int Bodies() const { return static_cast<int>(fields_.size()) - 1; }

    OrbitalSystem& system_;
    const OrbitalSimulation& current_;
    const NumberFormat& format_;
    bool plane_;
    std::function<void()> clearPicture_;
    std::vector<Fields> fields_;
    int selected_ = 0;
    int mode_ = 0;  // 0 initial, 1 current
    bool originFixed_ = false;
    int originIndex_ = 0;
    bool filling_ = false;
};

}  // namespace curvelo
