// The window base: a native window with a client area, painting, input, timers, properties,
// dropped files and command routing by numeric id.
//
// Ownership: a window or control created with a parent is owned by it and deleted with it.
// Frame windows and modeless dialogs with a parent must be created with new: once closed
// they are destroyed and deleted by the framework at the next turn of the event loop.
// A parentless window belongs to its creator (the main window belongs to the application).
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "framework/command_enabler.h"
#include "framework/fw_types.h"

namespace curvelo::fw {

class DC;
struct WindowImpl;

// Change notifications of controls, delivered to the parent's EvNotify.
// EditEnter: Enter was pressed in a one-line edit.
enum class Notify { EditChange, SelChange, DoubleClick, ScrollChange, Toggled, EditEnter };

class TWindow {
public:
    // A plain window: embedded in the parent's client area when it has a parent, else a
    // top-level window.
    TWindow(TWindow* parent, const std::string& title);
    virtual ~TWindow();
    TWindow(const TWindow&) = delete;
    TWindow& operator=(const TWindow&) = delete;

    TWindow* Parent() const;
    // The windows and controls this window owns, in creation order.
    std::vector<TWindow*> Children() const;

    // Makes the window real and calls SetupWindow once; true when it exists afterwards.
    bool Create();
    bool IsCreated() const;
    void Show(bool show = true);
    bool IsVisible() const;
    // Asks CanClose; when it agrees, Destroy(retVal). Overridable (e.g. to hide instead).
    virtual void CloseWindow(int retVal = 0);
    // Destroys the children and then the native window; the object itself stays.
    virtual void Destroy(int retVal = 0);
    // Default: every child window agrees (dialogs and controls are not asked).
    virtual bool CanClose();

    std::string GetCaption() const;
    void SetCaption(const std::string& text);
    // Big and small icon from the resource icons/<name>.svg; false when there is none.
    bool SetIconResource(const std::string& name);
    bool HasIcon() const;

    void Minimize();
    void Maximize();
    void Restore();
    void Raise();  // to the top and active
    bool IsMinimized() const;
    bool IsMaximized() const;

    // Outer rectangle in screen pixels (relative to the parent's client for embedded ones).
    Rect GetWindowRect() const;
    // The outer rectangle the window has when it is neither maximised nor minimised.
    Rect GetNormalRect() const;
    void MoveWindow(const Rect& r);
    void MoveTo(int left, int top);  // keeps the size
    Size GetClientSize() const;
    Rect GetClientRect() const { Size s = GetClientSize(); return {0, 0, s.cx, s.cy}; }
    Point ClientToScreen(Point p) const;

    // Requests a repaint (coalesced); UpdateWindow paints pending areas right now.
    void Invalidate(bool erase = true);
    void InvalidateRect(const Rect& r, bool erase = true);
    void UpdateWindow();

    // Timers: EvTimer(id) every ms milliseconds until killed.
    void SetTimer(int id, int ms);
    void KillTimer(int id);

    // Named properties of the window (0 when missing).
    void SetProperty(const std::string& name, std::intptr_t value);
    std::intptr_t GetProperty(const std::string& name) const;
    void RemoveProperty(const std::string& name);

    void DragAcceptFiles(bool accept);
    void SetFocus();
    void EnableWindow(bool enable);
    void SetWaitCursor(bool wait);
    // The pointer's shape over the client area (the text mode of plot windows has its own).
    enum class CursorShape { kArrow, kText };
    void SetCursorShape(CursorShape shape);

    // Commands: answer true when handled; otherwise return the base class's answer, so the
    // most derived class is asked first. The base versions answer false.
    virtual bool EvCommand(int id);
    virtual bool EvCommandEnable(int id, TCommandEnabler& ce);
    // Runs a command as a menu would: asks EvCommandEnable first and skips disabled ones.
    bool RunCommand(int id);
    // Runs the command once the event loop is back and no computation is polling the
    // keyboard; dropped when the window is gone by then.
    void PostCommand(int id);

    WindowImpl* Impl() const { return impl_.get(); }

protected:
    struct FrameTag {};
    struct DialogTag {};
    TWindow(TWindow* parent, const std::string& title, FrameTag);
    TWindow(TWindow* parent, const std::string& title, DialogTag);

    // Called once by Create, when the native window exists but is not yet shown.
    virtual void SetupWindow() {}
    // Called for the part that needs repainting; the DC draws into the client area.
    virtual void Paint(DC& dc, bool erase, const Rect& rect);
    virtual void EvSize(int /*clientWidth*/, int /*clientHeight*/) {}
    virtual void EvLButtonDown(unsigned /*modifiers*/, Point /*p*/) {}
    virtual void EvLButtonDblClk(unsigned /*modifiers*/, Point /*p*/) {}
    virtual void EvLButtonUp(unsigned /*modifiers*/, Point /*p*/) {}
    virtual void EvRButtonDown(unsigned /*modifiers*/, Point /*p*/) {}
    virtual void EvRButtonUp(unsigned /*modifiers*/, Point /*p*/) {}
    virtual void EvMouseMove(unsigned /*modifiers*/, Point /*p*/) {}
    // delta in eighths of a degree, 120 per notch; positive away from the user.
    virtual void EvMouseWheel(unsigned /*modifiers*/, int /*delta*/, Point /*p*/) {}
    // Keys that no accelerator took; vk as in framework/keys.h.
    virtual void EvKeyDown(int /*vk*/, unsigned /*modifiers*/, bool /*autoRepeat*/) {}
    virtual void EvTimer(int /*id*/) {}
    virtual void EvDropFiles(const std::vector<std::string>& /*paths*/) {}
    virtual void EvNotify(int /*controlId*/, Notify /*code*/) {}
    virtual void EvSetFocus() {}
    virtual void EvActivate(bool /*active*/) {}

private:
    friend struct WindowImpl;
    friend class TControl;
    std::unique_ptr<WindowImpl> impl_;
};

}  // namespace curvelo::fw
