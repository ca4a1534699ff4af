// Hooks that let tests drive modal dialogs, message boxes and common dialogs without a
// user, and feed input, all headless. Not used by the program itself.
#pragma once

#include <functional>
#include <string>
#include <vector>

#include "framework/common_dialogs.h"
#include "framework/log_font.h"

namespace curvelo::fw {

class TDialog;
class TWindow;

namespace automation {

// Creates a process-wide application object when there is none (for tests).
void EnsureApplication();
void ProcessEvents();

// While set, TDialog::Execute builds and sets up the dialog as usual, then calls the hook
// instead of waiting for the user; the hook may set texts and checks and returns the id of
// the button to press (pressing goes through EvCommand, so validation runs). When the
// dialog is still open afterwards, Execute returns -1.
using DialogHook = std::function<int(TDialog&)>;
void SetDialogHook(DialogHook hook);  // empty function: back to normal

// While set, MessageBox returns the hook's answer; it sees text, caption and kind.
using MessageBoxHook = std::function<int(const std::string&, const std::string&, unsigned)>;
void SetMessageBoxHook(MessageBoxHook hook);

// While set, the file dialogs return the hook's answer; it may fill options.fileName.
using FileDialogHook = std::function<bool(bool save, FileDialogOptions& options)>;
void SetFileDialogHook(FileDialogHook hook);

using FontDialogHook = std::function<bool(LogFont& font)>;
void SetFontDialogHook(FontDialogHook hook);

// Queues a key press (and its release) for the window, as the keyboard would.
void PostKey(TWindow& window, int vk, unsigned modifiers = 0);
// Sends a mouse click to the window's client area at once.
void Click(TWindow& window, int x, int y, bool right = false);
// Drops local files on the window as a file manager would; ignored unless it accepts drops.
void DropFiles(TWindow& window, const std::vector<std::string>& paths);

}  // namespace automation
}  // namespace curvelo::fw
