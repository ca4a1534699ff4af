#include "plot2d/plot11_win.h"

#include <algorithm>
#include <chrono>
#include <thread>

#include "plot2d/antiderivative.h"
#include "plot2d/curve_sampler.h"
#include "plot2d/example_kinds.h"
#include "plot2d/example_limits.h"
#include "plot2d/geometry_measures.h"
#include "plot2d/ivp_form.h"
#include "plot2d/measure_dlg.h"
#include "plot2d/measure_integrand.h"
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

int TPlot11Win::AddAntiderivative(int f) {
    if (!CanMeasure(Inventory(), f, Measure::Integral) || !Authorised(Lock().protectInventory) || !HasRoomOrSays())
        return -1;
    ExampleInventory& inventory = Inventory();
    const TExample function = inventory.Slot(f).example;
    const std::string functionName = inventory.Slot(f).name;
    const int index = inventory.Begin(kKindIndefiniteIntegral, View().xmin, View().xmax);
    if (index < 0) return -1;
    TExample& e = inventory.At(index);
    e.texts[1] = function.texts[1];
    e.low = View().xmin;
    e.high = View().xmax;
    // Named after its function, as "int x^2", cut to the name's 20 bytes on a character edge.
    std::string name = "int " + (functionName.empty() ? function.texts[1] : functionName);
    std::size_t cut = std::min(name.size(), kExampleNameLength);
    while (cut < name.size() && cut > 0 && (static_cast<unsigned char>(name[cut]) & 0xC0) == 0x80) --cut;
    inventory.Slot(index).name = name.substr(0, cut);
    inventory.Commit(index, Engine());
    inventory.Select(index);
    ExamplesChanged();
    return index;
}

int TPlot11Win::BeginExample(std::uint16_t kind, bool polarInput) {
    long double start = 0, end = 0;
    DefaultRangeOf(kind, View().xmin, View().xmax, start, end);
    const int index = Inventory().Begin(kind, start, end);
    if (index >= 0 && polarInput) Inventory().At(index).longSearch = 1;
    return index;
}

void TPlot11Win::AcceptExample(int index, bool isNew) {
    if (isNew) Inventory().Commit(index, Engine());
    else Inventory().Compile(index, Engine());
}

bool TPlot11Win::RunExampleFlow(int index, bool isNew) {
    ExampleInventory& inventory = Inventory();
    if (!RunExampleDialog(index)) {
        if (isNew) inventory.Abandon(index);
        return false;
    }
    AcceptExample(index, isNew);
    if (isNew) inventory.Select(index);
    ExamplesChanged();
    if (isNew && inventory.Count() == 1) ShowInventory();
    return true;
}

int TPlot11Win::AddExample(std::uint16_t kind, bool polarInput) {
    if (!Authorised(Lock().protectInventory) || !HasRoomOrSays()) return -1;
    const int index = BeginExample(kind, polarInput);
    if (index < 0) return -1;
    return RunExampleFlow(index, true) ? index : -1;
}

bool TPlot11Win::EditExample(int index) {
    if (!Authorised(Lock().protectInventory)) return false;
    if (!IsSlot(index) || !HasExampleDialog(Inventory().At(index))) return false;
    return RunExampleFlow(index, false);
}

void TPlot11Win::DrawAntiderivatives(DrawSurface& surface) {
    ExampleInventory& inventory = Inventory();
    const bool colourOutput = CurrentOutput().colourOutput;
    const int samples = std::max(View().ClientWidth(), 100);
    for (int i = 0; i < inventory.Count(); ++i) {
        InventorySlot& slot = inventory.Slot(i);
        const TExample& e = slot.example;
        if (e.kind != kKindIndefiniteIntegral || !e.visible || !slot.trees[1]) continue;
        TreeIntegrand f(Engine().letters, slot.trees[1], kLetterX);
        const std::vector<WorldPoint> points =
            AntiderivativePoints(f.AsIntegrand(), View().xmin, View().xmax, samples);
        DrawAntiderivative(surface, points, ColourForOutput(e.penColour, colourOutput), e.penWidth);
    }
}

int TPlot11Win::ShowAndWait(int delayMs) {
    ShowDrawingSoFar();
    constexpr int kSliceMs = 20;
    const int ms = std::clamp(delayMs, 0, std::max(kMaxFamilyDelayMs, kMaxObserveDelayMs));
    // A short pause still sleeps once, so observing stays visible.
    const int slices = ms > 0 ? std::max(1, ms / kSliceMs) : 0;
    const int slice = slices > 0 ? std::min(kSliceMs, ms) : 0;
    int key = Interrupt().Poll();
    for (int i = 0; i < slices && key != kKeyStopDrawing; ++i) {
        std::this_thread::sleep_for(std::chrono::milliseconds(slice));
        key = Interrupt().Poll();
    }
    return key;
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
    DrawAntiderivatives(surface);
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
    case measurecmd::kArcLength:
    case measurecmd::kArea: ShowMeasureDialog(id); return true;
    default:
        if (IsGeometryCommand(id)) {
            ShowMeasureDialog(id);
            return true;
        }
        return TPlot1Win::EvCommand(id);
    }
}

}  // namespace curvelo
