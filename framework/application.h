// The application object: the Qt application, the message loop and the main window.
#pragma once

#include <memory>
#include <string>

namespace curvelo::fw {

class TFrameWindow;
struct ApplicationImpl;

class TApplication {
public:
    // argc must outlive the object. Without a display (neither DISPLAY nor WAYLAND_DISPLAY,
    // and QT_QPA_PLATFORM unset) it prints a Hungarian message to stderr and Ok() is false.
    TApplication(int& argc, char** argv, const std::string& name);
    virtual ~TApplication();
    TApplication(const TApplication&) = delete;
    TApplication& operator=(const TApplication&) = delete;

    static TApplication* Current();
    // True when a windowing system can be reached; message gets the Hungarian reason.
    static bool DisplayAvailable(std::string* message = nullptr);
    bool Ok() const;

    // Calls InitMainWindow, creates and shows the main window and runs the loop until the
    // main window is destroyed or Quit is called. Returns the exit code (1 when !Ok()).
    int Run();
    void Quit(int exitCode = 0);
    // Processes every pending event, then returns.
    void PumpWaitingMessages();

    void SetMainWindow(TFrameWindow* window);  // takes ownership
    TFrameWindow* MainWindow() const;

protected:
    virtual void InitMainWindow() {}
    // Called whenever the event queue runs empty; idleCount counts calls since the last
    // input. Return true to be called again at once.
    virtual bool IdleAction(long /*idleCount*/) { return false; }

private:
    friend struct ApplicationImpl;
    std::unique_ptr<ApplicationImpl> impl_;
};

// A batch command runs without a user: while on, no dialog, message box, file, font or print
// dialog is shown. Each answers at once as if cancelled (a message box with only "ok" as
// acknowledged) and the text of a message box goes to standard error instead.
void SetBatchMode(bool on);
bool BatchMode();

}  // namespace curvelo::fw
