#include "special/dom2_win.h"

#include "special/map_dlg.h"
#include "special/ran2_win.h"

namespace curvelo {

TDom2Win::TDom2Win(fw::TWindow* parent, const std::string& caption, bool complexPlane)
    : TGridWin(parent, caption), complexPlane_(complexPlane), map_(complexPlane) {
    SetMenu("MAPMENU");
    LoadAccelerators("MAPMENU");
    ShowDefaultFrame();
    Frame().axisTitles = complexPlane ? std::array<std::string, 3>{"Re z", "Im z", ""}
                                      : std::array<std::string, 3>{"x", "y", ""};
}

TDom2Win::~TDom2Win() { LinkRange(nullptr); }

void TDom2Win::LinkRange(TRan2Win* range) {
    if (range_ == range) return;
    if (range_) range_->domain_ = nullptr;
    range_ = range;
    if (range_) {
        if (range_->domain_ && range_->domain_ != this) range_->domain_->range_ = nullptr;
        range_->domain_ = this;
    }
}

void TDom2Win::Destroy(int retVal) {
    TRan2Win* range = range_;
    LinkRange(nullptr);
    if (range && range->IsCreated()) range->Destroy(retVal);
    TGridWin::Destroy(retVal);
}

void TDom2Win::MappingChanged() {
    RepaintAll();
    if (range_) range_->RepaintAll();
}

bool TDom2Win::EditMap() {
    TMapFnDlg dialog(this, map_);
    if (dialog.Execute() != 1) return false;
    MappingChanged();
    return true;
}

bool TDom2Win::EditGrid() {
    TMapGridDlg dialog(this, grid_);
    if (dialog.Execute() != 1) return false;
    MappingChanged();
    return true;
}

void TDom2Win::PaintPicture(DrawSurface& surface, fw::DC& dc, bool withBackground) {
    TGridWin::PaintPicture(surface, dc, withBackground);
    const bool colour = CurrentOutput().colourOutput;
    for (bool vertical : {true, false}) {
        std::vector<std::vector<WorldPoint>> lines;
        for (const auto& [a, b] : grid_.Lines(vertical)) lines.push_back({a, b});
        DrawMapLines(surface, lines, vertical ? kVerticalLineColour : kHorizontalLineColour, colour);
    }
}

bool TDom2Win::EvCommand(int id) {
    switch (id) {
    case mapcmd::kFunction: EditMap(); return true;
    case mapcmd::kGrid: EditGrid(); return true;
    default: return TGridWin::EvCommand(id);
    }
}

}  // namespace curvelo
