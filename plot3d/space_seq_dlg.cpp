#include "plot3d/space_seq_dlg.h"

#include <algorithm>
#include <cmath>

#include "expr/byte_io.h"
#include "expr/eval.h"
#include "framework/kit_services.h"
#include "plot2d/ode_exmp_dlg.h"
#include "plot3d/space_kinds.h"
#include "plotwin/colour_table.h"

namespace curvelo {
namespace {

std::string Cut(std::string s) {
    if (s.size() > TExample::kTextCapacity) s.resize(TExample::kTextCapacity);
    return s;
}

std::string Trimmed(std::string s) {
    const auto first = s.find_first_not_of(' ');
    return first == std::string::npos ? std::string() : s.substr(first);
}

}  // namespace

FormOutcome ApplySeqStartFields(const SeqStartFields& f, FormulaEngine& engine, Cv2InitialCondition& record) {
    using namespace seqstartid;
    SpaceStartPoint s = ReadSpaceStartPoint(record);
    const std::string texts[3] = {Cut(f.x), Cut(f.y), Cut(f.z)};
    long double* targets[3] = {&s.p.x, &s.p.y, &s.z};
    const int ids[3] = {kX, kY, kZ};
    for (int i = 0; i < 3; ++i)
        if (std::uint16_t code = EvaluateText(engine, texts[i], *targets[i])) return {code, ids[i]};
    std::int32_t terms = 0, size = 0;
    if (std::uint16_t code = EvaluateInteger(engine, Cut(f.terms), 1, kMaxSequenceTerms, terms)) return {code, kTerms};
    if (std::uint16_t code = EvaluateInteger(engine, Cut(f.size), 0, kMaxPointSize, size)) return {code, kSize};
    s.p.terms = terms;
    s.p.size = static_cast<std::uint16_t>(size);
    s.p.colour = static_cast<std::uint16_t>(std::clamp(f.colour, 0, kColourCount - 1));
    WriteSpaceStartPoint(s, record);
    // A start point kept as texts follows the letters A-W; the flag tells the document so.
    PutU16(record.record.data() + TInitialCondition::kOffTextFlag, f.asText ? kConditionAsText : kConditionPlain);
    record.texts = f.asText ? std::array<std::string, 4>{texts[0], texts[1], texts[2], Cut(f.terms)}
                            : std::array<std::string, 4>{};
    return {};
}

std::string SeqStartLine(const Cv2InitialCondition& record, const NumberFormat& format) {
    const SpaceStartPoint s = ReadSpaceStartPoint(record);
    auto num = [&](long double v) { return Trimmed(format.FormatForField(v)); };
    std::string line = "(" + num(s.p.x) + "; " + num(s.p.y) + "; " + num(s.z) + ")  " + std::to_string(s.p.terms) +
                       " tag, " + std::string(ColourName(std::min<int>(s.p.colour, kColourCount - 1)));
    if (record.HasTexts()) line += ", szöveg";
    return line;
}

TSeqStartDlg::TSeqStartDlg(fw::TWindow* parent, IvpHost& host, int example)
    : TDlg(parent, "IVP12"), host_(host), example_(example) {}

std::vector<Cv2InitialCondition>* TSeqStartDlg::Points() {
    ExampleInventory& inv = host_.IvpInventory();
    if (example_ < 0 || example_ >= inv.Count() || inv.At(example_).kind != kKindSpaceSequence) return nullptr;
    return &inv.Slot(example_).initialConditions;
}

void TSeqStartDlg::SetupWindow() {
    examples_ = ListExamplesOfKind(*this, host_, kKindSpaceSequence, example_);
    // A new start point begins where the last one did.
    Cv2InitialCondition last;
    SpaceStartPoint start;
    start.p.x = 1;
    start.p.terms = 300;
    start.p.colour = 2;
    if (const auto* list = Points(); list && !list->empty()) last = list->back();
    else WriteSpaceStartPoint(start, last);
    const SpaceStartPoint s = ReadSpaceStartPoint(last);
    auto num = [&](long double v) { return Trimmed(host_.IvpFormat().FormatForField(v)); };
    const bool asText = last.HasTexts();
    SetItemText(seqstartid::kX, asText ? last.texts[0] : num(s.p.x));
    SetItemText(seqstartid::kY, asText ? last.texts[1] : num(s.p.y));
    SetItemText(seqstartid::kZ, asText ? last.texts[2] : num(s.z));
    SetItemText(seqstartid::kTerms, asText ? last.texts[3] : std::to_string(s.p.terms));
    SetItemText(seqstartid::kSize, std::to_string(s.p.size));
    SetItemText(ivpid::kDelay, "50");
    CheckItem(ivpid::kAsText, asText);
    FillColourCombo(*this, ivpid::kColour, s.p.colour);
    FillList();
    SetItemFocus(seqstartid::kX);
    TDlg::SetupWindow();
}

void TSeqStartDlg::FillList() {
    ClearList(ivpid::kList);
    if (const auto* list = Points())
        for (const Cv2InitialCondition& c : *list) AddString(ivpid::kList, SeqStartLine(c, host_.IvpFormat()));
}

bool TSeqStartDlg::EvCommand(int id) {
    auto* list = Points();
    switch (id) {
    case ivpid::kDraw: Draw(); return true;
    case ivpid::kDelete: {
        const int k = GetSelIndex(ivpid::kList);
        if (!list || k < 0 || k >= static_cast<int>(list->size())) return true;
        list->erase(list->begin() + k);
        FillList();
        host_.ConditionsChanged(example_, -1, -1);
        return true;
    }
    case ivpid::kDeleteAll:
        if (!list || list->empty()) return true;
        list->clear();
        FillList();
        host_.ConditionsChanged(example_, -1, -1);
        return true;
    default: return TDlg::EvCommand(id);
    }
}

void TSeqStartDlg::EvNotify(int controlId, fw::Notify code) {
    if (controlId != ivpid::kExample || code != fw::Notify::SelChange) return;
    const int k = GetSelIndex(ivpid::kExample);
    if (k < 0 || k >= static_cast<int>(examples_.size())) return;
    example_ = examples_[static_cast<std::size_t>(k)];
    host_.SetCurrentOdeExample(kKindSpaceSequence, example_);
    FillList();
}

void TSeqStartDlg::Draw() {
    auto* list = Points();
    if (!list) return;
    if (list->size() >= static_cast<std::size_t>(kMaxStartPoints)) {
        ShowMessage(this, 4);  // "nincs hely"
        return;
    }
    SeqStartFields f{GetItemText(seqstartid::kX), GetItemText(seqstartid::kY), GetItemText(seqstartid::kZ),
                     GetItemText(seqstartid::kTerms), GetItemText(seqstartid::kSize), GetSelIndex(ivpid::kColour),
                     IsItemChecked(ivpid::kAsText)};
    Cv2InitialCondition record = list->empty() ? Cv2InitialCondition{} : list->back();
    const FormOutcome outcome = ApplySeqStartFields(f, host_.IvpEngine(), record);
    if (outcome.code) {
        ShowMessage(this, outcome.code);
        SetItemFocus(outcome.focusId);
        return;
    }
    int delay = -1;
    if (IsItemChecked(ivpid::kObserve)) {
        std::int32_t ms = 0;
        if (std::uint16_t code = EvaluateInteger(host_.IvpEngine(), GetItemText(ivpid::kDelay), 0, kMaxObserveDelayMs, ms)) {
            ShowMessage(this, code);
            SetItemFocus(ivpid::kDelay);
            return;
        }
        delay = ms;
    }
    list->push_back(record);
    host_.SetCurrentOdeExample(kKindSpaceSequence, example_);
    FillList();
    host_.ConditionsChanged(example_, delay >= 0 ? static_cast<int>(list->size()) - 1 : -1, delay);
}

}  // namespace curvelo
