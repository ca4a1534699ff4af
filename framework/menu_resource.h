// Menus and accelerator tables as read from resources/menus/ (formats in resources/FORMATS.md).
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace curvelo::fw {

struct MenuItem {
    enum class Kind { Command, Popup, Separator };
    Kind kind = Kind::Command;
    int id = 0;
    std::string caption;  // with '&' and an optional tab before the key text
    bool checked = false;
    bool disabled = false;
    std::vector<MenuItem> items;  // popups only
};

struct Accelerator {
    int vk = 0;
    unsigned modifiers = 0;  // kShift | kCtrl | kAlt
    int id = 0;
};

// Parse errors name the line: "3. sor: ...". The result is empty on failure.
bool ParseMenu(std::string_view text, std::vector<MenuItem>& out, std::string& error);
bool ParseAccelerators(std::string_view text, std::vector<Accelerator>& out, std::string& error);
// "Ctrl+Shift+S" into key and modifiers.
bool ParseKeyName(std::string_view name, int& vk, unsigned& modifiers);

// From the embedded resources: menus/<name>.menu and menus/<name>.acc.
bool LoadMenuResource(const std::string& name, std::vector<MenuItem>& out, std::string& error);
bool LoadAcceleratorResource(const std::string& name, std::vector<Accelerator>& out,
                             std::string& error);

// The command id of the accelerator matching the key, or 0.
int FindAccelerator(const std::vector<Accelerator>& table, int vk, unsigned modifiers);

}  // namespace curvelo::fw
