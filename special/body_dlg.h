// Edits a system of bodies in one dialog: a list chooses the body, its starting or present
// position and velocity are shown, and buttons add or remove bodies, pin the origin to one,
// wipe the picture and extend the run. "rajzol" hands every change to the caller's system.
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
    // current holds where the last run ended; clearPicture empties the window's picture
    // (P = 0, no markers) at once.
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
    // One entry's fields as texts; [0] initial, [1] current.
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
