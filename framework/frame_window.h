// A top-level window with a menu bar and accelerators loaded from resources/menus/.
#pragma once

#include <string>

#include "framework/menu_resource.h"
#include "framework/window.h"

namespace curvelo::fw {

struct KeyPress;

class TFrameWindow : public TWindow {
public:
    // With a parent the frame is a separate top-level window owned by it.
    TFrameWindow(TWindow* parent, const std::string& title);
    ~TFrameWindow() override;

    // Loads menus/<name>.menu; false (and no menu) when missing or malformed.
    bool SetMenu(const std::string& name);
    // A menu made or changed by the window (a resource's items with its own added).
    void SetMenu(const std::vector<MenuItem>& items);
    // Loads menus/<name>.acc; false when missing or malformed.
    bool LoadAccelerators(const std::string& name);
    // Adds the keys of menus/<name>.acc ahead of those loaded (a key listed twice keeps its
    // first entry, so these win).
    bool AddAccelerators(const std::string& name);
    void CheckMenuItem(int id, bool checked);
    void EnableMenuItem(int id, bool enabled);
    bool IsMenuItemChecked(int id) const;
    bool IsMenuItemEnabled(int id) const;
    bool HasMenuItem(int id) const;

    // Asks EvCommandEnable for every menu item and applies the answers. Runs by itself when
    // a popup opens, and once on the first idle moment after the frame is shown.
    void UpdateCommandStates();

    // When the key is one of the accelerators and its command is enabled, runs the command.
    // True when the key is one of them (enabled or not).
    bool TryAccelerator(const KeyPress& key);
    // The same for a key caught while a command computes: the command runs after it.
    bool PostAccelerator(const KeyPress& key);

    // Handles kCmExit by closing the frame.
    bool EvCommand(int id) override;
};

}  // namespace curvelo::fw
