// What the launcher asks for when it opens windows, and the interface that creates them.
// The launcher decides captions and options; the creator builds the window classes.
#pragma once

#include <memory>
#include <string>

namespace curvelo {

namespace fw {
class TWindow;
}

struct NewWindowRequest {
    enum class Kind { Plot2, Plot3, Guessing, ManyBody, MappingPair };
    Kind kind = Kind::Plot2;
    std::string caption;       // the window's, or the domain window's of a mapping pair
    std::string rangeCaption;  // mapping pairs only
    bool complexPlane = false; // mapping pairs only
    bool documentWindow = false;
    bool openLastEdit = false;
    bool readWindowSettings = true;
    std::string fileName;      // empty: a new drawing
};

class TLauncherWindows {
public:
    virtual ~TLauncherWindows() = default;
    // Creates, sets up and shows the window(s) with the frame as parent. False when the
    // window object could not be made.
    virtual bool Open(fw::TWindow* frame, const NewWindowRequest& request) = 0;
    // The hidden window that owns the help text window.
    virtual void CreateServiceWindow(fw::TWindow* frame) = 0;
    virtual void ShowHelp(const std::string& text) = 0;
};

// The program's windows: 2D, 3D, guessing game, many-body and mapping windows.
std::unique_ptr<TLauncherWindows> MakeProgramWindows();

}  // namespace curvelo
