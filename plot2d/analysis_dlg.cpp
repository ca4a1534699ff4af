#include "plot2d/analysis_dlg.h"

#include <string>

#include "expr/eval_cancel.h"
#include "expr/letter_params.h"
#include "expr/letters.h"
#include "expr/math_functions.h"
#include "framework/kit_services.h"
#include "plot2d/example_chooser.h"
#include "plot2d/plote_win.h"

namespace curvelo {
namespace {

const char* TemplateOf(int tool) {
    return tool == analysiscmd::kZeros ? "ZEROS" : tool == analysiscmd::kExtrema ? "EXTREMES" : "INTER2";
}

// The values a hit offers for saving, in the order of the value chooser.
enum class HitValue { kX, kY, kT, kR, kAngle };

std::vector<HitValue> ValuesOf(int tool, std::uint16_t kind) {
    if (tool == analysiscmd::kZeros) return {HitValue::kX};
    if (tool == analysiscmd::kIntersections) return {HitValue::kX, HitValue::kY, HitValue::kAngle};
    if (HasCurveQuantities(kind)) return {HitValue::kX, HitValue::kY, HitValue::kT, HitValue::kR};
    return {HitValue::kX, HitValue::kY};
}

const char* NameOf(HitValue v) {
    switch (v) {
    case HitValue::kX: return "x";
    case HitValue::kY: return "y";
    case HitValue::kT: return "t";
    case HitValue::kR: return "r";
    default: return "szög";
    }
}

}  // namespace

TAnalysisDlg::TAnalysisDlg(TPlotEWin* window, int tool) : TDlg(window, TemplateOf(tool)), window_(window), tool_(tool) {}

TAnalysisDlg::~TAnalysisDlg() {
    if (window_) window_->AnalysisDialogGone(this);
}

void TAnalysisDlg::SetupWindow() {
    TDlg::SetupWindow();
    ClearList(analysisid::kLetter);
    for (int k = 1; k <= kLastParamLetter; ++k) AddString(analysisid::kLetter, std::string(1, static_cast<char>('A' + k - 1)));
    SetSelIndex(analysisid::kLetter, 0);
    if (HasItem(analysisid::kDegrees)) CheckItem(analysisid::kDegrees, true);
    Refresh();
}

bool TAnalysisDlg::Suits(std::uint16_t kind) const {
    return tool_ == analysiscmd::kZeros     ? HasZeros(kind)
           : tool_ == analysiscmd::kExtrema ? HasExtrema(kind)
                                            : CanIntersect(kind);
}

void TAnalysisDlg::Fill(int combo, std::vector<int>& slots, int avoid) {
    slots = FillExampleChooser(*this, combo, window_->Inventory(), window_->Format().Pattern(),
                               [this](std::uint16_t kind) { return Suits(kind); }, Chosen(combo, slots),
                               window_->Inventory().Selected(), avoid);
}

std::uint16_t TAnalysisDlg::FirstKind() const {
    const int f = Chosen(analysisid::kFirst, firstSlots_);
    return f >= 0 ? window_->Inventory().Slot(f).example.kind : 0;
}

void TAnalysisDlg::FillValues() {
    const std::uint16_t kind = FirstKind();
    if (tool_ == analysiscmd::kExtrema) {
        // The quantity: y of a function; x, y or r of a curve.
        const int before = GetSelIndex(analysisid::kSecond);
        const bool curve = HasCurveQuantities(kind);
        ClearList(analysisid::kSecond);
        if (curve) {
            for (const char* q : {"x", "y", "r"}) AddString(analysisid::kSecond, q);
            SetSelIndex(analysisid::kSecond, before >= 0 && before < 3 ? before : 1);
        } else {
            AddString(analysisid::kSecond, "y");
            SetSelIndex(analysisid::kSecond, 0);
        }
    }
    if (!HasItem(analysisid::kValue)) return;
    const int before = GetSelIndex(analysisid::kValue);
    ClearList(analysisid::kValue);
    const std::vector<HitValue> values = ValuesOf(tool_, kind);
    for (HitValue v : values) AddString(analysisid::kValue, NameOf(v));
    SetSelIndex(analysisid::kValue, before >= 0 && before < static_cast<int>(values.size()) ? before : 0);
}

void TAnalysisDlg::Refresh() {
    if (!window_) return;
    Fill(analysisid::kFirst, firstSlots_, -1);
    if (tool_ == analysiscmd::kIntersections)
        Fill(analysisid::kSecond, secondSlots_, Chosen(analysisid::kFirst, firstSlots_));
    FillValues();
}

int TAnalysisDlg::Chosen(int combo, const std::vector<int>& slots) const { return ChosenExample(*this, combo, slots); }

bool TAnalysisDlg::FindNext() {
    if (!window_) return false;
    FillValues();  // the first example may have changed kind
    Choice choice;
    choice.first = Chosen(analysisid::kFirst, firstSlots_);
    if (tool_ == analysiscmd::kIntersections) choice.second = Chosen(analysisid::kSecond, secondSlots_);
    if (tool_ == analysiscmd::kExtrema) choice.quantity = GetSelIndex(analysisid::kSecond);
    const Quantity q = !HasCurveQuantities(FirstKind()) ? Quantity::kY
                       : choice.quantity == 0           ? Quantity::kX
                       : choice.quantity == 2           ? Quantity::kR
                                                        : Quantity::kY;
    FormulaEngine& engine = window_->Engine();
    const ExampleInventory& inventory = window_->Inventory();
    const PlotView& view = window_->View();
    AnalysisScan scan;
    const int code = tool_ == analysiscmd::kZeros ? scan.PrepareZeros(engine, inventory, choice.first, view)
                     : tool_ == analysiscmd::kExtrema
                         ? scan.PrepareExtrema(engine, inventory, choice.first, q, view)
                         : scan.PrepareIntersections(engine, inventory, choice.first, choice.second, view);
    hasHit_ = false;
    // The picture loses the last hit's mark (and shows the new one) once.
    auto show = [this](const std::string& text) {
        SetItemText(analysisid::kText, text);
        window_->SetAnalysisHit(this);
        return hasHit_;
    };
    if (code) return show(MessageText(code));
    choice.lo = scan.Scan().Low();
    choice.hi = scan.Scan().High();
    if (choice == last_) scan.Scan().SetCursor(cursor_);
    last_ = choice;
    // A Q from an earlier computation must not stop this one, nor linger after it.
    ClearEvalCancel(engine.letters);
    const ScanOutcome outcome =
        scan.Next(engine.letters, hit_, [this] { return window_ ? window_->Interrupt().Poll() : kKeyQuit; });
    ClearEvalCancel(engine.letters);
    cursor_ = scan.Scan().Cursor();
    if (outcome != ScanOutcome::kFound)
        return show(outcome == ScanOutcome::kStopped ? std::string() : MessageText(ScanMessage(outcome)));
    hasHit_ = true;
    hitKind_ = FirstKind();
    const bool degrees = !HasItem(analysisid::kDegrees) || IsItemChecked(analysisid::kDegrees);
    window_->ArchiveHit(choice.first, HitRecord(tool_, hit_));
    return show(HitText(tool_, hitKind_, hit_, window_->Format(), degrees));
}

void TAnalysisDlg::SaveValue() {
    if (!hasHit_) {
        SetItemText(analysisid::kText, MessageText(kMsgNotFound));
        return;
    }
    const int letter = GetSelIndex(analysisid::kLetter) + 1;  // A = 1
    const std::vector<HitValue> values = ValuesOf(tool_, hitKind_);
    const int k = HasItem(analysisid::kValue) ? GetSelIndex(analysisid::kValue) : 0;
    if (letter < 1 || letter > kLastParamLetter || k < 0 || k >= static_cast<int>(values.size())) return;
    const HitValue v = values[static_cast<std::size_t>(k)];
    const bool degrees = !HasItem(analysisid::kDegrees) || IsItemChecked(analysisid::kDegrees);
    const long double value = v == HitValue::kX ? hit_.x
                              : v == HitValue::kY ? hit_.y
                              : v == HitValue::kT ? hit_.t
                              : v == HitValue::kR ? hit_.r
                              : degrees           ? hit_.angle * 180 / kPi
                                                  : hit_.angle;
    window_->SaveIntoLetter(letter, value);
}

void TAnalysisDlg::EvNotify(int controlId, fw::Notify code) {
    // Another first curve: its values (and, for an intersection, a different second curve).
    if (window_ && controlId == analysisid::kFirst && code == fw::Notify::SelChange) {
        if (tool_ == analysiscmd::kIntersections && Chosen(analysisid::kSecond, secondSlots_) == Chosen(analysisid::kFirst, firstSlots_))
            Fill(analysisid::kSecond, secondSlots_, Chosen(analysisid::kFirst, firstSlots_));
        FillValues();
    }
    TDlg::EvNotify(controlId, code);
}

bool TAnalysisDlg::EvCommand(int id) {
    if (!window_) return TDlg::EvCommand(id);
    switch (id) {
    case analysisid::kNext: FindNext(); return true;
    case analysisid::kMark:
        if (hasHit_) window_->AddAnalysisPoint(hit_.x, hit_.y);
        else SetItemText(analysisid::kText, MessageText(kMsgNotFound));
        return true;
    case analysisid::kSave: SaveValue(); return true;
    default: return TDlg::EvCommand(id);
    }
}

}  // namespace curvelo
