#include "plot3d/surface_pair_dlgs.h"

#include <algorithm>
#include <string>

#include "framework/kit_services.h"
#include "plot2d/example_chooser.h"
#include "plot2d/implicit_drawer.h"
#include "plot2d/ode_exmp_dlg.h"
#include "plot3d/level_win.h"
#include "plot3d/plot3_win.h"
#include "plot3d/surface_kinds.h"
#include "plot3d/surface_pair.h"
#include "plotwin/colour_table.h"

namespace curvelo {
namespace {

constexpr int kMsgInconsistent = 6;  // "következetlen adatok"
constexpr int kMsgNotFound = 2;      // "nem találom"

bool IsPairSurface(std::uint16_t kind) { return kind == kKindSurfaceExplicit || kind == kKindSurfaceImplicit; }

}  // namespace

TSurfSelDlg::TSurfSelDlg(TPlot3Win* window) : TDlg(window, "EQUA317"), window_(window) {}

void TSurfSelDlg::SetupWindow() {
    TDlg::SetupWindow();
    const ExampleInventory& inventory = window_->Inventory();
    const std::string format = window_->Format().Pattern();
    firstSlots_ = FillExampleChooser(*this, pairid::kFirst, inventory, format, IsPairSurface, -1, inventory.Selected());
    secondSlots_ = FillExampleChooser(*this, pairid::kSecond, inventory, format, IsPairSurface, -1, -1,
                                      ChosenExample(*this, pairid::kFirst, firstSlots_));
}

bool TSurfSelDlg::CanClose() {
    const ExampleInventory& inventory = window_->Inventory();
    first_ = ChosenExample(*this, pairid::kFirst, firstSlots_);
    second_ = ChosenExample(*this, pairid::kSecond, secondSlots_);
    code_ = first_ >= 0 && second_ >= 0 && first_ != second_
                ? SurfacePairCodeOf(inventory.Slot(first_).example.kind, inventory.Slot(second_).example.kind)
                : 0;
    if (code_ == 0) ShowMessage(this, kMsgInconsistent);
    return code_ != 0;
}

TIntCDlg::TIntCDlg(TPlot3Win* window, int index)
    : TDlg(window, "INTERC"), window_(window), index_(index), before_(window->Inventory().At(index)),
      listBefore_(window->Inventory().Slot(index).initialConditions) {}

InventorySlot& TIntCDlg::Slot() { return window_->Inventory().Slot(index_); }

void TIntCDlg::SetupWindow() {
    TDlg::SetupWindow();
    const ExampleInventory& inventory = window_->Inventory();
    const TExample& e = Slot().example;
    std::string text;
    for (int i : {PairFirst(e), PairSecond(e)})
        if (i <= inventory.LastIndex()) text += (text.empty() ? "" : "\n") + DescribeExample(inventory.Slot(i).example);
    SetItemText(pairid::kText, text);
    FillColourCombo(*this, pairid::kColour, e.penColour);
    FillList();
    Show();
}

void TIntCDlg::FillList() {
    const NumberFormat& format = window_->Format();
    ClearList(pairid::kList);
    for (const Cv2InitialCondition& node : Slot().initialConditions) {
        const WorldPoint p = LoadImplicitStart(node).p;
        AddString(pairid::kList, "(" + format.FormatForField(p.x) + "; " + format.FormatForField(p.y) + ")");
    }
}

void TIntCDlg::Show() {
    TLevelWin* trace = window_->TraceWindow();
    if (!trace) return;
    trace->ShowPlane(2);
    // The search looks over the explicit surface's box; the window shows the same.
    const TExample& e = Slot().example;
    trace->ShowBoxOf(e.subTag == kPairImplicitExplicit ? PairSecond(e) : PairFirst(e));
    TPlot3Win* window = window_;
    const int index = index_;
    trace->SetPlaneDrawer([window, index, trace](DrawSurface& surface) {
        return DrawSurfacePair(window->Inventory(), index, window->Engine().letters, surface, nullptr,
                               [trace] { return trace->PollStop(); });
    });
    trace->SetModified(false);
    trace->Show();
}

void TIntCDlg::Search() {
    TLevelWin* trace = window_->TraceWindow();
    const PairSearchResult found = SearchSurfacePair(window_->Inventory(), index_, window_->Engine().letters,
                                                     [trace] { return trace ? trace->PollStop() : 0; });
    if (!found.resolved || (found.added == 0 && !found.stopped && Slot().initialConditions.empty()))
        ShowMessage(this, kMsgNotFound);
    FillList();
    Show();
}

void TIntCDlg::Revert() {
    InventorySlot& slot = Slot();
    slot.example = before_;
    slot.initialConditions = listBefore_;
    if (TLevelWin* trace = window_->TraceWindow()) trace->SetPlaneDrawer({});
}

bool TIntCDlg::EvCommand(int id) {
    switch (id) {
    case pairid::kShow: Show(); return true;
    case pairid::kSearch: Search(); return true;
    case pairid::kDeleteOne: {
        const int selected = GetSelIndex(pairid::kList);
        auto& list = Slot().initialConditions;
        if (selected < 0 || selected >= static_cast<int>(list.size())) return true;
        list.erase(list.begin() + selected);
        FillList();
        SetSelIndex(pairid::kList, std::min(selected, GetCount(pairid::kList) - 1));
        Show();
        return true;
    }
    case pairid::kDeleteAll:
        Slot().initialConditions.clear();
        FillList();
        Show();
        return true;
    default: return TDlg::EvCommand(id);
    }
}

void TIntCDlg::EvNotify(int id, fw::Notify code) {
    if (id != pairid::kColour || code != fw::Notify::SelChange) return TDlg::EvNotify(id, code);
    const int c = GetSelIndex(pairid::kColour);
    if (c < 0 || c >= kColourCount) return;
    Slot().example.penColour = static_cast<std::uint16_t>(c);
    Show();
}

}  // namespace curvelo
