#include "plotwin/grid_win.h"

#include "framework/kit_dlg.h"
#include "framework/kit_inp_dlg.h"
#include "framework/kit_services.h"
#include "plotwin/dialog_ids.h"
#include "plotwin/frame_commands.h"
#include "resources/resources.h"

namespace curvelo {
namespace {

std::string Str(int id) { return std::string(res::String(id)); }

// Control ids of "SETGRID".
constexpr int kGdAxes = dlg::kGridAxes, kGdTicks = dlg::kGridTicks, kGdArrows = dlg::kGridArrows,
              kGdPoints = dlg::kGridPoints, kGdTitles = dlg::kGridTitles;
constexpr int kGdModeBoth = dlg::kGridModeBoth, kGdModeX = dlg::kGridModeX, kGdModeY = dlg::kGridModeY,
              kGdModePolar = dlg::kGridModePolar;
constexpr int kGdTickLength = dlg::kGridTickLength;
// + 0 spacing, 1 numbers, 2 decimals, 3 frequency, 4 pi
constexpr int kGdRowX = dlg::kGridSpacingX, kGdRowY = dlg::kGridSpacingX + dlg::kGridRowYOffset;
constexpr int kGdAtAxes = dlg::kGridNumbersOnAxes, kGdAtEdge = dlg::kGridNumbersAtEdge;
constexpr int kGdDotted = dlg::kGridDotted, kGdPolar = dlg::kGridPolar, kGdSectors = dlg::kGridSectors,
              kGdSquare = dlg::kGridSquare;
constexpr int kGdQuadrant1 = dlg::kGridQuadrant1;
constexpr int kGdApply = dlg::kGridApply, kGdClose = dlg::kGridClose;

constexpr int kModeIds[4] = {kGdModeX, kGdModeY, kGdModeBoth, kGdModePolar};  // modes 1..4

// "AXVBLS": three titles; only "ok" stores them.
class TAxisTitlesDlg : public TDlg {
public:
    TAxisTitlesDlg(fw::TWindow* parent, std::array<std::string, 3>* titles)
        : TDlg(parent, "AXVBLS"), titles_(titles) {}

protected:
    void SetupWindow() override {
        TDlg::SetupWindow();
        for (int i = 0; i < 3; ++i) {
            SetItemLimit(dlg::kTitleFirst + i, static_cast<int>(kAxisTitleMax));
            SetItemText(dlg::kTitleFirst + i, (*titles_)[i]);
        }
    }
    void TransferOut() override {
        for (int i = 0; i < 3; ++i) (*titles_)[i] = GetItemText(dlg::kTitleFirst + i);
    }

private:
    std::array<std::string, 3>* titles_;
};

}  // namespace

// The modeless grid dialog: created once per window, hidden by "bezár".
class TGridDlg : public TDlg {
public:
    explicit TGridDlg(TGridWin* win) : TDlg(win, "SETGRID"), win_(win) {}
    ~TGridDlg() override {
        if (win_ && win_->gridDialog_ == this) win_->gridDialog_ = nullptr;
    }
    void Detach() { win_ = nullptr; }

    void Fill() {
        const GridDialogFields f =
            GridDialogFieldsFor(win_->Frame(), win_->Screen().width, win_->Format());
        CheckItem(kGdAxes, f.axesShown);
        for (int m = 1; m <= 4; ++m) CheckItem(kModeIds[m - 1], f.axesMode == m);
        CheckItem(kGdTicks, f.ticks);
        CheckItem(kGdArrows, f.arrows);
        CheckItem(kGdPoints, f.gridPoints);
        CheckItem(kGdTitles, f.axisTitles);
        SetItemText(kGdTickLength, f.tickLengthPercent);
        for (int a = 0; a < 2; ++a) {
            const int row = a ? kGdRowY : kGdRowX;
            SetItemText(row, f.spacing[a]);
            CheckItem(row + 1, f.numbers[a]);
            SetItemText(row + 2, f.decimals[a]);
            SetItemText(row + 3, f.frequency[a]);
            CheckItem(row + 4, f.piMode[a]);
        }
        CheckItem(kGdAtAxes, !f.numbersAtEdge);
        CheckItem(kGdAtEdge, f.numbersAtEdge);
        CheckItem(kGdDotted, f.dotted);
        CheckItem(kGdPolar, f.polar);
        SetItemText(kGdSectors, f.sectors);
        CheckItem(kGdSquare, f.square);
        for (int q = 0; q < 4; ++q) CheckItem(kGdQuadrant1 + q, f.quadrants[q]);
    }

    GridDialogFields Read() const {
        GridDialogFields f;
        f.axesShown = IsItemChecked(kGdAxes);
        f.axesMode = kAxesBoth;
        for (int m = 1; m <= 4; ++m)
            if (IsItemChecked(kModeIds[m - 1])) f.axesMode = m;
        f.ticks = IsItemChecked(kGdTicks);
        f.arrows = IsItemChecked(kGdArrows);
        f.gridPoints = IsItemChecked(kGdPoints);
        f.axisTitles = IsItemChecked(kGdTitles);
        f.tickLengthPercent = GetItemText(kGdTickLength);
        for (int a = 0; a < 2; ++a) {
            const int row = a ? kGdRowY : kGdRowX;
            f.spacing[a] = GetItemText(row);
            f.numbers[a] = IsItemChecked(row + 1);
            f.decimals[a] = GetItemText(row + 2);
            f.frequency[a] = GetItemText(row + 3);
            f.piMode[a] = IsItemChecked(row + 4);
        }
        f.numbersAtEdge = IsItemChecked(kGdAtEdge);
        f.dotted = IsItemChecked(kGdDotted);
        f.polar = IsItemChecked(kGdPolar);
        f.sectors = GetItemText(kGdSectors);
        f.square = IsItemChecked(kGdSquare);
        for (int q = 0; q < 4; ++q) f.quadrants[q] = IsItemChecked(kGdQuadrant1 + q);
        return f;
    }

