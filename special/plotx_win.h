// The many-body window: a 2D window whose kind-219 example is a system of gravitating
// bodies. Drawing the example runs the simulation; the system is edited in "EQUA219" and
// kept in documents of their own file type.
#pragma once

#include <cstdint>

#include "plot2d/plote_win.h"
#include "special/orbital_run.h"
#include "special/random_ints.h"

namespace curvelo {

namespace manycmd {
inline constexpr int kNewSystem = 791, kEditSystem = 792, kHelp = 289;
}

class TPlotXWin : public TPlotEWin {
public:
    TPlotXWin(fw::TWindow* parent, const std::string& caption);

    std::int32_t DocumentFileType() const override { return kFileType2DVariant; }
    bool EditExample(int index) override;
    bool EvCommand(int id) override;

    // Empties the inventory and starts a new random three-body system.
    void NewSystem();
    // The system dialog; true when "rajzol" applied it.
    bool EditSystem();
    // The slot of the system's example, or -1 when there is none.
    int SystemSlot() const;
    OrbitalSystem& System() { return system_; }
    // Where the last run ended, and how.
    const OrbitalSimulation& Simulation() const { return sim_; }
    const OrbitalRunResult& LastRun() const { return lastRun_; }
    // A changed system goes into its example and is drawn again.
    void SystemChanged();
    void SeedRandom(std::uint64_t seed) { random_ = RandomInts(seed); }

protected:
    void SetupWindow() override;
    void PaintContent(DrawSurface& surface) override;
    std::uint16_t AcceptOwnState(const Cv2Document& doc) const override;
    void ReadOwnState(const Cv2Document& doc) override;
    void WriteOwnState(Cv2Document& doc) const override;

private:
    void RunSystem(DrawSurface& surface);

    OrbitalSystem system_;
    OrbitalSimulation sim_;
    OrbitalRunResult lastRun_;
    RandomInts random_;
};

}  // namespace curvelo
