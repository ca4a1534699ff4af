#include "textwin/text_win.h"

#include <cstdlib>

#include "framework/clipboard.h"
#include "framework/common_dialogs.h"
#include "framework/controls.h"
#include "framework/kit_inp_dlg.h"
#include "framework/kit_msg_dlg.h"
#include "framework/kit_status_text.h"
#include "framework/printout.h"
#include "framework/screen.h"
#include "resources/resources.h"
#include "textwin/text_buffer.h"
#include "textwin/text_codec.h"
#include "textwin/text_file.h"
#include "textwin/text_printout.h"
#include "textwin/text_win_placement.h"
#include "framework/kit_services.h"

namespace curvelo {
namespace {

std::string Str(int id) { return std::string(res::String(id)); }

fw::LogFont DefaultTextFont() {
    // Listings and tables line up their columns with spaces: a fixed-pitch face.
    fw::LogFont f;
    f.faceName = "Courier New";
    f.height = -13;
    f.pitchAndFamily = 0x31;  // fixed pitch, modern family
    return f;
}

}  // namespace

TTextWin::TTextWin(fw::TWindow* owner, const std::string& caption, const std::string& fileName,
                   const std::string& text, int fontKind)
    : TTextWin(owner, caption, fileName, text, fontKind, "TEXTMENU") {}

TTextWin::TTextWin(fw::TWindow* owner, const std::string& caption, const std::string& fileName,
                   const std::string& text, int fontKind, const std::string& menuName)
    : fw::TFrameWindow(owner, caption),
      owner_(owner),
      text_(CutToChars(text)),
      fileName_(fileName),
      fontKind_(fontKind),
      font_(DefaultTextFont()) {
    const int r1 = std::rand(), r2 = std::rand();
    placement_ = TextWinRect(fw::PrimaryScreen(), r1, r2);
    SetMenu(menuName);
    LoadAccelerators(menuName);
    fw::EditOptions options;
    options.multiline = true;
    edit_ = new fw::TEdit(this, kEditId, text_, options);
    edit_->SetLimit(static_cast<int>(kTextWinMaxChars) + 1);
}

TTextWin::~TTextWin() = default;

void TTextWin::SetupWindow() {
    fw::TFrameWindow::SetupWindow();
    edit_->SetFont(font_);
    edit_->SetTextColor(colour_);
    edit_->SetLimit(static_cast<int>(kTextWinMaxChars));
    Refresh();
    MoveWindow(placement_);
    const fw::Size client = GetClientSize();
    EvSize(client.cx, client.cy);
}

void TTextWin::EvSize(int clientWidth, int clientHeight) {
    // One pixel of overlap on every side hides the edit's own border.
    if (edit_) edit_->MoveWindow({-1, -1, clientWidth + 1, clientHeight + 1});
}

void TTextWin::EvSetFocus() {
    if (edit_) edit_->SetFocus();
}

void TTextWin::SetText(const std::string& text) {
    text_ = CutToChars(text);
    Refresh();
}

const std::string& TTextWin::Text() {
    ReRead();
    return text_;
}

void TTextWin::ReRead() {
    if (edit_) text_ = CutToChars(edit_->GetText());
}

void TTextWin::Refresh() {
    if (!edit_) return;
    edit_->SetText(text_);
    edit_->ClearModify();
    edit_->ScrollToLine(0);
    edit_->SetSelection(0, 0);
    search_.MarkAtStart();
}

bool TTextWin::IsModified() const { return edit_ && edit_->IsModified(); }

void TTextWin::SetFont(const fw::LogFont& font, fw::Color colour) {
    font_ = font;
    colour_ = colour;
    if (edit_) {
        edit_->SetFont(font_);
        edit_->SetTextColor(colour_);
    }
}

int TTextWin::ReadFile(const std::string& path) {
    std::string text;
    if (int err = ReadTextFile(path, &text, kTextWinMaxChars)) return err;
    text_ = std::move(text);
    fileName_ = path;
    hasPath_ = true;
    Refresh();
    return 0;
}

int TTextWin::WriteFile(const std::string& path) {
    ReRead();
    if (int err = WriteTextFile(path, text_)) return err;
    fileName_ = path;
    hasPath_ = true;
    if (edit_) edit_->ClearModify();
    return 0;
}

void TTextWin::CloseWindow(int retVal) {
    if (hideOnClose_) {
        Show(false);
        Dismissed();
        return;
    }
    fw::TFrameWindow::CloseWindow(retVal);
}

bool TTextWin::CanClose() {
    // A hidden window was dismissed already; only a shown, edited text asks.
    if (!IsCreated() || !IsVisible() || !IsModified()) return true;
    const std::string question = Str(1) + std::string(BareFileName(fileName_));
    switch (AskBox(this, GetCaption(), question, 2)) {
        case fw::kIdYes: return DoSave(false);
        case fw::kIdNo: return true;
        default: return false;
    }
}

void TTextWin::Destroy(int retVal) {
    const bool wasShown = IsCreated() && IsVisible();
    fw::TFrameWindow::Destroy(retVal);
    // Give the activation back to the owner the user came from.
    if (wasShown && owner_ && owner_->IsCreated() && owner_->IsVisible()) owner_->Raise();
}

bool TTextWin::EvCommand(int id) {
    using namespace textcmd;
    switch (id) {
        case kMinusSign: DoMinusSign(); return true;
        case kSearch: DoSearch(true); return true;
        case kNext: DoSearch(false); return true;
        case kRestart: DoRestart(); return true;
        case kPrinterSetup:
            if (!printer_) printer_ = std::make_unique<fw::TPrinter>();
            printer_->Setup(this);
            return true;
        case kFont: DoFont(); return true;
        case kCopy: edit_->Copy(); return true;
        case kCut: edit_->Cut(); ReRead(); return true;
        case kPaste: edit_->Paste(); ReRead(); return true;
        case kSelectAll: edit_->SelectAll(); return true;
        case kPrint: DoPrint(); return true;
        case kHelp: DoHelp(); return true;
        case kOpen: DoOpen(); return true;
        case kSave: DoSave(false); return true;
        case kSaveAs: DoSave(true); return true;
        default: return fw::TFrameWindow::EvCommand(id);
    }
}

bool TTextWin::EvCommandEnable(int id, fw::TCommandEnabler& ce) {
    using namespace textcmd;
    switch (id) {
        case kCopy:
        case kCut: ce.Enable(edit_ && edit_->HasSelection()); return true;
        case kPaste: ce.Enable(fw::clipboard::HasText()); return true;
        case kNext: ce.Enable(search_.HasNeedle()); return true;
        default: return fw::TFrameWindow::EvCommandEnable(id, ce);
    }
}

void TTextWin::DoSearch(bool ask) {
    if (ask) {
        std::string answer = EncodeUtf8(search_.Needle());
        TInpDlg dlg(this, Str(5), Str(6), &answer, 256);
        if (dlg.Execute() != fw::kIdOk) return;
        if (answer.empty()) {
            ShowMessage(this, 9);
            return;
        }
        search_.SetNeedle(DecodeText(answer));
    }
    if (!search_.HasNeedle()) return;
    ReRead();
    int selStart = 0, selEnd = 0;
    edit_->GetSelection(selStart, selEnd);
    const std::u32string text = DecodeText(text_);
    auto hit = search_.Next(text, CodePointIndex(text, static_cast<std::size_t>(std::max(0, selStart))));
    if (!hit) {
        edit_->SetSelection(0, 0);
        ShowMessage(this, 2);
        return;
    }
    const int start = static_cast<int>(Utf16Position(text, *hit));
    const int end = static_cast<int>(Utf16Position(text, *hit + search_.Needle().size()));
    edit_->SetSelection(start, end);
    if (auto first = FirstLineShowingMatch(edit_->GetLineFromChar(end), edit_->GetLineCount()))
        edit_->ScrollToLine(*first);
}

void TTextWin::DoRestart() {
    edit_->ScrollToLine(0);
    edit_->SetSelection(0, 0);
    search_.MarkAtStart();
}

void TTextWin::DoMinusSign() {
    std::string answer = "150";
    TInpDlg dlg(this, Str(3), Str(4), &answer, 10);
    if (dlg.Execute() != fw::kIdOk) return;
    auto code = ParseMinusCode(answer);
    if (!code) {
        ShowMessage(this, 1);
        return;
    }
    ReRead();
    text_ = CutToChars(ReplaceMinus(text_, *code));
    Refresh();
}

void TTextWin::DoFont() {
    fw::LogFont font = font_;
    fw::Color colour = colour_;
    if (!fw::ChooseFont(this, font, &colour)) return;
    SetFont(font, colour);
    ReRead();
    if (fontListener_) fontListener_(fontKind_, font_, colour_);
}

void TTextWin::DoPrint() {
    ReRead();
    if (!printer_) printer_ = std::make_unique<fw::TPrinter>();
    TTextPrintout printout(std::string(BareFileName(fileName_)), text_, font_, colour_);
    printer_->Print(this, printout, true);
}

void TTextWin::DoOpen() {
    fw::FileDialogOptions options;
    options.filter = Str(64);
    options.defaultExt = "txt";
    options.fileName = hasPath_ ? fileName_ : std::string();
    options.mustExist = true;
    if (!fw::OpenFileDialog(this, options)) return;
    if (ReadFile(options.fileName) != 0) ShowMessage(this, 11);
}

bool TTextWin::DoSave(bool askName) {
    std::string path = fileName_;
    if (askName || !hasPath_) {
        fw::FileDialogOptions options;
        options.filter = Str(64);
        options.defaultExt = "txt";
        options.fileName = fileName_;
        if (!fw::SaveFileDialog(this, options)) return false;
        path = options.fileName;
    }
    if (WriteFile(path) != 0) {
        ShowMessage(this, 12);
        return false;
    }
    return true;
}

void TTextWin::DoHelp() {
    const std::string text = Str(8) + "\n" + Str(9) + "\n" + Str(10) + "\n" + Str(11);
    fw::MessageBox(this, text, Str(12), fw::kMbOk);
}

}  // namespace curvelo
