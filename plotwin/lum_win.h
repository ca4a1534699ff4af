// The plot-window layer of the view and of every output: the view and its commands, the
// window's colours and the palette, painting of the picture into the layer cache, printing
// with the print setup, copying to the clipboard, the picture-size dialog, and the
// help and notepad windows a plot window owns.
#pragma once

#include <array>
#include <memory>
#include <string>

#include "framework/bitmap.h"
#include "framework/printout.h"
#include "plotwin/colour_table.h"
#include "plotwin/draw_surface.h"
#include "plotwin/frame_drawer.h"
#include "plotwin/number_format.h"
#include "plotwin/plot_view.h"
#include "plotwin/pre_win.h"
#include "plotwin/print_layout.h"
#include "plotwin/value_parser.h"
#include "plotwin/wheel_zoom.h"

namespace curvelo {

namespace fw {
class TPrinter;
}
class TTextWin;
class TNoteWin;
class TColWin;
class TViewAllDlg;

namespace outcmd {
inline constexpr int kPrint = 303, kPrintSetup = 304, kPrinterSetup = 93, kCopyPicture = 311,
                     kCopyWithBackground = 221, kPictureSize = 90, kCopyBitmap = 310;
// Shows the document's notepad.
inline constexpr int kNotepad = 358;
inline constexpr int kColourFirst = 200, kColourLast = 214;
}

// Colour kinds of the base layers (colour command = 200 + kind).
inline constexpr int kColourKindBackground = 0;
inline constexpr int kColourKindDrawing = 2;

class TLumWin : public TPreWin, public ViewListener {
public:
    TLumWin(fw::TWindow* parent, const std::string& caption);
    ~TLumWin() override;

    PlotView& View() { return view_; }
    const PlotView& View() const { return view_; }
    const NumberFormat& Format() const { return numberFormat_; }
    PrintSetup& Print() { return printSetup_; }
    bool Printing() const { return printing_; }
    // Whether pictures copied to the clipboard carry the background (command 221).
    bool CopyWithBackground() const { return copyWithBackground_; }
    void SetCopyWithBackground(bool on) { copyWithBackground_ = on; }

    int BackgroundColour() const { return background_; }
    // The colour field of a kind, or null when this window has no such colour.
    virtual int* ColourSlot(int kind);
    // Opens (or re-targets) the palette for a colour kind.
    void ChooseColour(int kind);
    TColWin* Palette() const { return palette_; }

    // Draws the complete picture at the view's current W, H, x0, y0. Layers above draw
    // the frame and their objects after calling the base.
    virtual void PaintPicture(DrawSurface& surface, fw::DC& dc, bool withBackground);
    // Fills the W x H output rectangle and notes the measured background.
    void FillBackground(fw::DC& dc);
    FrameOutput CurrentOutput() const;
    // Paints the picture into dc as an output of W x H pixels at (x0, y0).
    void RenderTo(fw::DC& dc, int w, int h, int x0, int y0, bool printing, bool withBackground);

    // The evaluator of numbers typed into dialogs; layers with an engine pass formulas.
    virtual FieldEvaluator Evaluator() const;

    // Help and notepad windows (created hidden when the window is set up).
    TTextWin* HelpWindow(int which) const { return help_[which ? 1 : 0]; }
    TNoteWin* Notepad() const { return notepad_; }
    void ShowHelp(int which, const std::string& text);
    void ShowNotepad();

    // Output commands, callable without a menu (tests, higher layers).
    bool PrintToPdf(const std::string& path, int dpi);
    // Draws the picture on a printer page at the place and size of the print setup.
    void DrawOnPrinterPage(fw::DC& dc);
    // Through the print dialog, or into a PDF file when a path is given.
    bool PrintPrintout(fw::TPrintout& printout, const std::string& pdfPath = {}, int dpi = 300);
    void CopyPicture();
    void CopyBitmap();
    const fw::Bitmap& ClipboardBitmap() const { return clipboardBitmap_; }

    // Resets the view with the tick settings, discards the current picture, marks modified.
    virtual void ResetView();

    bool EvCommand(int id) override;
    bool EvCommandEnable(int id, fw::TCommandEnabler& ce) override;

    // ViewListener
    void ViewApplied() override;
    void ViewRepaint() override;
    void ViewModified() override { SetModified(true); }

protected:
    void SetupWindow() override;
    void DocumentRenamed() override;
    void EvSize(int clientWidth, int clientHeight) override;
    void PaintLayer(int layer, fw::DC& dc) override;
    // Drag a rectangle to zoom into it (drawn while dragging); the wheel zooms about the
    // pointer. Higher layers with mouse tools of their own override these.
    void Paint(fw::DC& dc, bool erase, const fw::Rect& rect) override;
    void EvLButtonDown(unsigned modifiers, fw::Point p) override;
    void EvMouseMove(unsigned modifiers, fw::Point p) override;
    void EvLButtonUp(unsigned modifiers, fw::Point p) override;
    void EvMouseWheel(unsigned modifiers, int delta, fw::Point p) override;
    // A click on the picture that did not drag a rectangle.
    virtual void EvPictureClick(fw::Point) {}
    // A colour kind changed through the palette.
    virtual void ColourChanged(int kind);
    void FontChanged(int kind) override;
    // Redraws the whole picture (every layer is stale).
    void RepaintAll();

private:
    std::string PaletteCaption() const;
    friend class TViewAllDlg;
    void AskNumber(int id);
    void EditPrintSetup();
    void AskPictureSize();
    void PrintWithDialog();
    void ShowViewDialog();

    PlotView view_;
    WheelZoom wheel_;
    NumberFormat numberFormat_;
    PrintSetup printSetup_;
    int background_ = kColourWhite;
    int drawColour_ = 6;
    Rgb measuredBackground_{255, 255, 255};
    bool printing_ = false;
    bool copyWithBackground_ = true;
    fw::Bitmap clipboardBitmap_;
    bool bitmapNoticeShown_ = false;  // the clipboard notice is told once per window
    std::unique_ptr<fw::TPrinter> printer_;
    std::array<TTextWin*, 2> help_{};
    TNoteWin* notepad_ = nullptr;
    TColWin* palette_ = nullptr;
    TViewAllDlg* viewDialog_ = nullptr;
    bool dragging_ = false;
    fw::Point dragStart_, dragEnd_;
};

}  // namespace curvelo
