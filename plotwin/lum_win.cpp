#include "plotwin/lum_win.h"

#include <cstdlib>

#include <algorithm>
#include <chrono>
#include <cmath>

#include "framework/clipboard.h"
#include "framework/dc.h"
#include "framework/kit_dlg.h"
#include "framework/kit_inp_dlg.h"
#include "framework/kit_services.h"
#include "framework/kit_status_text.h"
#include "framework/printout.h"
#include "framework/vector_picture.h"
#include "plotwin/dc_surface.h"
#include "plotwin/dialog_ids.h"
#include "plotwin/view_commands.h"
#include "resources/resources.h"
#include "textwin/col_win.h"
#include "textwin/note_win.h"
#include "textwin/text_win.h"

namespace curvelo {
namespace {

std::string Str(int id) { return std::string(res::String(id)); }
fw::Color ToColor(Rgb c) { return {c.r, c.g, c.b}; }

// Dialog ids of "PRNSPX2".
constexpr int kPsByWidth = dlg::kPrintByWidth, kPsByInterval = dlg::kPrintByInterval,
              kPsWidth = dlg::kPrintWidth, kPsInterval = dlg::kPrintInterval, kPsLeft = dlg::kPrintLeft,
              kPsTop = dlg::kPrintTop, kPsFrame = dlg::kPrintFrame, kPsColour = dlg::kPrintColour;

class TPrintSetupDlg : public TDlg {
public:
    TPrintSetupDlg(fw::TWindow* parent, PrintSetup* setup) : TDlg(parent, "PRNSPX2"), setup_(setup) {}

    bool EvCommand(int id) override {
        if (id != fw::kIdOk) return TDlg::EvCommand(id);
        PrintSetupFields f;
        f.byWidth = IsItemChecked(kPsByWidth);
        f.width = GetItemText(kPsWidth);
        f.interval = GetItemText(kPsInterval);
        f.left = GetItemText(kPsLeft);
        f.top = GetItemText(kPsTop);
        f.frame = IsItemChecked(kPsFrame);
        f.colour = IsItemChecked(kPsColour);
        if (int err = ApplyPrintSetupFields(f, *setup_)) {
            ShowMessage(this, err);  // the dialog stays open
            return true;
        }
        EndDialog(fw::kIdOk);
        return true;
    }

protected:
    void SetupWindow() override {
        TDlg::SetupWindow();
        const PrintSetupFields f = PrintSetupFieldsFor(*setup_);
        CheckItem(kPsByWidth, f.byWidth);
        CheckItem(kPsByInterval, !f.byWidth);
        for (int id : {kPsWidth, kPsInterval, kPsLeft, kPsTop}) SetItemLimit(id, 19);
        SetItemText(kPsWidth, f.width);
        SetItemText(kPsInterval, f.interval);
        SetItemText(kPsLeft, f.left);
        SetItemText(kPsTop, f.top);
        CheckItem(kPsFrame, f.frame);
        CheckItem(kPsColour, f.colour);
    }

private:
    PrintSetup* setup_;
};

// The picture on a printer page, at the place and size of the print setup.
class TPicturePrintout : public fw::TPrintout {
public:
    TPicturePrintout(TLumWin& win, const std::string& title) : fw::TPrintout(title), win_(win) {}

    void PrintPage(int, fw::DC& dc, const fw::Rect&) override { win_.DrawOnPrinterPage(dc); }

private:
    TLumWin& win_;
};

// The palette of a plot window: hidden when dismissed, and the window forgets it when the
// framework destroys it anyway.
class TPlotPalette : public TColWin {
public:
    TPlotPalette(fw::TWindow* owner, const Palette& colours, int kind, int* index,
                 std::function<void(int)> changed, TColWin** backPointer)
        : TColWin(owner, colours, kind, index, std::move(changed)), back_(backPointer) {}
    ~TPlotPalette() override {
        if (back_ && *back_ == this) *back_ = nullptr;
    }
    void CloseWindow(int) override { Show(false); }
    // The owner goes first: nothing to tell it any more.
    void Forget() { back_ = nullptr; }

private:
    TColWin** back_;
};

TColWin::Palette PlotPaletteColours() {
    TColWin::Palette p{};
    for (int i = 0; i < kColourCount; ++i) p[i] = ToColor(ColourOf(i));
    return p;
}

}  // namespace

// Dialog ids of "VIEWALL".
constexpr int kVaEdges = dlg::kViewEdgesRadio, kVaCentre = dlg::kViewCentreRadio,
              kVaApply = dlg::kViewApply, kVaClose = dlg::kViewClose;

// The modeless view dialog: shown again rather than rebuilt; apply reads the chosen group.
class TViewAllDlg : public TDlg {
public:
    explicit TViewAllDlg(TLumWin* win) : TDlg(win, "VIEWALL"), win_(win) {}
    ~TViewAllDlg() override {
        if (win_ && win_->viewDialog_ == this) win_->viewDialog_ = nullptr;
    }

