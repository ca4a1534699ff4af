#include "special/dom2_win.h"

#include "framework/safe_file.h"
#include "plot2d/example_kinds.h"
#include "special/map_dlg.h"
#include "special/map_document.h"
#include "special/ran2_win.h"

namespace curvelo {

TDom2Win::TDom2Win(fw::TWindow* parent, const std::string& caption, bool complexPlane)
    : TPlotEWin(parent, caption), complexPlane_(complexPlane), map_(complexPlane) {
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
    TPlotEWin::Destroy(retVal);
}

void TDom2Win::MappingChanged() {
    SetModified(true);
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

void TDom2Win::ViewApplied() {
    TPlotEWin::ViewApplied();
    if (range_ && range_->IsCreated()) range_->RepaintAll();
}

void TDom2Win::RefreshInventoryView() {
    TPlotEWin::RefreshInventoryView();
    if (range_ && range_->IsCreated()) range_->RepaintAll();
}

void TDom2Win::PaintContent(DrawSurface& surface) {
    const bool colour = CurrentOutput().colourOutput;
    for (bool vertical : {true, false}) {
        std::vector<std::vector<WorldPoint>> lines;
        for (const auto& [a, b] : grid_.Lines(vertical)) lines.push_back({a, b});
        DrawMapLines(surface, lines, vertical ? kVerticalLineColour : kHorizontalLineColour, colour);
    }
    TPlotEWin::PaintContent(surface);
}

bool TDom2Win::EvCommand(int id) {
    switch (id) {
    case mapcmd::kFunction: EditMap(); return true;
    case mapcmd::kGrid: EditGrid(); return true;
    default: return TPlotEWin::EvCommand(id);
    }
}

namespace {

MapView ViewOf(const PlotView& v) { return {v.cx, v.cy, v.hw, v.hh}; }

}  // namespace

std::string TDom2Win::DocumentFilter() const {
    return complexPlane_ ? "Komplex leképezés (*.MAZ)|*.maz" : "Síkleképezés (*.MA2)|*.ma2";
}

int TDom2Win::ReadDocument(const std::string& path) {
    constexpr int kCannotOpen = 11;
    std::vector<std::uint8_t> bytes;
    MapDocument doc;
    if (ReadFileBounded(path, bytes, kMaxMapFileBytes) != ReadFileStatus::Ok ||
        !ReadMapDocument(bytes, complexPlane_, doc))
        return kCannotOpen;
    // The curves must compile, and the map's formulas are checked last: nothing changes
    // when either does not.
    for (const MapCurve& c : doc.curves)
        for (std::size_t t = 0; t < (c.kind == kKindExplicit ? 1u : 2u); ++t) {
            if (Engine().CompileFormula(c.texts[t]) != 0) return kCannotOpen;
            FreeTree(Engine().TakeCompiledTree());
        }
    if (map_.SetFormulas(doc.formulas) != 0) return kCannotOpen;
    ExampleInventory& inventory = Inventory();
    inventory.Clear();
    for (const MapCurve& c : doc.curves) {
        const int slot = inventory.Begin(c.kind, c.low, c.high);
        if (slot < 0) break;
        TExample& e = inventory.At(slot);
        // Explicit curves keep y = f(x) in text 1; parametric ones x(t), y(t) in texts 0, 1.
        if (c.kind == kKindExplicit) e.texts[1] = c.texts[0];
        else e.texts = {c.texts[0], c.texts[1]};
        e.low = c.low;
        e.high = c.high;
        inventory.Commit(slot, Engine());
        inventory.At(slot).penColour = c.colour;
    }
    grid_ = doc.grid;
    View().SetViewFree(doc.domain.cx, doc.domain.cy, doc.domain.hw, doc.domain.hh, true);
    if (range_) range_->View().SetViewFree(doc.range.cx, doc.range.cy, doc.range.hw, doc.range.hh, true);
    MappingChanged();
    return 0;
}

int TDom2Win::WriteDocument(const std::string& path) {
    constexpr int kCannotSave = 12;
    MapDocument doc;
    doc.complexPlane = complexPlane_;
    doc.domain = ViewOf(View());
    doc.range = range_ ? ViewOf(range_->View()) : doc.domain;
    doc.grid = grid_;
    doc.formulas = map_.Formulas();
    for (int i = 0; i < Inventory().Count(); ++i) {
        const TExample& e = Inventory().At(i);
        if (e.kind != kKindExplicit && e.kind != kKindParametric) continue;
        MapCurve c;
        c.kind = e.kind;
        c.low = e.low;
        c.high = e.high;
        c.colour = e.penColour;
        c.texts = e.kind == kKindExplicit ? std::array<std::string, 2>{e.texts[1], ""}
                                          : std::array<std::string, 2>{e.texts[0], e.texts[1]};
        doc.curves.push_back(std::move(c));
    }
    return WriteFileSafely(path, WriteMapDocument(doc)) ? 0 : kCannotSave;
}

}  // namespace curvelo
