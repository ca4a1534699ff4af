// The lower layer of the launcher frame: its placement and flags kept in "cv.ini", the
// pending start-up document and the actions deferred until the frame is first idle.
#pragma once

#include <string>

#include "app/launcher_flags.h"
#include "app/launcher_settings.h"
#include "framework/frame_window.h"

namespace curvelo {

class TLumFrame : public fw::TFrameWindow {
public:
    TLumFrame(fw::TWindow* parent, const std::string& caption);
    ~TLumFrame() override;

    void Destroy(int retVal = 0) override;
    bool EvCommandEnable(int id, fw::TCommandEnabler& ce) override;
    // Opens a document by name; the launcher frame dispatches on the extension.
    virtual int OpenFile(const std::string& name);

    // The document to open once the frame is up (at most 255 characters are kept).
    void SetPendingDocument(const std::string& name);
    const std::string& PendingDocument() const { return pendingName_; }
    const FramePlacement& Placement() const { return placement_; }
    const LauncherFlags& Flags() const { return flags_; }
    const std::string& SettingsFolder() const { return settingsFolder_; }

protected:
    void SetupWindow() override;
    // Runs once, from the first command-state update after the frame is shown.
    void RunDeferredStartup();
    void ApplyPlacement();
    LauncherFlags flags_;

private:
    FramePlacement placement_;
    bool showMaximizedPending_ = false;
    bool startupDone_ = false;
    std::string settingsFolder_;
    std::string pendingName_;
};

}  // namespace curvelo
