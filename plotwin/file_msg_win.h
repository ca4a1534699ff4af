// The lowest plot-window layer: the document's file name and its unsaved-changes state, the
// start options the launcher passes, the document lock and author data, the screen metrics,
// the title bar and the save-changes question on closing.
#pragma once

#include <string>

#include "framework/frame_window.h"
#include "framework/kit_lock.h"
#include "framework/kit_services.h"
#include "framework/screen.h"

namespace curvelo {

namespace filecmd {
inline constexpr int kSave = 57, kSaveAs = 58, kOpen = 59;
}

class TFileMsgWin : public fw::TFrameWindow, public TTitleSource {
public:
    // The caption is the untitled document's name (e.g. "névtelen1.cv2").
    TFileMsgWin(fw::TWindow* parent, const std::string& caption);

    // A document window gets its own notepad and asks about unsaved changes.
    void SetDocumentWindow(bool isDocument) { documentWindow_ = isDocument; }
    bool IsDocumentWindow() const { return documentWindow_; }
    // What the launcher decided for this window; fileName empty means a new drawing.
    void SetStartOptions(bool openLastEdit, bool readWindowSettings, const std::string& fileName);
    bool OpenLastEdit() const { return openLastEdit_; }
    bool ReadWindowSettings() const { return readWindowSettings_; }
    // Only windows the launcher opened (with its options) read and write settings files.
    bool UsesSettingsFile() const { return usesSettingsFile_; }
    const std::string& StartFile() const { return startFile_; }

    const std::string& FileName() const { return fileName_; }
    void SetFileName(const std::string& name);
    // Back to an unsaved, unnamed document (a new drawing in the same window).
    void SetUntitled(const std::string& name);
    // The file name came from a dialog or an open, so Save needs no question.
    bool HasFilePath() const { return hasPath_; }
    bool IsModified() const { return modified_; }
    void SetModified(bool modified);
    // Rewrites the title: bare file name, suffix, "+" while modified.
    void RefreshTitle();

    DocumentLock& Lock() { return lock_; }
    const fw::ScreenMetrics& Screen() const { return screen_; }

    // TTitleSource
    std::string TitleFileName() const override { return fileName_; }
    bool TitleModified() const override { return modified_; }

    bool CanClose() override;
    bool EvCommand(int id) override;
    bool EvCommandEnable(int id, fw::TCommandEnabler& ce) override;

    // Document reading and writing of the window kinds that have documents; 0 or the
    // message number (below 0: refused, and the user was told already). The base layer has no
    // document format.
    virtual bool HasDocumentFormat() const { return false; }
    virtual int ReadDocument(const std::string& /*path*/) { return 11; }
    virtual int WriteDocument(const std::string& /*path*/) { return 12; }
    virtual std::string DocumentFilter() const { return std::string(); }
    virtual std::string DocumentExtension() const { return std::string(); }

    // Reads the document named by the start options, if any and if this kind has documents;
    // a failure shows its message and leaves the new drawing. 0 or the message number.
    int OpenStartFile();
    // Reads a document into this window and makes it the window's unmodified document;
    // 0 or the message number (nothing shown).
    int OpenDocument(const std::string& path);

    // Save (asking for a name when there is none yet); true when written.
    bool Save(bool askName);
    bool OpenWithDialog();

protected:
    void SetupWindow() override;
    // The document's name changed (save under a new name, open, new drawing): windows and
    // dialogs whose captions name the document follow it.
    virtual void DocumentRenamed() {}

private:
    void Name(const std::string& name, bool hasPath, bool modified);

    std::string fileName_;
    bool hasPath_ = false;
    bool modified_ = false;
    bool documentWindow_ = false;
    bool openLastEdit_ = false;
    bool readWindowSettings_ = true;
    bool usesSettingsFile_ = false;
    std::string startFile_;
    DocumentLock lock_;
    fw::ScreenMetrics screen_;
};

}  // namespace curvelo
