#include "plot2d/plot11_win.h"

#include "plot2d/measure_dlg.h"
#include "plot2d/measure_tools.h"

namespace curvelo {
namespace {

// The strips' fill: their colour mixed with three parts of white, so the curve stays clear.
Rgb Tint(Rgb c) {
    auto mix = [](std::uint8_t v) { return static_cast<std::uint8_t>((v + 3 * 255) / 4); };
    return {mix(c.r), mix(c.g), mix(c.b)};
}

}  // namespace

TPlot11Win::~TPlot11Win() {
    if (measureDialog_) measureDialog_->Detach();
}

void TPlot11Win::ShowMeasureDialog(int command) {
    if (measureDialog_ && measureDialog_->Command() != command) {
        measureDialog_->Detach();
        measureDialog_->EndDialog(2);
        measureDialog_ = nullptr;
        SetStrips({});
    }
    if (!measureDialog_) {
        measureDialog_ = new TMeasureDlg(this, command);
        if (!measureDialog_->Create()) {
            measureDialog_ = nullptr;
            return;
        }
    } else {
        measureDialog_->Refresh();
    }
    measureDialog_->Show();
}

void TPlot11Win::MeasureDialogGone(TMeasureDlg* dialog) {
    if (measureDialog_ != dialog) return;
    measureDialog_ = nullptr;
    SetStrips({});
}

void TPlot11Win::SetStrips(std::vector<StripPolygon> strips) {
    if (strips.empty() && strips_.empty()) return;
    strips_ = std::move(strips);
    RepaintAll();
}

int* TPlot11Win::ColourSlot(int kind) {
    return kind == kColourKindStrips ? &stripColour_ : TPlot1Win::ColourSlot(kind);
}

void TPlot11Win::PaintPicture(DrawSurface& surface, fw::DC& dc, bool withBackground) {
    TPlot1Win::PaintPicture(surface, dc, withBackground);
    if (strips_.empty()) return;
    const Rgb colour = ColourForOutput(stripColour_, CurrentOutput().colourOutput);
    DrawStrips(surface, strips_, colour, Tint(colour));
}

void TPlot11Win::RefreshInventoryView() {
    TPlot1Win::RefreshInventoryView();
    if (measureDialog_) measureDialog_->Refresh();
}

bool TPlot11Win::EvCommand(int id) {
    switch (id) {
    case measurecmd::kIntegral:
    case measurecmd::kIntegralOfDifference:
    case measurecmd::kArcLength: ShowMeasureDialog(id); return true;
    default: return TPlot1Win::EvCommand(id);
    }
}

}  // namespace curvelo
