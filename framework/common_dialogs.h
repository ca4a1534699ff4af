// The system's common dialogs: open and save file, font, generic message boxes.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "framework/fw_types.h"
#include "framework/log_font.h"

namespace curvelo::fw {

class TWindow;

struct FileFilter {
    std::string description;
    std::vector<std::string> patterns;  // "*.cv2"
};

// "description|*.ext|description|*.a;*.b|..." into pairs; an incomplete last pair is dropped.
std::vector<FileFilter> ParseFilterString(std::string_view filters);

struct FileDialogOptions {
    std::string title;
    std::string filter;       // "description|*.ext|..." pairs
    int filterIndex = 1;      // 1-based, in and out
    std::string defaultExt;   // without the dot; added when the chosen name has none
    std::string fileName;     // in: proposed name or folder; out: the chosen path
    bool mustExist = true;    // open only
    bool overwritePrompt = true;  // save only
};

// False when cancelled.
bool OpenFileDialog(TWindow* parent, FileDialogOptions& options);
bool SaveFileDialog(TWindow* parent, FileDialogOptions& options);

// The font dialog; color may be null. False when cancelled.
bool ChooseFont(TWindow* parent, LogFont& font, Color* color);

enum MessageBoxKind : unsigned {
    kMbOk = 0,
    kMbOkCancel = 1,
    kMbYesNoCancel = 3,
    kMbYesNo = 4,
    kMbIconError = 0x10,
    kMbIconQuestion = 0x20,
    kMbIconWarning = 0x30,
    kMbIconInformation = 0x40,
};

// Returns kIdOk, kIdCancel, kIdYes or kIdNo; Esc and the close box give kIdCancel (kIdOk
// for a box with only "ok").
int MessageBox(TWindow* parent, const std::string& text, const std::string& caption,
               unsigned kind = kMbOk);

}  // namespace curvelo::fw
