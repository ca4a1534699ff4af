#include "plot3d/inter_cs_dlg.h"

#include <string>

#include "expr/eval_cancel.h"
#include "expr/letter_params.h"
#include "expr/math_functions.h"
#include "framework/kit_services.h"
#include "plot2d/example_chooser.h"
#include "plot3d/plot3_win.h"
#include "plot3d/surface_kinds.h"

namespace curvelo {
namespace {

constexpr std::uint16_t kCurveKind = 304, kSegmentKind = 308;
constexpr int kMsgNoPoint = 2;  // "nem találom"
// The values a point offers for saving, in the order of the value chooser.
constexpr const char* kValueNames[] = {"x", "y", "z", "t", "szög"};

bool IsPiercedKind(std::uint16_t kind) { return kind == kKindSurfaceExplicit || kind == kKindSurfaceImplicit; }
bool IsPiercingKind(std::uint16_t kind) { return kind == kCurveKind || kind == kSegmentKind; }

}  // namespace

PiercingBox BoxOf(const TExample& surface) {
    PiercingBox box;
    for (int i = 0; i < 3; ++i) {
        box.lo[i] = surface.values161[static_cast<std::size_t>(i)];
        box.hi[i] = surface.values191[static_cast<std::size_t>(i)];
    }
    return box;
}

ExprNode* SurfaceFunctionOf(const InventorySlot& surface) {
    if (surface.example.kind == kKindSurfaceExplicit) return ExplicitSurfaceFunction(surface.trees[2]);
    if (surface.example.kind == kKindSurfaceImplicit) return ImplicitSurfaceFunction(surface.trees[kImplicitTree]);
    return nullptr;
}

TIntCSDlg::TIntCSDlg(TPlot3Win* window) : TDlg(window, "INTER"), window_(window) {}

TIntCSDlg::~TIntCSDlg() {
    if (window_) window_->PiercingDialogGone(this);
}

void TIntCSDlg::SetupWindow() {
    TDlg::SetupWindow();
    ClearList(intercsid::kLetter);
    for (int k = 1; k <= kLastParamLetter; ++k) AddString(intercsid::kLetter, std::string(1, static_cast<char>('A' + k - 1)));
    SetSelIndex(intercsid::kLetter, 0);
    ClearList(intercsid::kValue);
    for (const char* name : kValueNames) AddString(intercsid::kValue, name);
    SetSelIndex(intercsid::kValue, 0);
    Refresh();
}

void TIntCSDlg::Refresh() {
    if (!window_) return;
    const ExampleInventory& inventory = window_->Inventory();
    const std::string format = window_->Format().Pattern();
    surfaces_ = FillExampleChooser(*this, intercsid::kSurface, inventory, format, IsPiercedKind,
                                   ChosenExample(*this, intercsid::kSurface, surfaces_), inventory.Selected());
    curves_ = FillExampleChooser(*this, intercsid::kCurve, inventory, format, IsPiercingKind,
                                 ChosenExample(*this, intercsid::kCurve, curves_), inventory.Selected());
}

bool TIntCSDlg::Degrees() const { return IsItemChecked(intercsid::kDegrees); }

bool TIntCSDlg::Prepare(const Choice& choice) {
    const ExampleInventory& inventory = window_->Inventory();
    const InventorySlot& surface = inventory.Slot(choice.surface);
    const InventorySlot& curve = inventory.Slot(choice.curve);
    ExprNode* s = SurfaceFunctionOf(surface);
    const bool ok = search_.Set(s, curve.trees[0], curve.trees[1], curve.trees[2], choice.lo, choice.hi,
                                BoxOf(surface.example));
    FreeTree(s);
    return ok;
}

bool TIntCSDlg::FindNext() {
    if (!window_) return false;
    hasPoint_ = false;
    Choice choice;
    choice.surface = ChosenExample(*this, intercsid::kSurface, surfaces_);
    choice.curve = ChosenExample(*this, intercsid::kCurve, curves_);
    auto show = [this](const std::string& text) {
        SetItemText(intercsid::kText, text);
        return hasPoint_;
    };
    const ExampleInventory& inventory = window_->Inventory();
    // The inventory may have changed since the choosers were filled.
    const auto suits = [&inventory](int i, bool (*kind)(std::uint16_t)) {
        return i >= 0 && i <= inventory.LastIndex() && kind(inventory.Slot(i).example.kind);
    };
    if (!suits(choice.surface, IsPiercedKind) || !suits(choice.curve, IsPiercingKind))
        return show(MessageText(kMsgNoPoint));
    const TExample& curve = inventory.Slot(choice.curve).example;
    choice.lo = curve.low;
    choice.hi = curve.high;
    if (!prepared_ || !(choice == last_)) prepared_ = Prepare(choice);
    last_ = choice;
    FormulaEngine& engine = window_->Engine();
    // A Q from an earlier computation must not stop this one, nor linger after it.
    ClearEvalCancel(engine.letters);
    const ScanOutcome outcome =
        search_.Next(engine.letters, point_, [this] { return window_ ? window_->Interrupt().Poll() : kKeyQuit; });
    ClearEvalCancel(engine.letters);
    if (outcome != ScanOutcome::kFound)
        return show(outcome == ScanOutcome::kStopped ? std::string() : MessageText(ScanMessage(outcome)));
    hasPoint_ = true;
    const NumberFormat& f = window_->Format();
    std::string text = "x = " + f.FormatForField(point_.x) + "   y = " + f.FormatForField(point_.y) +
                       "   z = " + f.FormatForField(point_.z) + "\nt = " + f.FormatForField(point_.t);
    if (point_.angle >= 0)
        text += "   szög = " + f.FormatForField(Degrees() ? point_.angle * 180 / kPi : point_.angle);
    return show(text);
}

void TIntCSDlg::SaveValue() {
    if (!hasPoint_) {
        SetItemText(intercsid::kText, MessageText(kMsgNoPoint));
        return;
    }
    const int letter = GetSelIndex(intercsid::kLetter) + 1;  // A = 1
    const int k = GetSelIndex(intercsid::kValue);
    if (letter < 1 || letter > kLastParamLetter || k < 0 || k > 4) return;
    if (k == 4 && point_.angle < 0) return;
    const long double values[] = {point_.x, point_.y, point_.z, point_.t,
                                  Degrees() ? point_.angle * 180 / kPi : point_.angle};
    window_->SaveIntoLetter(letter, values[k]);
}

bool TIntCSDlg::EvCommand(int id) {
    if (!window_) return TDlg::EvCommand(id);
    switch (id) {
    case intercsid::kNext: FindNext(); return true;
    case intercsid::kMark:
        if (hasPoint_) window_->AddSpacePoint(point_.x, point_.y, point_.z);
        else SetItemText(intercsid::kText, MessageText(kMsgNoPoint));
        return true;
    case intercsid::kSave: SaveValue(); return true;
    default: return TDlg::EvCommand(id);
    }
}

}  // namespace curvelo