    void Detach() { win_ = nullptr; }

    void Fill() {
        const ViewDialogFields f = ViewDialogFieldsFor(win_->View(), win_->Format());
        CheckItem(kVaEdges, f.edges);
        CheckItem(kVaCentre, !f.edges);
        for (int i = 0; i < 4; ++i) SetItemText(kViewEdgeFirstId + i, f.edge[i]);
        for (int i = 0; i < 3; ++i) SetItemText(kViewCentreFirstId + i, f.centre[i]);
    }

    bool EvCommand(int id) override {
        if (id == kVaApply) {
            ViewDialogFields f;
            f.edges = IsItemChecked(kVaEdges);
            for (int i = 0; i < 4; ++i) f.edge[i] = GetItemText(kViewEdgeFirstId + i);
            for (int i = 0; i < 3; ++i) f.centre[i] = GetItemText(kViewCentreFirstId + i);
            if (int err = ApplyViewDialog(f, win_->Evaluator(), win_->View())) ShowMessage(this, err);
            return true;
        }
        if (id == kVaClose || id == fw::kIdCancel) {
            Show(false);
            return true;
        }
        return TDlg::EvCommand(id);
    }
    void CloseWindow(int) override { Show(false); }

protected:
    void SetupWindow() override {
        TDlg::SetupWindow();
        for (int i = 0; i < 4; ++i) SetItemLimit(kViewEdgeFirstId + i, kViewFieldMaxChars);
        for (int i = 0; i < 3; ++i) SetItemLimit(kViewCentreFirstId + i, kViewFieldMaxChars);
        Fill();
    }

private:
    TLumWin* win_;
};

TLumWin::TLumWin(fw::TWindow* parent, const std::string& caption) : TPreWin(parent, caption) {
    view_.SetListener(this);
}

TLumWin::~TLumWin() {
    view_.SetListener(nullptr);
    if (viewDialog_) viewDialog_->Detach();
    if (palette_) static_cast<TPlotPalette*>(palette_)->Forget();
}

void TLumWin::SetupWindow() {
    TPreWin::SetupWindow();
    for (auto& h : help_) {
        h = new TTextWin(this, Str(297), Str(25), std::string(), 0);
        h->SetHideOnClose(true);
        h->Create();
    }
    if (IsDocumentWindow()) {
        notepad_ = new TNoteWin(this, FileName(), 0);
        notepad_->SetDismissListener([this] { SetModified(true); });
        notepad_->Create();
    }
    const fw::Size client = GetClientSize();
    view_.SetClientSize(client.cx, client.cy);
    view_.ApplyView();
    // The notepad exists now, so a document's note has its window.
    OpenStartFile();
}

void TLumWin::ShowHelp(int which, const std::string& text) {
    TTextWin* h = help_[which ? 1 : 0];
    if (!h) return;
    h->SetText(text);
    h->Show();
    h->Raise();
}

void TLumWin::DocumentRenamed() {
    TPreWin::DocumentRenamed();
    if (notepad_) notepad_->SetCaption(TNoteWin::CaptionFor(FileName()));
    if (palette_) palette_->SetCaption(PaletteCaption());
}

// The palette names the document alone: the window's own title may carry the pointer's
// coordinates of the moment.
std::string TLumWin::PaletteCaption() const { return std::string(BareFileName(FileName())); }

void TLumWin::ShowNotepad() {
    if (!notepad_) return;
    notepad_->SetCaption(TNoteWin::CaptionFor(FileName()));
    notepad_->Show();
    notepad_->Raise();
}

void TLumWin::EvSize(int clientWidth, int clientHeight) {
    view_.SetClientSize(clientWidth, clientHeight);
    view_.ApplyView();
    TPreWin::EvSize(clientWidth, clientHeight);
}

void TLumWin::ViewApplied() {}

void TLumWin::ViewRepaint() {
    InvalidateLayer(CurrentLayer());
    Invalidate(false);
}

void TLumWin::RepaintAll() {
    InvalidateAllLayers();
    // Drawn here, outside any paint event, so a long drawing can poll the keyboard; a
    // hidden window draws when it is first painted.
    if (IsVisible()) RenderLayer(CurrentLayer());
    else Invalidate(false);
}

FieldEvaluator TLumWin::Evaluator() const { return ParsePlainNumber; }

int* TLumWin::ColourSlot(int kind) {
    switch (kind) {
        case kColourKindBackground: return &background_;
        case kColourKindDrawing: return &drawColour_;
        default: return nullptr;
    }
}

void TLumWin::ChooseColour(int kind) {
    int* slot = ColourSlot(kind);
    if (!slot) return;
    if (!palette_) {
        palette_ = new TPlotPalette(this, PlotPaletteColours(), kind, slot,
                                    [this](int k) { ColourChanged(k); }, &palette_);
        palette_->SetCaption(PaletteCaption());
        palette_->Create();
    } else {
        palette_->SetTarget(kind, slot);
    }
    palette_->Show();
    palette_->Raise();
}

void TLumWin::ColourChanged(int) {
    SetModified(true);
    RepaintAll();
}

void TLumWin::FontChanged(int) { RepaintAll(); }

FrameOutput TLumWin::CurrentOutput() const {
    FrameOutput out;
    out.printing = printing_;
    out.colourOutput = !printing_ || printSetup_.colour != 0;
    out.backgroundIndex = background_;
    out.measuredBackground = measuredBackground_;
    return out;
}

void TLumWin::FillBackground(fw::DC& dc) {
    const Rgb c = ColourOf(background_);
    dc.FillRect({view_.x0, view_.y0, view_.x0 + view_.W, view_.y0 + view_.H}, ToColor(c));
    measuredBackground_ = c;
}

void TLumWin::PaintPicture(DrawSurface&, fw::DC& dc, bool withBackground) {
    if (withBackground) FillBackground(dc);
}

void TLumWin::RenderTo(fw::DC& dc, int w, int h, int x0, int y0, bool printing, bool withBackground) {
    view_.ApplyViewTo(w, h, x0, y0);
    printing_ = printing;
    {
        DcSurface surface(dc, view_, [this](int kind) { return Font(kind); });
        surface.SetPrinting(printing);
        PaintPicture(surface, dc, withBackground);
    }
    printing_ = false;
    view_.ApplyView();
}

void TLumWin::PaintLayer(int, fw::DC& dc) {
    const fw::Size client = GetClientSize();
    view_.SetClientSize(client.cx, client.cy);
    view_.ApplyView();
    DcSurface surface(dc, view_, [this](int kind) { return Font(kind); });
    PaintPicture(surface, dc, true);
}

void TLumWin::Paint(fw::DC& dc, bool erase, const fw::Rect& rect) {
    TPreWin::Paint(dc, erase, rect);
    if (!dragging_) return;
    dc.SelectPen({{0, 0, 0}, 1, fw::PenStyle::Dot});
    dc.SelectBrush({{255, 255, 255}, fw::BrushStyle::Null});
    dc.Rectangle(std::min(dragStart_.x, dragEnd_.x), std::min(dragStart_.y, dragEnd_.y),
                 std::max(dragStart_.x, dragEnd_.x) + 1, std::max(dragStart_.y, dragEnd_.y) + 1);
}

void TLumWin::EvLButtonDown(unsigned, fw::Point p) {
    dragging_ = true;
    dragStart_ = dragEnd_ = p;
}

void TLumWin::EvMouseMove(unsigned modifiers, fw::Point p) {
    if (!dragging_) return;
    if (!(modifiers & fw::kLeftButton)) {
        dragging_ = false;  // the button was released outside the window
        Invalidate(false);
        return;
    }
    dragEnd_ = p;
    Invalidate(false);
}

void TLumWin::EvLButtonUp(unsigned, fw::Point p) {
    if (!dragging_) return;
    dragging_ = false;
    dragEnd_ = p;
    // A click without a drag changes nothing; the view's own repaint removes the rectangle.
    if (view_.ZoomToPixelRect(dragStart_.x, dragStart_.y, dragEnd_.x, dragEnd_.y)) return;
    Invalidate(false);
    if (std::abs(p.x - dragStart_.x) <= 3 && std::abs(p.y - dragStart_.y) <= 3) EvPictureClick(p);
}

void TLumWin::EvMouseWheel(unsigned, int delta, fw::Point p) {
    const auto now = std::chrono::steady_clock::now().time_since_epoch();
    wheel_.Turn(view_, p.x, p.y, delta, std::chrono::duration_cast<std::chrono::milliseconds>(now).count());
}

void TLumWin::ResetView() {
    view_.ResetView();
    InvalidateLayer(CurrentLayer());
    SetModified(true);
    Invalidate(false);
}

void TLumWin::DrawOnPrinterPage(fw::DC& dc) {
    PrinterMetrics pm;
    pm.dpiX = dc.DpiX();
    pm.dpiY = dc.DpiY();
    const fw::Point off = dc.PhysicalOffset();
    pm.offsetX = off.x;
    pm.offsetY = off.y;
    const OutputRect r = ComputePrintRect(printSetup_, view_.ClientWidth(), view_.ClientHeight(),
                                          view_.xmax - view_.xmin, pm);
    RenderTo(dc, r.W, r.H, r.x0, r.y0, true, false);
    if (printSetup_.frame) {
        dc.SelectPen({{0, 0, 0}, std::max(1, pm.dpiX / 150)});
        dc.SelectBrush({{255, 255, 255}, fw::BrushStyle::Null});
        dc.Rectangle(r.x0, r.y0, r.x0 + r.W, r.y0 + r.H);
    }
}

bool TLumWin::PrintPrintout(fw::TPrintout& printout, const std::string& pdfPath, int dpi) {
    if (!printer_) printer_ = std::make_unique<fw::TPrinter>();
    return pdfPath.empty() ? printer_->Print(this, printout, true) : printer_->PrintToPdf(printout, pdfPath, dpi);
}

bool TLumWin::PrintToPdf(const std::string& path, int dpi) {
    TPicturePrintout printout(*this, std::string(BareFileName(FileName())));
    return PrintPrintout(printout, path, dpi);
}

void TLumWin::PrintWithDialog() {
    TPicturePrintout printout(*this, std::string(BareFileName(FileName())));
    PrintPrintout(printout);
}

void TLumWin::CopyPicture() {
    const fw::Size client = GetClientSize();
    const int w = std::max(1, client.cx), h = std::max(1, client.cy);
    const fw::ScreenMetrics& s = Screen();
    const double mmX = s.width > 0 && s.widthMm > 0 ? double(s.widthMm) / s.width : 25.4 / 96;
    const double mmY = s.height > 0 && s.heightMm > 0 ? double(s.heightMm) / s.height : 25.4 / 96;
    fw::VectorPicture picture(w, h, w * mmX, h * mmY);
    RenderTo(picture.Begin(), w, h, 0, 0, false, copyWithBackground_);
    picture.End();
    fw::clipboard::SetPicture(picture, GetCaption());
}

void TLumWin::CopyBitmap() {
    const fw::Size client = GetClientSize();
    if (!clipboardBitmap_.Create(std::max(1, client.cx), std::max(1, client.cy))) return;
    {
        fw::DC dc(clipboardBitmap_);
        RenderTo(dc, clipboardBitmap_.Width(), clipboardBitmap_.Height(), 0, 0, false, true);
    }
    fw::clipboard::SetImage(clipboardBitmap_);
    if (!bitmapNoticeShown_) ShowMessage(this, kMsgBitmapOwned);
    bitmapNoticeShown_ = true;
}

void TLumWin::AskNumber(int id) {
    std::string text = id == kCmdZoomFactor ? ZoomFactorText(view_, numberFormat_) : PanPercentText(view_);
    TInpDlg dlg(this, Str(5), Str(id == kCmdZoomFactor ? 17 : 18), &text, kZoomFactorMaxChars);
    if (dlg.Execute() != fw::kIdOk) return;
    const int err = id == kCmdZoomFactor ? ApplyZoomFactorText(text, Evaluator(), view_)
                                         : ApplyPanPercentText(text, Evaluator(), view_);
    SetModified(true);
    if (err) ShowMessage(this, err);
}

void TLumWin::EditPrintSetup() {
    TPrintSetupDlg dlg(this, &printSetup_);
    if (dlg.Execute() == fw::kIdOk) SetModified(true);
}

void TLumWin::AskPictureSize() {
    const fw::Size client = GetClientSize();
    const fw::ScreenMetrics& s = Screen();
    const double dpiX = s.dpiX > 0 ? s.dpiX : 96, dpiY = s.dpiY > 0 ? s.dpiY : 96;
    std::string w = numberFormat_.Format(client.cx / dpiX * 2.54L);
    std::string h = numberFormat_.Format(client.cy / dpiY * 2.54L);
    TInp2Dlg dlg(this, Str(26), Str(27), Str(28), &w, &h, 20);
    if (dlg.Execute() != fw::kIdOk) return;
    long double cmW = 0, cmH = 0;
    const FieldEvaluator eval = Evaluator();
    if (!eval(w, &cmW) || !eval(h, &cmH)) {
        ShowMessage(this, kMsgNotUnderstood);
        return;
    }
    const long double pxW = cmW / 2.54L * dpiX, pxH = cmH / 2.54L * dpiY;
    // The picture must fit on the screen and hold at least a few pixels.
    if (!(pxW >= 16 && pxH >= 16) || (s.width > 0 && pxW > s.width) || (s.height > 0 && pxH > s.height)) {
        ShowMessage(this, kMsgOutOfLimits);
        return;
    }
    const fw::Rect r = GetWindowRect();
    const int dw = static_cast<int>(std::lround(pxW)) - client.cx;
    const int dh = static_cast<int>(std::lround(pxH)) - client.cy;
    MoveWindow({r.left, r.top, r.right + dw, r.bottom + dh});
}

void TLumWin::ShowViewDialog() {
    if (!viewDialog_) {
        viewDialog_ = new TViewAllDlg(this);
        if (!viewDialog_->Create()) return;
    } else {
        viewDialog_->Fill();
    }
    viewDialog_->Show();
}

bool TLumWin::EvCommand(int id) {
    switch (id) {
        case kCmdZoomOut: view_.Zoom(true); return true;
        case kCmdZoomIn: view_.Zoom(false); return true;
        case kCmdMakeSquare: if (view_.CanMakeSquare()) view_.MakeSquare(); return true;
        case kCmdPanRight: view_.Pan(view_.panFraction, 0); return true;
        case kCmdPanLeft: view_.Pan(-view_.panFraction, 0); return true;
        case kCmdPanUp: view_.Pan(0, view_.panFraction); return true;
        case kCmdPanDown: view_.Pan(0, -view_.panFraction); return true;
        case kCmdLastView: view_.PopView(); return true;
        case kCmdResetView: ResetView(); return true;
        case kCmdZoomFactor:
        case kCmdPanPercent: AskNumber(id); return true;
        case kCmdViewDialog: ShowViewDialog(); return true;
        case outcmd::kPrint: PrintWithDialog(); return true;
        case outcmd::kPrintSetup: EditPrintSetup(); return true;
        case outcmd::kPrinterSetup:
            if (!printer_) printer_ = std::make_unique<fw::TPrinter>();
            printer_->Setup(this);
            return true;
        case outcmd::kCopyPicture: CopyPicture(); return true;
        case outcmd::kCopyWithBackground:
            copyWithBackground_ = !copyWithBackground_;
            SetModified(true);
            return true;
        case outcmd::kCopyBitmap: CopyBitmap(); return true;
        case outcmd::kPictureSize: AskPictureSize(); return true;
        case outcmd::kNotepad: ShowNotepad(); return true;
        default: break;
    }
    if (id >= outcmd::kColourFirst && id <= outcmd::kColourLast && ColourSlot(id - outcmd::kColourFirst)) {
        ChooseColour(id - outcmd::kColourFirst);
        return true;
    }
    return TPreWin::EvCommand(id);
}

bool TLumWin::EvCommandEnable(int id, fw::TCommandEnabler& ce) {
    switch (id) {
        case kCmdMakeSquare:
        case kCmdLastView: ce.Enable(ViewCommandEnabled(id, view_)); return true;
        case outcmd::kCopyWithBackground: ce.SetCheck(copyWithBackground_); return true;
        case outcmd::kNotepad: ce.Enable(notepad_ != nullptr); return true;
        default: break;
    }
    if (id >= outcmd::kColourFirst && id <= outcmd::kColourLast) {
        ce.Enable(ColourSlot(id - outcmd::kColourFirst) != nullptr);
        return true;
    }
    return TPreWin::EvCommandEnable(id, ce);
}

}  // namespace curvelo
