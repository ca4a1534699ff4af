#include "plot3d/level_dlg.h"

#include <cmath>
#include <new>

#include "expr/eval.h"
#include "framework/kit_services.h"
#include "plot2d/ode_exmp_dlg.h"
#include "plot3d/level_win.h"
#include "plot3d/plot3_win.h"
#include "plotwin/colour_table.h"

namespace curvelo {
namespace {

// Message 401 "nem értem".
constexpr int kMsgBadFields = 1;

const char* AxisLetter(int axis) { return axis == kLevelAxisX ? "x" : axis == kLevelAxisY ? "y" : "z"; }

}  // namespace

TLevelDlg::TLevelDlg(TPlot3Win* window, int index)
    : TDlg(window, "LEVELS"), window_(window), index_(index) {
    const InventorySlot& slot = window_->Inventory().Slot(index_);
    before_ = slot.example;
    listBefore_ = slot.initialConditions;
    colour_ = slot.example.penColour;
    const std::vector<LayerCurve> layers = DistinctLayers(slot);
    if (!layers.empty()) colour_ = layers.back().colour;
}

InventorySlot& TLevelDlg::Slot() { return window_->Inventory().Slot(index_); }

void TLevelDlg::SetupWindow() {
    TDlg::SetupWindow();
    const std::uint16_t kind = Slot().example.kind;
    EnableItem(levelid::kAxisX, TakesLayerAxis(kind, kLevelAxisX));
    EnableItem(levelid::kAxisY, TakesLayerAxis(kind, kLevelAxisY));
    FillColourCombo(*this, levelid::kColour, colour_);
    ChooseAxis(kLevelAxisZ);
}

void TLevelDlg::ChooseAxis(int axis) {
    if (!TakesLayerAxis(Slot().example.kind, axis)) return;
    axis_ = axis;
    CheckItem(levelid::kAxisX, axis == kLevelAxisX);
    CheckItem(levelid::kAxisY, axis == kLevelAxisY);
    CheckItem(levelid::kAxisZ, axis == kLevelAxisZ);
    LevelFields f = StoredLevelFields(Slot().example, axis_, 0);
    current_ = f.current = f.lower;
    ShowFields(f);
    FillList();
    if (TLevelWin* level = window_->ExistingLevelWindow()) level->ShowPlane(axis_);
}

void TLevelDlg::ShowFields(const LevelFields& f) {
    const NumberFormat& format = window_->Format();
    SetItemText(levelid::kCount, std::to_string(f.count));
    SetItemText(levelid::kLower, format.FormatForField(f.lower));
    SetItemText(levelid::kCurrent, format.FormatForField(f.current));
    SetItemText(levelid::kUpper, format.FormatForField(f.upper));
}

void TLevelDlg::FillList() {
    const NumberFormat& format = window_->Format();
    ClearList(levelid::kList);
    for (const Cv2InitialCondition& node : Slot().initialConditions) {
        const LayerCurve c = LoadLayerCurve(node);
        AddString(levelid::kList, std::string(AxisLetter(c.axis)) + " = " + format.FormatForField(c.value) + "  (" +
                                      format.FormatForField(c.start.x) + "; " + format.FormatForField(c.start.y) +
                                      ")");
    }
}

bool TLevelDlg::ReadFields(LevelFields& f, bool needInside) {
    FormulaEngine& engine = window_->Engine();
    std::int32_t count = 0;
    const bool read = EvaluateText(engine, GetItemText(levelid::kLower), f.lower) == 0 &&
                      EvaluateText(engine, GetItemText(levelid::kUpper), f.upper) == 0 &&
                      EvaluateText(engine, GetItemText(levelid::kCurrent), f.current) == 0 &&
                      EvaluateInteger(engine, GetItemText(levelid::kCount), 0, kMaxLayerCount + 1, count) == 0;
    f.count = count;
    if (!read || !ValidLevelFields(f) || (needInside && !CurrentInside(f))) {
        ShowMessage(this, kMsgBadFields);
        return false;
    }
    StoreLevelFields(Slot().example, axis_, f);
    current_ = f.current;
    return true;
}

bool TLevelDlg::SearchLayer(long double value, const LayerFlags& flags) {
    TLevelWin* level = window_->LevelWindow();
    if (!level) return false;
    TExample& e = Slot().example;
    e.longSearch = flags.longSearch ? 1 : 0;
    e.flag56 = flags.observe ? 1 : 0;
    e.periodic = flags.search ? 1 : 0;
    level->Space().SetCell(window_->Space().cellMin, window_->Space().cellMax);
    level->ShowPlane(axis_);
    level->ShowBoxOf(index_);
    level->Show();
    LayerSearchResult found;
    if (flags.search) {
        LayerSearchOptions options;
        options.longSearch = flags.longSearch;
        options.colour = colour_;
        options.pollKey = [level] { return level->PollStop(); };
        found = SearchLayerCurves(Slot(), window_->Engine().letters, axis_, value, options);
    }
    level->ShowLayers(index_, flags.currentOnly ? LayerFilter{false, axis_, value} : LayerFilter{});
    return found.added > 0;
}

void TLevelDlg::Step(bool next) {
    LevelFields f;
    if (!ReadFields(f, false)) return;
    f.current = next ? NextLayer(f) : PreviousLayer(f);
    current_ = f.current;
    ShowFields(f);
    if (TLevelWin* level = window_->ExistingLevelWindow()) level->ShowLayers(index_, {false, axis_, current_});
}

void TLevelDlg::Auto() {
    LevelFields f;
    if (!ReadFields(f, true)) return;
    bool any = false;
    TLevelWin* level = window_->LevelWindow();
    if (!level) return;
    for (long k = 0; k < f.count; ++k) {
        f.current = current_ = LayerValue(f, k);
        ShowFields(f);
        any = SearchLayer(current_, {false, false, true, true}) || any;
        if (level->PollStop() == 'Q') break;
    }
    if (any) FillList();
}

void TLevelDlg::DeleteSelected() {
    const int selected = GetSelIndex(levelid::kList);
    auto& list = Slot().initialConditions;
    if (selected < 0 || selected >= static_cast<int>(list.size())) return;
    list.erase(list.begin() + selected);
    FillList();
    SetSelIndex(levelid::kList, std::min(selected, GetCount(levelid::kList) - 1));
    if (TLevelWin* level = window_->ExistingLevelWindow()) level->Refresh();
}

bool TLevelDlg::EvCommand(int id) {
    LevelFields f;
    switch (id) {
    case levelid::kAxisX: ChooseAxis(kLevelAxisX); return true;
    case levelid::kAxisY: ChooseAxis(kLevelAxisY); return true;
    case levelid::kAxisZ: ChooseAxis(kLevelAxisZ); return true;
    case levelid::kNext: Step(true); return true;
    case levelid::kPrevious: Step(false); return true;
    case levelid::kSearch:
        if (ReadFields(f, true) && SearchLayer(current_, {true, true, true, true})) FillList();
        return true;
    case levelid::kAuto: Auto(); return true;
    case levelid::kShowCurrent:
        if (ReadFields(f, true)) SearchLayer(current_, {false, false, false, true});
        return true;
    case levelid::kShowAll:
        if (ReadFields(f, true)) SearchLayer(current_, {false, false, false, false});
        return true;
    case levelid::kDeleteOne: DeleteSelected(); return true;
    case levelid::kDeleteAll:
        Slot().initialConditions.clear();
        FillList();
        if (TLevelWin* level = window_->ExistingLevelWindow()) level->Refresh();
        return true;
    case 1:
        if (ReadFields(f, false)) EndDialog(1);
        return true;
    default: return TDlg::EvCommand(id);
    }
}

void TLevelDlg::Revert() {
    InventorySlot& slot = Slot();
    slot.example = before_;
    slot.initialConditions = listBefore_;
    if (TLevelWin* level = window_->ExistingLevelWindow()) level->Refresh();
}

void TLevelDlg::EvNotify(int id, fw::Notify code) {
    if (id != levelid::kColour || code != fw::Notify::SelChange) return TDlg::EvNotify(id, code);
    const int c = GetSelIndex(levelid::kColour);
    if (c < 0 || c >= kColourCount) return;
    colour_ = static_cast<std::uint16_t>(c);
    // The selected curve's layer takes the colour too.
    const int selected = GetSelIndex(levelid::kList);
    auto& list = Slot().initialConditions;
    if (selected < 0 || selected >= static_cast<int>(list.size())) return;
    const LayerCurve chosen = LoadLayerCurve(list[static_cast<std::size_t>(selected)]);
    for (Cv2InitialCondition& node : list) {
        LayerCurve c2 = LoadLayerCurve(node);
        if (c2.axis != chosen.axis || !SameLayer(c2.value, chosen.value)) continue;
        c2.colour = colour_;
        node = StoreLayerCurve(c2);
    }
    if (TLevelWin* level = window_->ExistingLevelWindow()) level->Refresh();
}

}  // namespace curvelo
