#include "plot2d/ivp_dlg.h"

#include <algorithm>

#include "expr/eval.h"
#include "framework/kit_services.h"
#include "plot2d/example_kinds.h"
#include "plot2d/method_comparison.h"
#include "plot2d/ode_drawer.h"
#include "plot2d/ode_exmp_dlg.h"

namespace curvelo {

TIvpDlg::TIvpDlg(fw::TWindow* parent, IvpHost& host, std::uint16_t kind, int example)
    : TDlg(parent, kind == kKindSystem ? "IVP10" : "IVP11"), host_(host), kind_(kind), example_(example) {}

std::vector<Cv2InitialCondition>* TIvpDlg::Conditions() {
    ExampleInventory& inv = host_.IvpInventory();
    if (example_ < 0 || example_ >= inv.Count() || inv.At(example_).kind != kind_) return nullptr;
    return &inv.Slot(example_).initialConditions;
}

void TIvpDlg::SetupWindow() {
    ExampleInventory& inv = host_.IvpInventory();
    const std::vector<std::string> lines = inv.ListLines(host_.IvpFormat().Pattern());
    ClearList(ivpid::kExample);
    for (int i = 0; i < inv.Count(); ++i) {
        if (inv.At(i).kind != kind_) continue;
        examples_.push_back(i);
        AddString(ivpid::kExample, lines[static_cast<std::size_t>(i)]);
    }
    const auto at = std::find(examples_.begin(), examples_.end(), example_);
    if (at == examples_.end()) example_ = examples_.empty() ? -1 : examples_.front();
    SetSelIndex(ivpid::kExample, example_ < 0 ? -1 : static_cast<int>(std::find(examples_.begin(), examples_.end(), example_) - examples_.begin()));
    for (int id : {ivpid::kX, ivpid::kY, ivpid::kStep, ivpid::kSteps})
        if (HasItem(id)) SetItemLimit(id, static_cast<int>(TExample::kTextCapacity));
    SetItemText(ivpid::kDelay, "50");
    TInitialCondition start;
    start.colour = 2;
    if (const auto* list = Conditions(); list && !list->empty()) start = TInitialCondition::Load(list->back());
    ShowCondition(start);
    FillList();
    SetItemFocus(ivpid::kX);
    TDlg::SetupWindow();
}

void TIvpDlg::ShowCondition(const TInitialCondition& c) {
    const IvpForm form = IvpFormOf(kind_, c, host_.IvpFormat());
    for (const auto& [id, text] : form.edits) SetItemText(id, text);
    CheckItem(ivpid::kAsText, form.asText);
    const int first = kind_ == kKindSlope ? ivpid::kEuler : ivpid::kForward;
    const int choice = kind_ == kKindSlope ? form.method : form.direction;
    for (int k = 0; k < 3; ++k) CheckItem(first + k, k == choice);
    FillColourCombo(*this, ivpid::kColour, form.colour);
}

IvpForm TIvpDlg::ReadForm() const {
    IvpForm form;
    for (int id : {ivpid::kX, ivpid::kY, ivpid::kStep, ivpid::kSteps, ivpid::kPenWidth})
        if (HasItem(id)) form.edits[id] = GetItemText(id);
    form.asText = IsItemChecked(ivpid::kAsText);
    for (int k = 0; k < 3; ++k) {
        if (kind_ == kKindSlope && IsItemChecked(ivpid::kEuler + k)) form.method = k;
        if (kind_ == kKindSystem && IsItemChecked(ivpid::kForward + k)) form.direction = k;
    }
    form.colour = GetSelIndex(ivpid::kColour);
    return form;
}

void TIvpDlg::FillList() {
    ClearList(ivpid::kList);
    if (const auto* list = Conditions())
        for (const Cv2InitialCondition& c : *list)
            AddString(ivpid::kList, IvpListLine(kind_, TInitialCondition::Load(c), host_.IvpFormat()));
}

bool TIvpDlg::TakeFields(TInitialCondition& c) {
    const FormOutcome outcome = ApplyIvpForm(kind_, ReadForm(), host_.IvpEngine(), c);
    if (outcome.code == 0) return true;
    ShowMessage(this, outcome.code);
    SetItemFocus(outcome.focusId);
    return false;
}

bool TIvpDlg::EvCommand(int id) {
    switch (id) {
    case ivpid::kDraw: Draw(); return true;
    case ivpid::kDelete: DeleteSelected(); return true;
    case ivpid::kDeleteAll: DeleteAll(); return true;
    case ivpid::kEndPoint: TakeEndPoint(); return true;
    case ivpid::kCompare:
        if (kind_ == kKindSlope) Compare();
        return true;
    default: return TDlg::EvCommand(id);
    }
}

void TIvpDlg::EvNotify(int controlId, fw::Notify code) {
    if (controlId != ivpid::kExample || code != fw::Notify::SelChange) return;
    const int k = GetSelIndex(ivpid::kExample);
    if (k < 0 || k >= static_cast<int>(examples_.size())) return;
    example_ = examples_[static_cast<std::size_t>(k)];
    host_.SetCurrentOdeExample(kind_, example_);
    FillList();
}

void TIvpDlg::Draw() {
    auto* list = Conditions();
    if (!list) return;
    TInitialCondition c = list->empty() ? TInitialCondition{} : TInitialCondition::Load(list->back());
    if (!TakeFields(c)) return;
    if (list->size() >= kMaxInitialConditions) {
        ShowMessage(this, 4);  // "nincs hely"
        return;
    }
    list->push_back(c.Store());
    int delay = -1;
    if (IsItemChecked(ivpid::kObserve)) {
        std::int32_t ms = 0;
        if (std::uint16_t code = EvaluateInteger(host_.IvpEngine(), GetItemText(ivpid::kDelay), 0, kMaxObserveDelayMs, ms)) {
            ShowMessage(this, code);
            SetItemFocus(ivpid::kDelay);
            list->pop_back();
            return;
        }
        delay = ms;
    }
    host_.SetCurrentOdeExample(kind_, example_);
    FillList();
    host_.ConditionsChanged(example_, delay >= 0 ? static_cast<int>(list->size()) - 1 : -1, delay);
}

void TIvpDlg::DeleteSelected() {
    auto* list = Conditions();
    const int k = GetSelIndex(ivpid::kList);
    if (!list || k < 0 || k >= static_cast<int>(list->size())) return;
    list->erase(list->begin() + k);
    FillList();
    SetSelIndex(ivpid::kList, std::min(k, static_cast<int>(list->size()) - 1));
    host_.ConditionsChanged(example_, -1, -1);
}

void TIvpDlg::DeleteAll() {
    auto* list = Conditions();
    if (!list || list->empty()) return;
    list->clear();
    FillList();
    host_.ConditionsChanged(example_, -1, -1);
}

void TIvpDlg::TakeEndPoint() {
    auto* list = Conditions();
    if (!list || list->empty()) return;
    int k = GetSelIndex(ivpid::kList);
    if (k < 0 || k >= static_cast<int>(list->size())) k = static_cast<int>(list->size()) - 1;
    long double x = 0, y = 0;
    TInitialCondition c = TInitialCondition::Load((*list)[static_cast<std::size_t>(k)]);
    if (!host_.SolutionEnd(example_, c, x, y)) return;
    c.textFlag = kConditionPlain;
    c.x0 = x;
    c.y0 = y;
    ShowCondition(c);
}

void TIvpDlg::Compare() {
    ExampleInventory& inv = host_.IvpInventory();
    if (!Conditions()) return;
    TInitialCondition c;
    if (!TakeFields(c)) return;
    InventorySlot& slot = inv.Slot(example_);
    std::vector<ComparisonRow> rows;
    {
        SlopeEvaluator f(host_.IvpEngine().letters, slot.trees[2]);
        rows = CompareMethods(f.Function(), c.x0, c.y0, c.step, c.StepLimit());
    }
    host_.ShowText("módszerek összehasonlítása", ComparisonText(slot.example.texts[2], c.step, rows));
}

}  // namespace curvelo