    bool EvCommand(int id) override {
        if (id == kGdApply && win_) {
            if (int err = ApplyGridDialog(Read(), win_->Evaluator(), win_->Screen().width, win_->Frame())) {
                ShowMessage(this, err);
                return true;
            }
            win_->SetModified(true);
            win_->RepaintAll();
            return true;
        }
        if (id == kGdClose || id == fw::kIdCancel) {
            Show(false);
            return true;
        }
        return TDlg::EvCommand(id);
    }
    void CloseWindow(int) override { Show(false); }

protected:
    void SetupWindow() override {
        TDlg::SetupWindow();
        Fill();
    }

private:
    TGridWin* win_;
};

TGridWin::TGridWin(fw::TWindow* parent, const std::string& caption) : TLumWing(parent, caption) {}

TGridWin::~TGridWin() {
    if (gridDialog_) gridDialog_->Detach();
}

TDlg* TGridWin::GridDialog() const { return gridDialog_; }

int* TGridWin::ColourSlot(int kind) {
    if (kind == kColourKindAxes) return &Frame().axisColour;
    if (kind == kColourKindGrid) return &Frame().gridColour;
    return TLumWing::ColourSlot(kind);
}

void TGridWin::ShowDefaultFrame() {
    Frame().axesShown = 1;
    Frame().numberFlags = kNumbersX | kNumbersY;
}

void TGridWin::ShowGridDialog() {
    if (!gridDialog_) {
        gridDialog_ = new TGridDlg(this);
        if (!gridDialog_->Create()) return;
    } else {
        gridDialog_->Fill();
    }
    gridDialog_->Show();
}

void TGridWin::AskWidth(int id) {
    std::string text = WidthText(id, Frame());
    TInpDlg dlg(this, Str(5), Str(WidthPromptString(id)), &text, 20);
    if (dlg.Execute() != fw::kIdOk) return;
    FrameRepaint repaint = FrameRepaint::kNone;
    if (int err = ApplyWidthText(id, text, Frame(), &repaint)) {
        ShowMessage(this, err);
        return;
    }
    SetModified(true);
    if (repaint == FrameRepaint::kRepaint) RepaintAll();
}

void TGridWin::AskMinusChar() {
    std::string text = MinusCharText(Frame());
    TInpDlg dlg(this, Str(3), Str(4), &text, 10);
    FrameRepaint repaint = FrameRepaint::kNone;
    if (dlg.Execute() != fw::kIdOk) {
        repaint = CancelMinusChar(Frame());
    } else if (int err = ApplyMinusCharText(text, Frame(), &repaint)) {
        ShowMessage(this, err);
        return;
    }
    if (repaint == FrameRepaint::kRepaint) {
        SetModified(true);
        RepaintAll();
    }
}

void TGridWin::AskPiChar() {
    std::string text = PiCharText(Frame());
    TInpDlg dlg(this, Str(320), Str(321), &text, 10);
    if (dlg.Execute() != fw::kIdOk) return;
    if (int err = ApplyPiCharText(text, Frame())) {
        ShowMessage(this, err);
        return;
    }
    SetModified(true);
    RepaintAll();
}

void TGridWin::AskAxisTitles() {
    std::array<std::string, 3> titles = Frame().axisTitles;
    TAxisTitlesDlg dlg(this, &titles);
    if (dlg.Execute() != fw::kIdOk) return;
    ApplyAxisTitles(titles, Frame());
    SetModified(true);
    RepaintAll();
}

bool TGridWin::EvCommand(int id) {
    switch (id) {
        case kCmdAxesToggle:
        case kCmdOpaqueLabels:
        case kCmdSolidArrows:
            SetModified(true);
            if (ToggleFrameSetting(id, Frame()) == FrameRepaint::kRepaint) RepaintAll();
            return true;
        case kCmdGridDialog: ShowGridDialog(); return true;
        case kCmdAxisWidthScreen:
        case kCmdAxisWidthPrint:
        case kCmdGridWidthScreen:
        case kCmdGridWidthPrint: AskWidth(id); return true;
        case kCmdAxisTitles: AskAxisTitles(); return true;
        case kCmdMinusChar: AskMinusChar(); return true;
        case kCmdPiChar: AskPiChar(); return true;
        default: return TLumWing::EvCommand(id);
    }
}

bool TGridWin::EvCommandEnable(int id, fw::TCommandEnabler& ce) {
    switch (id) {
        case kCmdAxesToggle:
        case kCmdOpaqueLabels:
        case kCmdSolidArrows: ce.SetCheck(FrameCommandChecked(id, Frame())); return true;
        default: return TLumWing::EvCommandEnable(id, ce);
    }
}

}  // namespace curvelo
