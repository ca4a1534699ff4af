// The general text window: a frame whose client area is one multi-line edit of at most
// 64000 characters, with search, minus-sign rewrite, font, clipboard, printing and .txt
// files. Help texts, listings, results and the notepad are text windows.
#pragma once

#include <functional>
#include <memory>
#include <string>

#include "framework/frame_window.h"
#include "framework/log_font.h"
#include "textwin/text_search.h"

namespace curvelo {

namespace fw {
class TEdit;
class TPrinter;
}  // namespace fw

// Command ids of the text windows' menus.
namespace textcmd {
inline constexpr int kMinusSign = 92, kSearch = 353, kNext = 352, kRestart = 53,
                     kPrinterSetup = 93, kFont = 61, kCopy = 95, kCut = 96, kPaste = 99,
                     kSelectAll = 119, kPrint = 97, kHelp = 351, kOpen = 59, kSave = 57,
                     kSaveAs = 58;
}

class TTextWin : public fw::TFrameWindow {
public:
    static constexpr int kEditId = 30;

    // owner may be null. fileName is the document name (e.g. "súgó.txt"); text is cut at
    // 64000 characters. The font of fontKind is given by the owner (SetFont) or the default.
    TTextWin(fw::TWindow* owner, const std::string& caption, const std::string& fileName,
             const std::string& text, int fontKind);
    ~TTextWin() override;

    // Replace the whole text (cut at 64000 characters) and refresh; empty it.
    void SetText(const std::string& text);
    void ClearText() { SetText(std::string()); }
    // The text, re-read from the edit control when it exists.
    const std::string& Text();

    int FontKind() const { return fontKind_; }
    const fw::LogFont& Font() const { return font_; }
    fw::Color TextColour() const { return colour_; }
    void SetFont(const fw::LogFont& font, fw::Color colour);
    // Told after the user chose a new font for this window's font kind.
    void SetFontListener(std::function<void(int kind, const fw::LogFont&, fw::Color)> f) {
        fontListener_ = std::move(f);
    }

    // Windows of a plot window are hidden instead of destroyed when dismissed.
    void SetHideOnClose(bool hide) { hideOnClose_ = hide; }
    bool HideOnClose() const { return hideOnClose_; }

    const std::string& FileName() const { return fileName_; }
    void SetFileName(const std::string& name) { fileName_ = name; }
    // 0 or the error code (11 open, 12 save); the caller shows the message.
    int ReadFile(const std::string& path);
    int WriteFile(const std::string& path);
    bool IsModified() const;

    // The search state (exposed for the owner and tests).
    TextSearch& Search() { return search_; }
    fw::TEdit* Edit() const { return edit_; }

    void CloseWindow(int retVal = 0) override;
    bool CanClose() override;
    bool EvCommand(int id) override;
    bool EvCommandEnable(int id, fw::TCommandEnabler& ce) override;

protected:
    // For derived windows with another menu.
    TTextWin(fw::TWindow* owner, const std::string& caption, const std::string& fileName,
             const std::string& text, int fontKind, const std::string& menuName);

    void SetupWindow() override;
    void EvSize(int clientWidth, int clientHeight) override;
    void EvSetFocus() override;
    void Destroy(int retVal = 0) override;
    // Called after the user dismissed a window that hides instead of closing.
    virtual void Dismissed() {}

    // Re-reads the buffer from the control; refreshes the control from the buffer.
    void ReRead();
    void Refresh();

private:
    void DoSearch(bool ask);
    void DoRestart();
    void DoMinusSign();
    void DoFont();
    void DoPrint();
    void DoOpen();
    bool DoSave(bool askName);
    void DoHelp();

    fw::TWindow* owner_;
    std::string text_;
    std::string fileName_;
    bool hasPath_ = false;  // the file name came from a dialog or a successful open/save
    int fontKind_;
    fw::LogFont font_;
    fw::Color colour_{0, 0, 0};
    fw::Rect placement_;
    TextSearch search_;
    fw::TEdit* edit_ = nullptr;
    bool hideOnClose_ = false;
    std::unique_ptr<fw::TPrinter> printer_;
    std::function<void(int, const fw::LogFont&, fw::Color)> fontListener_;
};

}  // namespace curvelo
