#include "plot2d/ivp_dlg.h"

#include <algorithm>

#include "expr/eval.h"
#include "framework/kit_services.h"
#include "plot2d/example_kinds.h"
#include "plot2d/method_comparison.h"
#include "plot2d/ode_drawer.h"
#include "plot2d/ode_exmp_dlg.h"

namespace curvelo {
namespace {
constexpr std::uint16_t kSpaceSystem = 310;
}  // namespace

TIvpDlg::TIvpDlg(fw::TWindow* parent, IvpHost& host, std::uint16_t kind, int example)
    : TDlg(parent, IsSystemIvpKind(kind) ? "IVP10" : "IVP11"), host_(host), kind_(kind), example_(example) {}

std::vector<Cv2InitialCondition>* TIvpDlg::Conditions() {
    ExampleInventory& inv = host_.IvpInventory();
    if (example_ < 0 || example_ >= inv.Count() || inv.At(example_).kind != kind_) return nullptr;
    return &inv.Slot(example_).initialConditions;
}

std::vector<int> ListExamplesOfKind(TDlg& dialog, IvpHost& host, std::uint16_t kind, int& example) {
    ExampleInventory& inv = host.IvpInventory();
    const std::vector<std::string> lines = inv.ListLines(host.IvpFormat().Pattern());
    std::vector<int> examples;
    dialog.ClearList(ivpid::kExample);
    for (int i = 0; i < inv.Count(); ++i) {
        if (inv.At(i).kind != kind) continue;
        examples.push_back(i);
        dialog.AddString(ivpid::kExample, lines[static_cast<std::size_t>(i)]);
    }
    auto at = std::find(examples.begin(), examples.end(), example);
    if (at == examples.end()) {
        example = examples.empty() ? -1 : examples.front();
        at = examples.begin();
    }
    dialog.SetSelIndex(ivpid::kExample, example < 0 ? -1 : static_cast<int>(at - examples.begin()));
    return examples;
}

void TIvpDlg::SetupWindow() {
    examples_ = ListExamplesOfKind(*this, host_, kind_, example_);
    for (int id : {ivpid::kX, ivpid::kY, ivpid::kStep, ivpid::kSteps, ivpid::kZ, ivpid::kRestriction})
        if (HasItem(id)) SetItemLimit(id, static_cast<int>(TExample::kTextCapacity));
    // The plane has no z and keeps its restriction in the equation dialog.
    const bool space = kind_ == kSpaceSystem;
    for (int id : {ivpid::kZ, ivpid::kZCaption, ivpid::kRestricted, ivpid::kRestriction})
        if (HasItem(id)) ShowItem(id, space);
    if (space) {
        ShowRestriction();
        SetCaption("Integrál-görbe (kezdeti feltételek)");
    }
    SetItemText(ivpid::kDelay, "50");
    TInitialCondition start;
    start.colour = 2;
    // Backward in time a system in space usually runs off to infinity.
    if (kind_ == kSpaceSystem) start.directionCode = static_cast<std::uint16_t>(TraceDirection::kForward);
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
    for (int id : {ivpid::kX, ivpid::kY, ivpid::kStep, ivpid::kSteps, ivpid::kPenWidth, ivpid::kZ})
        if (HasItem(id)) form.edits[id] = GetItemText(id);
    form.asText = IsItemChecked(ivpid::kAsText);
    for (int k = 0; k < 3; ++k) {
        if (kind_ == kKindSlope && IsItemChecked(ivpid::kEuler + k)) form.method = k;
        if (IsSystemIvpKind(kind_) && IsItemChecked(ivpid::kForward + k)) form.direction = k;
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
    if (kind_ == kSpaceSystem) ShowRestriction();
}

void TIvpDlg::Draw() {
    auto* list = Conditions();
    if (!list) return;
    TInitialCondition c = list->empty() ? TInitialCondition{} : TInitialCondition::Load(list->back());
    if (!TakeFields(c)) return;
    if (kind_ == kSpaceSystem && !TakeRestriction()) return;
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
    std::array<long double, 3> end{};
    TInitialCondition c = TInitialCondition::Load((*list)[static_cast<std::size_t>(k)]);
    if (!host_.SolutionEnd(example_, c, end)) return;
    c.textFlag = kConditionPlain;
    c.x0 = end[0];
    c.y0 = end[1];
    c.z0 = end[2];
    ShowCondition(c);
}

void TIvpDlg::ShowRestriction() {
    if (!Conditions()) return;
    const TExample& e = host_.IvpInventory().At(example_);
    CheckItem(ivpid::kRestricted, e.positiveROnly != 0);
    SetItemText(ivpid::kRestriction, e.texts[3]);
}

bool TIvpDlg::TakeRestriction() {
    ExampleInventory& inv = host_.IvpInventory();
    TExample& e = inv.At(example_);
    const bool on = IsItemChecked(ivpid::kRestricted);
    std::string text = GetItemText(ivpid::kRestriction);
    if (text.size() > TExample::kTextCapacity) text.resize(TExample::kTextCapacity);
    if (on == (e.positiveROnly != 0) && text == e.texts[3]) return true;
    if (on || !text.empty()) {
        if (const std::uint16_t code = host_.IvpEngine().CompileFormula(text)) {
            ShowMessage(this, code);
            SetItemFocus(ivpid::kRestriction);
            return false;
        }
        FreeTree(host_.IvpEngine().TakeCompiledTree());
    }
    e.positiveROnly = on ? 1 : 0;
    e.texts[3] = text;
    inv.Compile(example_, host_.IvpEngine());
    return true;
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
