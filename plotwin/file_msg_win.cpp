#include "plotwin/file_msg_win.h"

#include <algorithm>

#include "framework/common_dialogs.h"
#include "framework/kit_msg_dlg.h"
#include "framework/kit_status_text.h"
#include "resources/resources.h"

namespace curvelo {

namespace {

// Where a new window opens until its settings file places it: a good share of the screen,
// each new window a little lower and to the right of the previous one.
fw::Rect DefaultPlacement(const fw::ScreenMetrics& screen) {
    static int opened = 0;
    const int w = std::max(480, screen.width * 11 / 20), h = std::max(360, screen.height * 3 / 5);
    const int step = 28 * (opened++ % 8);
    const int left = std::max(0, std::min(60 + step, screen.width - w));
    const int top = std::max(0, std::min(40 + step, screen.height - h));
    return {left, top, left + w, top + h};
}

}  // namespace

TFileMsgWin::TFileMsgWin(fw::TWindow* parent, const std::string& caption)
    : fw::TFrameWindow(parent, caption), fileName_(caption), screen_(fw::PrimaryScreen()) {
    MoveWindow(DefaultPlacement(screen_));
}

void TFileMsgWin::SetupWindow() {
    fw::TFrameWindow::SetupWindow();
    screen_ = fw::PrimaryScreen();
}

void TFileMsgWin::SetStartOptions(bool openLastEdit, bool readWindowSettings,
                                  const std::string& fileName) {
    openLastEdit_ = openLastEdit;
    readWindowSettings_ = readWindowSettings;
    usesSettingsFile_ = true;
    startFile_ = fileName;
}

void TFileMsgWin::SetFileName(const std::string& name) { Name(name, true, modified_); }

void TFileMsgWin::SetUntitled(const std::string& name) { Name(name, false, false); }

void TFileMsgWin::Name(const std::string& name, bool hasPath, bool modified) {
    fileName_ = name;
    hasPath_ = hasPath;
    modified_ = modified;
    RefreshTitle();
    DocumentRenamed();
}

void TFileMsgWin::SetModified(bool modified) {
    if (modified_ == modified) return;
    modified_ = modified;
    RefreshTitle();
}

// A picture that is no document has nothing to save, so its title never says it changed.
void TFileMsgWin::RefreshTitle() { UpdateTitle(this, false, {}, fileName_, modified_ && HasDocumentFormat()); }

bool TFileMsgWin::CanClose() {
    if (!fw::TFrameWindow::CanClose()) return false;
    if (!modified_ || !documentWindow_ || !HasDocumentFormat()) return true;
    const std::string question =
        std::string(res::String(1)) + " " + std::string(BareFileName(fileName_));
    switch (AskBox(this, GetCaption(), question, 2)) {
        case fw::kIdYes: return Save(false);
        case fw::kIdNo: return true;
        default: return false;
    }
}

bool TFileMsgWin::Save(bool askName) {
    std::string path = fileName_;
    if (askName || !hasPath_) {
        fw::FileDialogOptions options;
        options.filter = DocumentFilter();
        options.defaultExt = DocumentExtension();
        options.fileName = fileName_;
        if (!fw::SaveFileDialog(this, options)) return false;
        path = options.fileName;
    }
    if (int err = WriteDocument(path)) {
        if (err > 0) ShowMessage(this, err);  // below 0: refused, and the user was told
        return false;
    }
    Name(path, true, false);
    return true;
}

int TFileMsgWin::OpenStartFile() {
    if (startFile_.empty() || !HasDocumentFormat()) return 0;
    const std::string path = startFile_;
    startFile_.clear();  // only once
    const int err = OpenDocument(path);
    if (err) ShowMessage(this, err);
    return err;
}

int TFileMsgWin::OpenDocument(const std::string& path) {
    if (int err = ReadDocument(path)) return err;
    Name(path, true, false);
    return 0;
}

bool TFileMsgWin::OpenWithDialog() {
    fw::FileDialogOptions options;
    options.filter = DocumentFilter();
    options.defaultExt = DocumentExtension();
    options.mustExist = true;
    if (!fw::OpenFileDialog(this, options)) return false;
    if (int err = OpenDocument(options.fileName)) {
        ShowMessage(this, err);
        return false;
    }
    return true;
}

bool TFileMsgWin::EvCommand(int id) {
    switch (id) {
        case filecmd::kSave: Save(false); return true;
        case filecmd::kSaveAs: Save(true); return true;
        case filecmd::kOpen: OpenWithDialog(); return true;
        default: return fw::TFrameWindow::EvCommand(id);
    }
}

bool TFileMsgWin::EvCommandEnable(int id, fw::TCommandEnabler& ce) {
    switch (id) {
        case filecmd::kSave:
        case filecmd::kSaveAs:
        case filecmd::kOpen: ce.Enable(HasDocumentFormat()); return true;
        default: return fw::TFrameWindow::EvCommandEnable(id, ce);
    }
}

}  // namespace curvelo
