// The launcher frame "Curvelo": its menu opens every kind of plot window, documents open by
// extension (command line, dropped files, a second start of the program).
#pragma once

#include <memory>
#include <string>

#include "app/launcher_windows.h"
#include "app/lum_frame.h"
#include "app/window_captions.h"

namespace curvelo {

namespace fw {
class SingleInstanceServer;
}

inline constexpr int kCmdNew2D = 402, kCmdNew3D = 403, kCmdGuessing = 404,
                     kCmdMapReal = 405, kCmdMapComplex = 407, kCmdManyBody = 409,
                     kCmdHelp = 354, kCmdAbout = 355;
inline constexpr const char* kInstanceProperty = "cvhuprev";

class TPlotFrame : public TLumFrame {
public:
    // windows builds the plot windows (MakeProgramWindows() for the program's own);
    // instanceChannel empty: the per-user default.
    TPlotFrame(fw::TWindow* parent, const std::string& caption,
               std::unique_ptr<TLauncherWindows> windows, std::string instanceChannel = {});
    ~TPlotFrame() override;

    bool EvCommand(int id) override;
    bool EvCommandEnable(int id, fw::TCommandEnabler& ce) override;
    void Destroy(int retVal = 0) override;
    int OpenFile(const std::string& name) override;

    // A name handed over by a second start of the program.
    void ReceiveInstanceName(const std::string& name);
    const WindowCaptions& Captions() const { return captions_; }
    bool InstanceListening() const;

protected:
    void SetupWindow() override;
    void EvDropFiles(const std::vector<std::string>& paths) override;

private:
    bool OpenNew(NewWindowRequest::Kind kind, const std::string& fileName);
    bool OpenMappingPair(bool complexPlane, const std::string& fileName);
    void ShowHelp();
    void ShowAbout();

    std::unique_ptr<TLauncherWindows> windows_;
    std::string instanceChannel_;
    std::unique_ptr<fw::SingleInstanceServer> instanceServer_;
    WindowCaptions captions_;
};

}  // namespace curvelo
